#pragma once
// One line of the script report shown under the editor: what the compiler
// said, or what the check of the script found.
#include <string>
#include <vector>

namespace tessark {

struct ReportLine {
    std::string text;    // Windows-1252, as shown
    int scriptLine = 0;  // 1-based line of the script it is about; 0 when none
    bool error = false;  // shown in red
};

using Report = std::vector<ReportLine>;

} // namespace tessark
