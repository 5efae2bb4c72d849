#include "script/LanguageCheck.h"

#include "script/CheckText.h"
#include "script/NgValues.h"
#include "util/Messages.h"

#include <bitset>
#include <charconv>
#include <optional>

namespace tessark::script::check {
namespace {

// NG Center numbers the extra strings from 0 to 4095.
constexpr std::size_t ExtraNgStrings = 4096;

std::optional<std::size_t> ExtraNgNumber(std::string_view line)
{
    const auto colon = line.find(':');
    const std::string_view number = Trim(line.substr(0, colon));
    std::size_t value = 0;
    if (colon == std::string_view::npos || !IsNumber(number) || number.starts_with('$'))
        return std::nullopt;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc{} || value >= ExtraNgStrings)
        return std::nullopt;
    return value;
}

} // namespace

std::vector<FileFinding> CheckLanguageText(std::string_view text)
{
    std::vector<FileFinding> findings;
    std::bitset<ExtraNgStrings> given;
    bool inExtraNg = false;
    LineReader lines(text);
    int number = 0;
    while (const auto line = lines.Next()) {
        ++number;
        const std::string_view trimmed = Trim(*line);
        if (trimmed.starts_with('[')) {
            inExtraNg = SameWord(trimmed, "[ExtraNG]");
            continue;
        }
        if (!inExtraNg || trimmed.empty() || trimmed.starts_with(';'))
            continue;
        const auto index = ExtraNgNumber(trimmed);
        if (!index)
            findings.push_back({number, Fill(msg::ExtraNgMalformed, {})});
        else if (given.test(*index))
            findings.push_back({number, Fill(msg::ExtraNgRepeated, {std::to_string(*index)})});
        else
            given.set(*index);
    }
    return findings;
}

} // namespace tessark::script::check
