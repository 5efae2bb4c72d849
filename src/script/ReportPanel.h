#pragma once
// The report under the script editor: what the compiler said or what the
// check found, one line each, error lines in red. Empty until there is a
// report to show.
#include "script/ReportLine.h"
#include "util/Win32.h"

namespace tessark {

class ReportPanel {
public:
    ReportPanel(HWND parent, int id);
    ReportPanel(const ReportPanel&) = delete;
    ReportPanel& operator=(const ReportPanel&) = delete;

    HWND hwnd() const { return list_; }
    // Replaces the lines shown, scrolled to the first or the last.
    void Show(const Report& report, bool fromTheEnd);
    // The script line the shown line at `index` names; 0 when none.
    int ScriptLineAt(int index) const;
    bool OnDrawItem(const DRAWITEMSTRUCT& item);
    // Line height and width for the font of the list's DPI.
    void FitToFont();

private:
    HWND list_ = nullptr;
    Report lines_;
};

// Past this many lines, the rest are summed up in one last line.
inline constexpr std::size_t MaximumReportLines = 5000;
inline constexpr COLORREF ReportErrorColour = RGB(200, 0, 0);

} // namespace tessark
