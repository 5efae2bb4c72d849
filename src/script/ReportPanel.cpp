#include "script/ReportPanel.h"

#include "ui/Window.h"
#include "util/Messages.h"
#include "util/Text1252.h"

#include <algorithm>

namespace tessark {
namespace {

std::wstring FromText1252(const std::string& text)
{
    std::wstring wide;
    wide.reserve(text.size());
    for (char c : text)
        wide += cp1252::ToUnicode(static_cast<unsigned char>(c));
    return wide;
}

// The lines as shown: at most MaximumReportLines, the rest counted in one more.
Report Shortened(const Report& report)
{
    if (report.size() <= MaximumReportLines)
        return report;
    Report shown(report.begin(), report.begin() + MaximumReportLines);
    const std::wstring more =
        FormatMessageText(msg::ReportLinesLeftOut, std::to_wstring(report.size() - MaximumReportLines));
    std::string text;
    for (wchar_t c : more)
        text += static_cast<char>(cp1252::FromUnicode(c).value_or('?'));
    shown.push_back({text, 0, false});
    return shown;
}

// A device context with the list's font, for measuring its texts.
class Measure {
public:
    explicit Measure(HWND list) : list_(list), dc_(GetDC(list))
    {
        old_ = SelectObject(dc_, reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
    }
    ~Measure()
    {
        SelectObject(dc_, old_);
        ReleaseDC(list_, dc_);
    }
    Measure(const Measure&) = delete;
    Measure& operator=(const Measure&) = delete;
    SIZE Of(const std::wstring& text) const
    {
        SIZE size{};
        GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size);
        return size;
    }

private:
    HWND list_;
    HDC dc_;
    HGDIOBJ old_;
};

} // namespace

ReportPanel::ReportPanel(HWND parent, int id)
{
    list_ = CreateChild(parent, L"LISTBOX", L"",
                        WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY |
                            LBS_NOINTEGRALHEIGHT,
                        0, 0, 10, 10, id, WS_EX_CLIENTEDGE);
    FitToFont();
}

void ReportPanel::Show(const Report& report, bool fromTheEnd)
{
    lines_ = Shortened(report);
    SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
    for (const ReportLine& line : lines_)
        SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(FromText1252(line.text).c_str()));
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    FitToFont();
    if (fromTheEnd && !lines_.empty())
        SendMessageW(list_, LB_SETTOPINDEX, lines_.size() - 1, 0);
    InvalidateRect(list_, nullptr, TRUE);
}

int ReportPanel::ScriptLineAt(int index) const
{
    return index >= 0 && static_cast<std::size_t>(index) < lines_.size() ? lines_[index].scriptLine : 0;
}

void ReportPanel::FitToFont()
{
    const Measure measure(list_);
    SendMessageW(list_, LB_SETITEMHEIGHT, 0, measure.Of(L"Ag").cy + 2);
    int widest = 0;
    for (const ReportLine& line : lines_)
        widest = std::max<int>(widest, measure.Of(FromText1252(line.text)).cx);
    SendMessageW(list_, LB_SETHORIZONTALEXTENT, widest + 8, 0);
}

bool ReportPanel::OnDrawItem(const DRAWITEMSTRUCT& item)
{
    if (item.hwndItem != list_)
        return false;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (item.itemID != static_cast<UINT>(-1) && item.itemID < lines_.size()) {
        const bool error = lines_[item.itemID].error;
        SetTextColor(item.hDC, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                        : error ? ReportErrorColour : GetSysColor(COLOR_WINDOWTEXT));
        SetBkMode(item.hDC, TRANSPARENT);
        RECT text = item.rcItem;
        text.left += 4;
        const std::wstring shown = FromText1252(lines_[item.itemID].text);
        DrawTextW(item.hDC, shown.c_str(), static_cast<int>(shown.size()), &text,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_EXPANDTABS);
    }
    if (item.itemState & ODS_FOCUS)
        DrawFocusRect(item.hDC, &item.rcItem);
    return true;
}

} // namespace tessark
