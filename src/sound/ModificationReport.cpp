#include "sound/ModificationReport.h"

#include "util/Text1252.h"
#include "util/TextUtils.h"

#include <cmath>

namespace tessark::report {
namespace {

class Printer {
public:
    explicit Printer(const PrintUnits& units) : units_(units) { pages_.emplace_back(); }

    // Adds a cell of `length` characters at (x, y); returns it.
    const PrintedCell& Cell(int x, int y, std::size_t length, bool filled, std::wstring text)
    {
        PrintedCell cell;
        cell.left = x;
        cell.top = y;
        cell.right = x + static_cast<int>(length) * units_.charWidth;
        cell.bottom = y + units_.charHeight + 5 * units_.uy;
        cell.filled = filled;
        if (!filled)
            cell.text = std::move(text);
        pages_.back().push_back(std::move(cell));
        return pages_.back().back();
    }
    void NewPage() { pages_.emplace_back(); }
    std::vector<PrintedPage> Pages() { return std::move(pages_); }

private:
    PrintUnits units_;
    std::vector<PrintedPage> pages_;
};

} // namespace

std::wstring ReportFileName(std::wstring_view shortDate)
{
    return L"ModifSFX_" + ReplaceChar(shortDate, L'/', L'_') + L".txt";
}

std::string GridAsText(const Grid& grid, wchar_t separator)
{
    const std::wstring emptyCell = separator == L' ' ? L"_" : L" ";
    std::wstring text;
    for (const auto& row : grid) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (c > 0)
                text += separator;
            text += row[c].empty() ? emptyCell : row[c];
        }
        text += L"\r\n";
    }
    std::string bytes;
    bytes.reserve(text.size());
    for (wchar_t c : text)
        bytes += static_cast<char>(cp1252::FromUnicode(c).value_or('?'));
    return bytes;
}

PrintUnits PrintUnits::For(int dotsPerInchX, int dotsPerInchY)
{
    PrintUnits units;
    units.charHeight = static_cast<int>(std::lround(8.0 * dotsPerInchY / 72.0));
    units.ux = dotsPerInchX / 90;
    units.uy = dotsPerInchY / 90;
    units.charWidth = units.charHeight - 5 * units.ux;
    return units;
}

std::vector<PrintedPage> LayOutGridReport(const Grid& grid, std::wstring_view identification,
                                          std::wstring_view titleLine, const PrintUnits& units)
{
    Printer printer(units);
    int y = ReportTop;
    y = printer.Cell(ReportLeft, y, titleLine.size(), false, std::wstring(titleLine)).bottom;
    const std::wstring identity = L"Identification : " + std::wstring(identification);
    y = printer.Cell(ReportLeft, y, identity.size(), false, identity).bottom;
    y = printer.Cell(ReportLeft, y, identity.size(), true, {}).bottom;
    const std::vector<std::wstring> header = grid.empty() ? std::vector<std::wstring>{} : grid.front();
    int rowsOnPage = 0;
    for (const auto& row : grid) {
        int x = ReportLeft, bottom = y;
        for (std::size_t i = 0; i < header.size(); ++i) {
            const std::wstring cell = i < row.size() ? row[i] : std::wstring();
            const PrintedCell& printed = printer.Cell(x, y, header[i].size(), false, L" " + cell + L"          ");
            x = printed.right;
            bottom = printed.bottom;
        }
        y = bottom;
        if (++rowsOnPage == RowsPerPage) {
            rowsOnPage = 0;
            printer.NewPage();
            y = ReportTop;
        }
    }
    return printer.Pages();
}

} // namespace tessark::report
