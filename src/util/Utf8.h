#pragma once
// Recognising UTF-8 among the 8-bit texts of an installation. Today's editors
// write UTF-8, often with a byte-order mark, while the game and its compiler
// read every byte as one Windows-1252 character.
#include <cstddef>
#include <optional>
#include <string_view>

namespace tessark::utf8 {

inline constexpr std::string_view Mark = "\xEF\xBB\xBF";

bool HasMark(std::string_view bytes);
std::string_view WithoutMark(std::string_view bytes);

struct Decoded {
    char32_t character;
    std::size_t length; // bytes taken, 1 to 4
};

// The character that starts at `at`, or nothing when the bytes there are no
// well-formed UTF-8 (overlong forms and surrogates included).
std::optional<Decoded> DecodeAt(std::string_view bytes, std::size_t at);

// When the whole text is well-formed UTF-8 and holds a character beyond ASCII:
// the 1-based line of the first one. A Windows-1252 text with accents almost
// never passes for UTF-8, so this tells the two apart.
std::optional<int> FirstLineBeyondAscii(std::string_view bytes);

// A mark, or well-formed UTF-8 beyond ASCII: the line the finding belongs to.
std::optional<int> Utf8Line(std::string_view bytes);

} // namespace tessark::utf8
