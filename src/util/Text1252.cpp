#include "util/Text1252.h"

#include "util/Utf8.h"

#include <array>

namespace tessark::cp1252 {
namespace {

// 0x80..0x9F; zero marks the bytes the code page leaves undefined.
constexpr std::array<wchar_t, 32> High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

// Counts lines as characters go by; a CR LF pair ends one line.
class LineCount {
public:
    int line() const { return line_; }

    void Pass(char32_t c)
    {
        if (c == U'\n' && !afterCr_)
            ++line_;
        if (c == U'\r')
            ++line_;
        afterCr_ = c == U'\r';
    }

private:
    int line_ = 1;
    bool afterCr_ = false;
};

constexpr bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
constexpr bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The character at `i` of a wide text and how many units it takes.
std::pair<char32_t, std::size_t> CharacterAt(std::wstring_view text, std::size_t i)
{
    const auto c = static_cast<char32_t>(text[i]);
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(static_cast<char32_t>(text[i + 1]))) {
        const auto low = static_cast<char32_t>(text[i + 1]);
        return {0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00), 2};
    }
    return {c, 1};
}

// The character at `at` of UTF-8 bytes; a stray byte stands for itself in Windows-1252.
utf8::Decoded Utf8At(std::string_view bytes, std::size_t at)
{
    if (const auto decoded = utf8::DecodeAt(bytes, at))
        return *decoded;
    return {static_cast<char32_t>(ToUnicode(static_cast<unsigned char>(bytes[at]))), 1};
}

} // namespace

wchar_t ToUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F && High[byte - 0x80] != 0)
        return High[byte - 0x80];
    return static_cast<wchar_t>(byte);
}

std::optional<unsigned char> ByteOf(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<unsigned char>(c);
    for (unsigned i = 0; i < High.size(); ++i) {
        const char32_t mapped = High[i] != 0 ? static_cast<char32_t>(High[i]) : 0x80 + i;
        if (mapped == c)
            return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

std::optional<unsigned char> FromUnicode(wchar_t c)
{
    return ByteOf(static_cast<char32_t>(c));
}

std::string Encode(std::wstring_view text)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (wchar_t c : text)
        bytes += static_cast<char>(FromUnicode(c).value_or('?'));
    return bytes;
}

std::wstring Decode(std::string_view bytes)
{
    std::wstring text;
    text.reserve(bytes.size());
    for (char byte : bytes)
        text += ToUnicode(static_cast<unsigned char>(byte));
    return text;
}

LostCharacters LostIn(std::wstring_view text, KeptOtherwise kept)
{
    LostCharacters lost;
    LineCount lines;
    for (std::size_t i = 0; i < text.size();) {
        const auto [c, units] = CharacterAt(text, i);
        if (!ByteOf(c) && !(kept && kept(c)))
            lost.push_back({c, lines.line()});
        lines.Pass(c);
        i += units;
    }
    return lost;
}

LostCharacters LostInUtf8(std::string_view utf8)
{
    return FromUtf8(utf8).lost;
}

Converted FromUtf8(std::string_view utf8)
{
    const std::string_view text = utf8::WithoutMark(utf8);
    Converted result;
    result.bytes.reserve(text.size());
    LineCount lines;
    for (std::size_t i = 0; i < text.size();) {
        const auto [c, length] = Utf8At(text, i);
        const auto byte = ByteOf(c);
        if (!byte)
            result.lost.push_back({c, lines.line()});
        result.bytes += static_cast<char>(byte.value_or('?'));
        lines.Pass(c);
        i += length;
    }
    return result;
}

} // namespace tessark::cp1252
