#pragma once
// The reports of the modification list: the text file and the printed table.
// A grid is its rows, each a list of cell texts, the header row first.
#include <string>
#include <string_view>
#include <vector>

namespace tessark::report {

using Grid = std::vector<std::vector<std::wstring>>;

// "ModifSFX_" + the date with every '/' turned into '_' + ".txt".
std::wstring ReportFileName(std::wstring_view shortDate);

// The grid as Windows-1252 text: one line per row ending in CR LF, cells
// joined by `separator`, an empty cell written as "_" when the separator is a
// blank and as one blank otherwise. Characters the code page lacks become '?'.
std::string GridAsText(const Grid& grid, wchar_t separator);

// Printer measures, in printer pixels.
struct PrintUnits {
    int charHeight = 0;  // of the printing font
    int ux = 0;          // horizontal report unit
    int uy = 0;          // vertical report unit
    int charWidth = 0;   // allowed per character
    // From the printer's resolution, with the default 8-point font.
    static PrintUnits For(int dotsPerInchX, int dotsPerInchY);
};

struct PrintedCell {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool filled = false;  // a silver bar without text
    std::wstring text;    // drawn from the top-left corner, cut at the cell
};

using PrintedPage = std::vector<PrintedCell>;

inline constexpr int RowsPerPage = 40;
inline constexpr int ReportLeft = 100;
inline constexpr int ReportTop = 250;

// The pages of the printed table: on the first, the title line, the
// identification line and a bar, then 40 grid rows a page. The columns are
// as wide as their header texts. A page is started after every 40th row, so a
// table that fills its last page exactly ends with an empty one.
std::vector<PrintedPage> LayOutGridReport(const Grid& grid, std::wstring_view identification,
                                          std::wstring_view titleLine, const PrintUnits& units);

} // namespace tessark::report
