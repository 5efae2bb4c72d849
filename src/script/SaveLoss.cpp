#include "script/SaveLoss.h"

#include "util/Messages.h"

#include <algorithm>
#include <vector>

namespace tessark::script {
namespace {

// The pictures that DecodeScript shows for control bytes.
bool IsControlPicture(char32_t c)
{
    return (c >= 0x2400 && c < 0x2420) || c == 0x2421;
}

// A character as the platform's wide text holds it: two halves where wchar_t has 16 bits.
std::wstring Wide(char32_t c)
{
    if constexpr (sizeof(wchar_t) == 2) {
        if (c >= 0x10000) {
            const char32_t v = c - 0x10000;
            return {static_cast<wchar_t>(0xD800 + (v >> 10)), static_cast<wchar_t>(0xDC00 + (v & 0x3FF))};
        }
    }
    return std::wstring(1, static_cast<wchar_t>(c));
}

// The lines of the text with their lost characters, each once, in text order.
std::vector<std::pair<int, std::vector<char32_t>>> ByLine(const cp1252::LostCharacters& lost)
{
    std::vector<std::pair<int, std::vector<char32_t>>> lines;
    for (const auto& [character, line] : lost) {
        if (lines.empty() || lines.back().first != line)
            lines.push_back({line, {}});
        auto& characters = lines.back().second;
        if (std::find(characters.begin(), characters.end(), character) == characters.end())
            characters.push_back(character);
    }
    return lines;
}

} // namespace

std::wstring LostCharactersText(const cp1252::LostCharacters& lost, std::size_t maxLines)
{
    const auto lines = ByLine(lost);
    std::wstring text;
    for (std::size_t i = 0; i < lines.size() && i < maxLines; ++i) {
        text += FormatMessageText(msg::LostCharactersOnLine, std::to_wstring(lines[i].first));
        for (std::size_t k = 0; k < lines[i].second.size(); ++k)
            text += (k > 0 ? L", \u00AB " : L"\u00AB ") + Wide(lines[i].second[k]) + L" \u00BB";
        text += L'\n';
    }
    if (lines.size() > maxLines)
        text += FormatMessageText(msg::ReportLinesLeftOut, std::to_wstring(lines.size() - maxLines)) + L'\n';
    return text;
}

cp1252::LostCharacters LostOnSaving(std::wstring_view editorText)
{
    return cp1252::LostIn(editorText, IsControlPicture);
}

} // namespace tessark::script
