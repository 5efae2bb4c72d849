// Any bytes checked as a script, with the files it includes or names as
// language files cut from the same bytes: no crash, no endless include, and
// every finding is an error on a line of the script, whose French text begins
// with that line number.
#include "script/ScriptCheck.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

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

// The script, then the texts of the script folder's files, parted by '\x01'.
std::vector<std::string_view> Parts(std::string_view bytes)
{
    std::vector<std::string_view> parts;
    for (;;) {
        const auto cut = bytes.find('\x01');
        parts.push_back(bytes.substr(0, cut));
        if (cut == std::string_view::npos)
            return parts;
        bytes.remove_prefix(cut + 1);
    }
}

// Each name leads to one of the files by the sum of its letters, in any case as
// on Windows; a name that leads past the last one is missing.
tessark::ScriptFileLookup Lookup(const std::vector<std::string_view>& parts)
{
    tessark::ScriptFileLookup lookup{EvenLength, EvenLength};
    lookup.readScriptFile = [&parts](std::string_view name) -> std::optional<std::string> {
        unsigned sum = 0;
        for (char c : name)
            sum += static_cast<unsigned char>((c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c);
        const std::size_t index = sum % (parts.size() + 1);
        if (index == 0 || index >= parts.size())
            return std::nullopt;
        return std::string(parts[index]);
    };
    return lookup;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto parts = Parts(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::string_view text = parts.front();
    const auto dialect = size % 2 == 0 ? tessark::ScriptDialect::FromText : tessark::ScriptDialect::Trng;
    const tessark::Report report = tessark::CheckScript(text, Lookup(parts), dialect);
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
