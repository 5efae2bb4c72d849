// Any bytes checked as a script: no crash, and every finding is an error on a
// line of the text, whose French text begins with that line number.
#include "script/ScriptCheck.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

int LineCount(std::string_view text)
{
    int lines = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
            ++lines;
    }
    return lines;
}

// Files "exist" by the parity of their name's length, so both answers are taken.
bool EvenLength(std::string_view name) { return name.size() % 2 == 0; }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const tessark::Report report = tessark::CheckScript(text, {EvenLength, EvenLength});
    const int lines = LineCount(text);
    if (report.size() > 1001)
        std::abort();
    for (std::size_t i = 0; i < report.size(); ++i) {
        const auto& finding = report[i];
        if (!finding.error || finding.scriptLine < 1 || finding.scriptLine > lines)
            std::abort();
        const bool closingCount = i == 1000;
        if (!closingCount && !finding.text.starts_with("Ligne " + std::to_string(finding.scriptLine) + " : "))
            std::abort();
        if (i > 0 && finding.scriptLine < report[i - 1].scriptLine)
            std::abort();
    }
    return 0;
}
