#include "sound/ModificationList.h"

#include "ui/ControlIds.h"
#include "ui/Dialogs.h"
#include "ui/Dpi.h"
#include "ui/StripLabel.h"
#include "ui/Window.h"
#include "sound/GridReport.h"
#include "util/BackupReplacement.h"
#include "util/Messages.h"

#include <commctrl.h>

#include <array>

namespace tessark {
namespace {

constexpr int ColumnCount = 4;
constexpr std::array<int, ColumnCount> ColumnWidths = {30, 164, 177, 158};
constexpr std::array<const wchar_t*, ColumnCount> Headers = {
    L"Indice", L"    Sons origineaux", L"    Remplacés par", L"  Anciens fichiers renomés en"};
constexpr int RowHeight = 17;
constexpr wchar_t Tab = L'\t';
constexpr wchar_t PrintTitle[] = L"Modifications du ";

HWND CreateGrid(HWND parent)
{
    HWND grid = CreateChild(parent, WC_LISTVIEWW, L"",
                            WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                                LVS_NOSORTHEADER,
                            0, 0, 10, 10, id::StringGrid1, WS_EX_CLIENTEDGE);
    SendMessageW(grid, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    for (int column = 0; column < ColumnCount; ++column) {
        LVCOLUMNW description{};
        description.mask = LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        description.cx = ColumnWidths[column];
        description.pszText = const_cast<wchar_t*>(L"");
        description.iSubItem = column;
        SendMessageW(grid, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&description));
    }
    return grid;
}

// Column widths and row height in units (see Dpi.h).
void SizeCells(HWND grid, int dpi)
{
    for (int column = 0; column < ColumnCount; ++column)
        SendMessageW(grid, LVM_SETCOLUMNWIDTH, column, MAKELPARAM(Scale(ColumnWidths[column], dpi), 0));
    // A list view's rows are as high as its small images.
    HIMAGELIST rowHeight = ImageList_Create(1, Scale(RowHeight, dpi), ILC_COLOR, 1, 0);
    const auto previous = reinterpret_cast<HIMAGELIST>(
        SendMessageW(grid, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(rowHeight)));
    if (previous)
        ImageList_Destroy(previous);
}

void SetCell(HWND grid, int row, int column, const std::wstring& text)
{
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(grid, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

void AppendEmptyRow(HWND grid)
{
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(SendMessageW(grid, LVM_GETITEMCOUNT, 0, 0));
    item.pszText = const_cast<wchar_t*>(L"");
    SendMessageW(grid, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

} // namespace

std::wstring ShortDateToday()
{
    wchar_t date[128] = {};
    if (GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, 128, nullptr) == 0)
        return {};
    return date;
}

void ModificationList::Create(HWND gridParent, HWND strip)
{
    grid_ = CreateGrid(gridParent);
    FollowDpi(DpiOf(grid_));
    // The header row and one empty data row.
    rows_.assign(2, std::vector<std::wstring>(ColumnCount));
    AppendEmptyRow(grid_);
    printLabel_ = CreateStripLabel(strip, id::LabelModifSons, L"Imprimer la liste des modifications", 241, 176,
                                   StripColour);
    saveLabel_ = CreateStripLabel(strip, id::LabelSauveSons, L"Sauver la liste des modifications", 421, 166,
                                  StripColour);
    EnableWindow(printLabel_, FALSE);
    EnableWindow(saveLabel_, FALSE);
}

void ModificationList::FollowDpi(int dpi)
{
    if (dpi == cellsDpi_)
        return;
    SizeCells(grid_, dpi);
    cellsDpi_ = dpi;
}

void ModificationList::SetHeaders()
{
    for (int column = 0; column < ColumnCount; ++column) {
        rows_[0][column] = Headers[column];
        LVCOLUMNW description{};
        description.mask = LVCF_TEXT;
        description.pszText = const_cast<wchar_t*>(Headers[column]);
        SendMessageW(grid_, LVM_SETCOLUMNW, column, reinterpret_cast<LPARAM>(&description));
    }
}

void ModificationList::AddModification(std::wstring_view original, std::wstring_view replacement,
                                       std::wstring_view backup, std::wstring sample)
{
    const std::size_t row = static_cast<std::size_t>(++count_);
    // The first replacement fills the empty row the grid starts with.
    while (rows_.size() < row + 1) {
        rows_.emplace_back(ColumnCount);
        AppendEmptyRow(grid_);
    }
    rows_[row] = {std::to_wstring(row), std::wstring(original), std::wstring(replacement), std::wstring(backup)};
    samples_.resize(row);
    samples_[row - 1] = std::move(sample);
    ShowRow(row);
    EnableWindow(printLabel_, TRUE);
    EnableWindow(saveLabel_, TRUE);
}

std::wstring ModificationList::SelectedSample() const
{
    const auto selected = SendMessageW(grid_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    if (selected < 0 || static_cast<std::size_t>(selected) >= samples_.size())
        return {};
    return samples_[static_cast<std::size_t>(selected)];
}

void ModificationList::ShowRow(std::size_t row)
{
    for (int column = 0; column < ColumnCount; ++column)
        SetCell(grid_, static_cast<int>(row) - 1, column, rows_[row][column]);
    SendMessageW(grid_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row) - 1, FALSE);
}

void ModificationList::LabelSauveSonsClick(IDialogs& dialogs, HWND owner, const std::wstring& installationRoot)
{
    const std::wstring path = installationRoot + report::ReportFileName(ShortDateToday());
    try {
        SaveGridAsText(path, rows_, Tab);
    } catch (const ReplacementRefused& refused) {
        dialogs.MessageDlg(owner, refused.text(), DialogKind::Error, {DialogButton::Ok});
        return;
    }
    dialogs.MessageDlg(owner, FormatMessageText(msg::ReportSaved, path), DialogKind::Information,
                       {DialogButton::Ok});
}

void ModificationList::LabelModifSonsClick(const std::wstring& installationRoot)
{
    PrintGridReport(rows_, installationRoot, PrintTitle, ShortDateToday());
}

} // namespace tessark
