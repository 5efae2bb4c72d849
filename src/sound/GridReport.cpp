#include "sound/GridReport.h"

#include "ui/Printer.h"
#include "util/BackupReplacement.h"
#include "util/FileErrors.h"
#include "util/FileIO.h"
#include "util/FileNames.h"
#include "util/FmxUtils.h"
#include "util/Messages.h"

namespace tessark {
namespace {

constexpr COLORREF Silver = RGB(192, 192, 192);

constexpr BackupRefusalTexts ReportRefusals{msg::ReportReadOnly, msg::ReportOldBackupNotDeleted,
                                            msg::ReportNotRenamed, msg::ReportBackupIsFolder};

void DrawCell(HDC dc, const report::PrintedCell& cell, const report::PrintUnits& units)
{
    HBRUSH fill = cell.filled ? CreateSolidBrush(Silver) : nullptr;
    HGDIOBJ oldBrush = SelectObject(dc, fill ? fill : GetStockObject(NULL_BRUSH));
    Rectangle(dc, cell.left, cell.top, cell.right, cell.bottom);
    SelectObject(dc, oldBrush);
    if (fill)
        DeleteObject(fill);
    if (cell.filled)
        return;
    RECT clip{cell.left + units.ux, cell.top + units.uy, cell.right, cell.bottom};
    ExtTextOutW(dc, cell.left, cell.top, ETO_CLIPPED, &clip, cell.text.c_str(), static_cast<UINT>(cell.text.size()),
                nullptr);
}

} // namespace

bool SaveGridAsText(const std::wstring& path, const report::Grid& grid, wchar_t separator)
{
    // The new report is complete before any name changes, so a full disk
    // costs neither the old report nor its backup.
    const std::wstring fresh = UnusedNameBeside(path, L".~new");
    try {
        WriteFileSafely(fresh, report::GridAsText(grid, separator));
    } catch (const UserError&) {
        throw EFCreateError(path);
    }
    struct DropUnused {
        const std::wstring& fresh;
        ~DropUnused() { DeleteFileW(fresh.c_str()); }
    } dropUnused{fresh};
    const auto putInPlace = [&] {
        if (!RenameFile(fresh, path))
            throw EFCreateError(path);
    };
    if (!FileExists(path))
        putInPlace();
    else
        ReplaceKeepingBackup(path, ChangeFileExt(path, L".bak"), ReportRefusals, putInPlace);
    return true;
}

void DrawReportPages(HDC printer, const std::vector<report::PrintedPage>& pages, const report::PrintUnits& units)
{
    HFONT font = CreateFontW(-units.charHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"MS Sans Serif");
    HPEN pen = CreatePen(PS_SOLID, 3, Silver);
    for (const auto& page : pages) {
        StartPage(printer);
        HGDIOBJ oldFont = SelectObject(printer, font);
        HGDIOBJ oldPen = SelectObject(printer, pen);
        SetBkMode(printer, TRANSPARENT);
        SetTextColor(printer, RGB(0, 0, 0));
        for (const auto& cell : page)
            DrawCell(printer, cell, units);
        SelectObject(printer, oldPen);
        SelectObject(printer, oldFont);
        EndPage(printer);
    }
    DeleteObject(pen);
    DeleteObject(font);
}

void PrintGridReport(const report::Grid& grid, std::wstring_view identification, std::wstring_view title,
                     std::wstring_view today)
{
    DefaultPrinterJob job(title);
    HDC printer = job.dc();
    const auto units = report::PrintUnits::For(GetDeviceCaps(printer, LOGPIXELSX), GetDeviceCaps(printer, LOGPIXELSY));
    const auto pages = report::LayOutGridReport(grid, identification,
                                                std::wstring(title) + L"  " + std::wstring(today), units);
    DrawReportPages(printer, pages, units);
}

} // namespace tessark
