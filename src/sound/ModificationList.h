#pragma once
// The list of the replacements made since the program started: the grid of
// the sound area, its counter, and the two strip labels that save and print it.
#include "util/Win32.h"
#include "sound/ModificationReport.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessark {

class IDialogs;

class ModificationList {
public:
    // The grid goes into `gridParent`, the two labels into the strip.
    void Create(HWND gridParent, HWND strip);
    HWND Grid() const { return grid_; }
    HWND SaveLabel() const { return saveLabel_; }
    HWND PrintLabel() const { return printLabel_; }

    // Column widths and row height at the grid's DPI, when it changed.
    void FollowDpi(int dpi);
    // The header row, written once at start-up.
    void SetHeaders();
    // `sample`, the full path of the sample written, is what a restore from
    // the row puts back.
    void AddModification(std::wstring_view original, std::wstring_view replacement, std::wstring_view backup,
                         std::wstring sample = {});
    // The full path of the sample of the selected row; empty when no row is selected.
    std::wstring SelectedSample() const;
    std::int32_t NbRemplacements() const { return count_; }
    // The grid's cells, the header row first.
    const report::Grid& Rows() const { return rows_; }

    // Writes the report into the installation root; a refused replacement of
    // the earlier report is told here, the other file errors are raised.
    void LabelSauveSonsClick(IDialogs& dialogs, HWND owner, const std::wstring& installationRoot);
    // Prints the list on the default printer; raises the printing errors.
    void LabelModifSonsClick(const std::wstring& installationRoot);

private:
    void ShowRow(std::size_t row);

    HWND grid_ = nullptr;
    HWND printLabel_ = nullptr;
    HWND saveLabel_ = nullptr;
    report::Grid rows_;
    std::vector<std::wstring> samples_;  // one per data row
    std::int32_t count_ = 0;
    int cellsDpi_ = 0;
};

// Today's date in the user's short date format.
std::wstring ShortDateToday();

} // namespace tessark
