#pragma once
// Windows-1252, the code page of every text file this system reads or writes.
// The five bytes the code page leaves undefined map to the C1 controls of the
// same value, as Windows itself does, so every byte survives a round trip.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessark::cp1252 {

wchar_t ToUnicode(unsigned char byte);
// The byte of a character, or nothing when the code page has no such character.
std::optional<unsigned char> FromUnicode(wchar_t c);
// The same for any Unicode character, beyond the 16 bits of a Windows wchar_t too.
std::optional<unsigned char> ByteOf(char32_t c);

// A whole text each way: characters the code page lacks become "?".
std::string Encode(std::wstring_view text);
std::wstring Decode(std::string_view bytes);

// A character that Windows-1252 cannot hold, with its 1-based line ("\r\n",
// "\n" and "\r" each end a line), so that a save can say what it would lose
// instead of writing "?" without a word.
struct LostCharacter {
    char32_t character;
    int line;
    bool operator==(const LostCharacter&) const = default;
};
using LostCharacters = std::vector<LostCharacter>;

// Characters the caller writes in a way of its own, and so does not lose.
using KeptOtherwise = bool (*)(char32_t);

// In text order. UTF-16 surrogate pairs count as the one character they make.
LostCharacters LostIn(std::wstring_view text, KeptOtherwise kept = nullptr);
// The same for UTF-8 bytes; a byte that is no UTF-8 is taken as the
// Windows-1252 character it already is.
LostCharacters LostInUtf8(std::string_view utf8);

struct Converted {
    std::string bytes;    // Windows-1252, "?" for each lost character
    LostCharacters lost;
};

// A UTF-8 text (its mark dropped) in Windows-1252, line ends kept as they are.
Converted FromUtf8(std::string_view utf8);

} // namespace tessark::cp1252
