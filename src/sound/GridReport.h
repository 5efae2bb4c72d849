#pragma once
// The modification list's report on disk and on the printer.
#include "util/Win32.h"
#include "sound/ModificationReport.h"

#include <string>
#include <string_view>

namespace tessark {

// Writes the grid as text (see report::GridAsText). An existing file of that
// name is kept as its ".bak" first, replacing an older ".bak". The new report
// is complete on disk before anything is renamed: a failure leaves the old
// report and its backup as they were, and no other file behind. Raises
// ReplacementRefused when the report or its old backup is read-only (or
// cannot be renamed, or a folder bears the backup's name), else the file
// errors.
bool SaveGridAsText(const std::wstring& path, const report::Grid& grid, wchar_t separator);

// Draws the laid-out pages on a printer's device context, one page at a time
// between StartPage and EndPage.
void DrawReportPages(HDC printer, const std::vector<report::PrintedPage>& pages, const report::PrintUnits& units);

// Prints the grid on the default printer without a dialog. Raises UserError
// "Aucune imprimante par défaut sélectionnée" when there is none, or the
// printing error.
void PrintGridReport(const report::Grid& grid, std::wstring_view identification, std::wstring_view title,
                     std::wstring_view today);

} // namespace tessark
