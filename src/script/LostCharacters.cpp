#include "script/LostCharacters.h"

#include "util/Text1252.h"

#include <algorithm>

namespace tessark::script {
namespace {

constexpr wchar_t ControlPictures = 0x2400;
constexpr wchar_t DeletePicture = 0x2421;
constexpr wchar_t Replacement = 0xFFFD;

bool IsHighSurrogate(wchar_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(wchar_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

// What EncodeScript writes as a byte of its own.
bool IsStored(wchar_t c)
{
    if (c >= ControlPictures && c < ControlPictures + 0x20)
        return true;
    return c == DeletePicture || cp1252::FromUnicode(c).has_value();
}

// The characters of `all`, one after another: a pair of UTF-16 surrogates is one.
std::size_t CharacterLength(const std::wstring& all, std::size_t at)
{
    return at + 1 < all.size() && IsHighSurrogate(all[at]) && IsLowSurrogate(all[at + 1]) ? 2 : 1;
}

} // namespace

std::vector<LostOnLine> CharactersLostIn1252(std::wstring_view text)
{
    std::vector<LostOnLine> lost;
    int line = 1;
    for (std::size_t i = 0; i < text.size();) {
        const wchar_t c = text[i];
        if (c == L'\r' || c == L'\n') {
            i += (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ? 2 : 1;
            ++line;
            continue;
        }
        std::wstring character(1, c);
        if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]))
            character += text[i + 1];
        i += character.size();
        if (character.size() == 1 && IsStored(c))
            continue;
        // A lone half of a pair cannot be shown: the replacement character stands for it.
        if (character.size() == 1 && (IsHighSurrogate(c) || IsLowSurrogate(c)))
            character = std::wstring(1, Replacement);
        if (lost.empty() || lost.back().line != line)
            lost.push_back({line, {}});
        auto& characters = lost.back().characters;
        bool seen = false;
        for (std::size_t at = 0; at < characters.size() && !seen; at += CharacterLength(characters, at))
            seen = characters.compare(at, CharacterLength(characters, at), character) == 0;
        if (!seen)
            characters += character;
    }
    return lost;
}

std::wstring DescribeLostCharacters(const std::vector<LostOnLine>& lost, std::size_t maxLines,
                                    std::size_t maxCharacters)
{
    std::wstring text;
    const std::size_t shown = std::min(lost.size(), maxLines);
    for (std::size_t l = 0; l < shown; ++l) {
        const std::wstring& all = lost[l].characters;
        text += L"ligne " + std::to_wstring(lost[l].line) + L" :";
        std::size_t count = 0, at = 0;
        for (; at < all.size() && count < maxCharacters; at += CharacterLength(all, at), ++count)
            text += L" " + all.substr(at, CharacterLength(all, at));
        if (at < all.size())
            text += L" ...";
        text += L'\n';
    }
    if (lost.size() > shown) {
        const std::size_t more = lost.size() - shown;
        text += L"... et " + std::to_wstring(more) + (more == 1 ? L" ligne de plus.\n" : L" lignes de plus.\n");
    }
    return text;
}

} // namespace tessark::script
