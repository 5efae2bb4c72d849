// The script area's share of the main window's messages: its controls'
// commands and notifications (the toolbar's buttons and hints, the editor's
// changes, the font size box, the report), each to its handler.
#include "script/ScriptArea.h"

#include "script/ReportPanel.h"
#include "ui/AreaHost.h"
#include "ui/ControlIds.h"

#include <Scintilla.h>
#include <commctrl.h>

#include <string_view>

namespace tessark {
namespace {

std::wstring_view ShortPart(std::wstring_view hint)
{
    const auto bar = hint.find(L'|');
    return bar == std::wstring_view::npos ? hint : hint.substr(0, bar);
}

std::wstring_view LongPart(std::wstring_view hint)
{
    const auto bar = hint.find(L'|');
    return bar == std::wstring_view::npos ? hint : hint.substr(bar + 1);
}

} // namespace

bool ScriptArea::OnCommand(int controlId, int code)
{
    switch (controlId) {
    case id::Btnouveau: FileNew(); return true;
    case id::BtSauve: FileSave(); return true;
    case id::BtImprime: PrintButtonClick(); return true;
    case id::BtDefaire: EditUndo(); return true;
    case id::BtCouper: EditCut(); return true;
    case id::BtCopier: EditCopy(); return true;
    case id::ToolButton2: EditPaste(); return true;
    case id::BtChercher: Chercher1Click(); return true;
    case id::Editor:
        if (code == EN_CHANGE)
            RichEditChange();
        return true;
    case id::FontSize:
        if (code == EN_CHANGE)
            FontSizeChange();
        return true;
    case id::ReportList:
        if (code == LBN_DBLCLK)
            ReportLineChosen();
        return true;
    default:
        return false;
    }
}

bool ScriptArea::OnNotify(NMHDR& header, LRESULT& result)
{
    result = 0;
    if (header.hwndFrom == Editor()) {
        OnEditorNotification(header);
        return true;
    }
    switch (header.code) {
    case TTN_GETDISPINFOW: {
        auto& info = reinterpret_cast<NMTTDISPINFOW&>(header);
        const std::wstring hint = HintOf(header.idFrom, (info.uFlags & TTF_IDISHWND) != 0);
        if (hint.empty())
            return false;
        const auto shortPart = ShortPart(hint);
        std::fill(std::begin(info.szText), std::end(info.szText), L'\0');
        shortPart.copy(info.szText, std::min<std::size_t>(shortPart.size(), std::size(info.szText) - 1));
        info.lpszText = info.szText;
        return true;
    }
    // The toolbar's own tooltip does not pass TTN_SHOW on under Wine: its
    // buttons' hints follow the button under the pointer instead.
    case TBN_HOTITEMCHANGE: {
        if (header.hwndFrom != toolBar_)
            return false;
        // Only the pointer's own moves: a click or a key leaves the hint as it is.
        const auto& hot = reinterpret_cast<const NMTBHOTITEM&>(header);
        if (hot.dwFlags & HICF_LEAVING)
            host_.ShowHint(L"");
        else if ((hot.dwFlags & HICF_MOUSE) && !(hot.dwFlags & HICF_LMOUSE))
            host_.ShowHint(LongPart(HintOf(hot.idNew, false)));
        return true;
    }
    case TTN_SHOW: {
        if (header.hwndFrom != hintTip_)
            return false;
        const std::wstring hint = HintOf(header.idFrom, true);
        if (hint.empty())
            return false;
        host_.ShowHint(LongPart(hint));
        return true;
    }
    case TTN_POP:
        if (header.hwndFrom != hintTip_)
            return false;
        host_.ShowHint(L"");
        return true;
    default:
        return false;
    }
}

void ScriptArea::OnEditorNotification(const NMHDR& header)
{
    const auto& notification = reinterpret_cast<const SCNotification&>(header);
    switch (header.code) {
    case SCN_UPDATEUI:
        if (notification.updated & (SC_UPDATE_SELECTION | SC_UPDATE_CONTENT))
            SelectionChange();
        break;
    case SCN_MODIFIED:
        if (notification.linesAdded != 0)
            FitLineNumbers();
        CheckSoon();
        break;
    case SCN_STYLENEEDED:
        StyleUpTo(notification.position);
        break;
    case SCN_CHARADDED:
        OnCharacterAdded(notification.ch);
        break;
    case SCN_DWELLSTART:
        ShowFindingTip(notification.position);
        break;
    case SCN_DWELLEND:
        HideFindingTip();
        break;
    case SCN_DOUBLECLICK:
        if (notification.modifiers & SCMOD_CTRL)
            OpenIncludeOfLine(notification.line);
        break;
    default:
        break;
    }
}

bool ScriptArea::OnScroll(HWND control, int code)
{
    if (control != upDown1_)
        return false;
    if (code == SB_THUMBPOSITION) {
        const int position = static_cast<int>(SendMessageW(upDown1_, UDM_GETPOS32, 0, 0));
        if (position != upDownPosition_) {
            upDownPosition_ = position;
            UpDown1Click(position);
        }
    }
    return true;
}

} // namespace tessark
