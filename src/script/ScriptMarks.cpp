// Marks as you type: a short moment after the last change the script check
// runs on the editor's text, and each finding gets a squiggle under its line,
// a mark in the margin and its text as a call tip under the resting pointer.
#include "script/ScriptArea.h"

#include "script/ScriptCheck.h"
#include "script/ScriptFileLookup.h"
#include "ui/AreaHost.h"
#include "ui/Dpi.h"
#include "ui/ScintillaEdit.h"
#include "util/Text1252.h"

#include <Scintilla.h>

#include <algorithm>
#include <exception>

namespace tessark {
namespace {

constexpr UINT_PTR CheckTimer = 0x7E57;
constexpr UINT CheckDelay = 400;     // ms after the last change
constexpr UINT DwellTime = 500;      // ms the pointer rests before its call tip
constexpr int FindingIndicator = INDIC_CONTAINER;
constexpr int FindingMarker = 0;
constexpr int MarkMargin = 1;
constexpr int MarkMarginWidth = 12;
constexpr COLORREF FindingColour = RGB(0xD0, 0x00, 0x00);
constexpr wchar_t AreaProperty[] = L"TessarkScriptArea";

} // namespace

void ScriptArea::SetUpMarks()
{
    editor_->Send(SCI_INDICSETSTYLE, FindingIndicator, INDIC_SQUIGGLE);
    editor_->Send(SCI_INDICSETFORE, FindingIndicator, FindingColour);
    editor_->Send(SCI_MARKERDEFINE, FindingMarker, SC_MARK_CIRCLE);
    editor_->Send(SCI_MARKERSETFORE, FindingMarker, FindingColour);
    editor_->Send(SCI_MARKERSETBACK, FindingMarker, FindingColour);
    editor_->Send(SCI_SETMARGINTYPEN, MarkMargin, SC_MARGIN_SYMBOL);
    editor_->Send(SCI_SETMARGINMASKN, MarkMargin, 1 << FindingMarker);
    editor_->Send(SCI_SETMARGINWIDTHN, MarkMargin, Scaled(Editor(), MarkMarginWidth));
    editor_->Send(SCI_SETMOUSEDWELLTIME, DwellTime);
    SetPropW(groupBox1_, AreaProperty, this);
}

void ScriptArea::FitMarkMargin()
{
    editor_->Send(SCI_SETMARGINWIDTHN, MarkMargin, Scaled(Editor(), MarkMarginWidth));
}

// Each change puts the check off again: it runs once the typing pauses.
void ScriptArea::CheckSoon()
{
    SetTimer(groupBox1_, CheckTimer, CheckDelay, &ScriptArea::OnCheckTimer);
}

ScriptArea* ScriptArea::AreaOfPanel(HWND panel)
{
    return static_cast<ScriptArea*>(GetPropW(panel, AreaProperty));
}

void CALLBACK ScriptArea::OnCheckTimer(HWND window, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(window, timer);
    auto* area = AreaOfPanel(window);
    // A check that fails leaves the marks as they were: typing goes on.
    try {
        if (area)
            area->MarkFindings();
    } catch (const std::exception&) {
    }
}

void ScriptArea::MarkFindings()
{
    findings_.clear();
    const bool checked = editor_->Length() <= MarkedTextLimit;
    if (checked)
        findings_ = CheckScript(DocumentBytes(), InstallationFileLookup(host_.InstallationRoot()));
    if (checked && reportFromCheck_)
        ShowCheckReport(findings_);
    const std::intptr_t length = editor_->Length();
    editor_->Send(SCI_SETINDICATORCURRENT, FindingIndicator);
    editor_->Send(SCI_INDICATORCLEARRANGE, 0, length);
    editor_->Send(SCI_MARKERDELETEALL, FindingMarker);
    const std::intptr_t lines = editor_->LineCount();
    for (const auto& finding : findings_) {
        if (finding.scriptLine < 1 || finding.scriptLine > lines)
            continue;
        const std::intptr_t line = finding.scriptLine - 1;
        const std::intptr_t start = editor_->Send(SCI_GETLINEINDENTPOSITION, static_cast<std::uintptr_t>(line));
        const std::intptr_t end = editor_->Send(SCI_GETLINEENDPOSITION, static_cast<std::uintptr_t>(line));
        // An empty line still shows its mark: the squiggle takes the line end.
        const std::intptr_t shown = std::max(end - start, std::min<std::intptr_t>(1, length - start));
        editor_->Send(SCI_INDICATORFILLRANGE, static_cast<std::uintptr_t>(start), shown);
        editor_->Send(SCI_MARKERADD, static_cast<std::uintptr_t>(line), FindingMarker);
    }
}

// The findings of the line under the pointer, in the document's code page.
void ScriptArea::ShowFindingTip(std::intptr_t position)
{
    if (position < 0)
        return;
    const auto line = static_cast<int>(editor_->LineFromPosition(position)) + 1;
    std::string tip;
    for (const auto& finding : findings_)
        if (finding.scriptLine == line) {
            if (!tip.empty())
                tip.push_back('\n');
            tip.append(finding.text);
        }
    if (tip.empty())
        return;
    if (utf8_) {
        const std::wstring wide = cp1252::Decode(tip);
        const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                             nullptr, nullptr);
        tip.assign(static_cast<std::size_t>(std::max(size, 0)), '\0');
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), tip.data(), size, nullptr,
                            nullptr);
    }
    editor_->Send(SCI_CALLTIPSHOW, static_cast<std::uintptr_t>(position), reinterpret_cast<std::intptr_t>(tip.c_str()));
}

void ScriptArea::HideFindingTip()
{
    editor_->Send(SCI_CALLTIPCANCEL);
}

} // namespace tessark
