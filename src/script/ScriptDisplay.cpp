// What the script editor shows beside the text: the font size box, the
// caret's line and column and the Modified panel, and the report under the
// editor that leads to a line.
#include "script/ScriptArea.h"

#include "script/ReportPanel.h"
#include "ui/AreaHost.h"
#include "ui/ScintillaEdit.h"
#include "ui/Window.h"
#include "util/TextUtils.h"

#include <Scintilla.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <iterator>

namespace tessark {

void ScriptArea::ShowReport(const Report& report, bool fromTheEnd)
{
    report_->Show(report, fromTheEnd);
    reportFromCheck_ = report.empty();
}

void ScriptArea::ShowCheckReport(const Report& findings)
{
    report_->Show(findings, false);
    reportFromCheck_ = true;
}

bool ScriptArea::OnDrawItem(const DRAWITEMSTRUCT& item)
{
    return report_->OnDrawItem(item);
}

void ScriptArea::ReportLineChosen()
{
    const auto index = static_cast<int>(SendMessageW(report_->hwnd(), LB_GETCURSEL, 0, 0));
    if (const int line = report_->ScriptLineAt(index))
        GoToScriptLine(line);
}

void ScriptArea::GoToScriptLine(int line)
{
    const std::intptr_t lines = editor_->LineCount();
    const std::intptr_t start = editor_->LineStart(std::clamp<std::intptr_t>(line, 1, std::max<std::intptr_t>(1, lines)) - 1);
    SetFocus(Editor());
    editor_->Select(start, start);
    editor_->Send(SCI_SCROLLCARET);
    UpdateCaretPosition();
}

void ScriptArea::SelectionChange()
{
    updating_ = true;
    struct ClearOnExit {
        bool& flag;
        ~ClearOnExit() { flag = false; }
    } clear{updating_};
    const std::wstring size = std::to_wstring(SelectedSize());
    if (WindowText(fontSize_) != size)
        SetWindowTextOf(fontSize_, size);
    UpdateCaretPosition();
}

void ScriptArea::RichEditChange()
{
    ShowModifiedState(editor_->IsModified());
}

void ScriptArea::UpdateCaretPosition()
{
    const std::intptr_t caret = editor_->Selection().start;
    const std::intptr_t line = editor_->LineFromPosition(caret);
    const std::intptr_t column = editor_->CharactersBetween(editor_->LineStart(line), caret);
    wchar_t text[64];
    std::swprintf(text, std::size(text), L"Line: %3lld   Col: %3lld", static_cast<long long>(line + 1),
                  static_cast<long long>(column + 1));
    host_.SetStatusPanel(0, text);
}

void ScriptArea::ShowModifiedState(bool modified)
{
    host_.SetStatusPanel(1, modified ? L"Modified" : L"");
}

void ScriptArea::FontSizeChange()
{
    if (updating_)
        return;
    ApplySize(StrToInt(WindowText(fontSize_)));
}

void ScriptArea::UpDown1Click(int position)
{
    static constexpr int SizeOfPosition[] = {8, 9, 12};
    const int points = SizeOfPosition[std::clamp(position, 1, 3) - 1];
    ApplySize(points);
    SetWindowTextOf(fontSize_, std::to_wstring(points));
}

} // namespace tessark
