#include "util/Text1252.h"

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

} // namespace

wchar_t ToUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F && High[byte - 0x80] != 0)
        return High[byte - 0x80];
    return static_cast<wchar_t>(byte);
}

std::optional<unsigned char> FromUnicode(wchar_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<unsigned char>(c);
    for (unsigned i = 0; i < High.size(); ++i) {
        const wchar_t mapped = High[i] != 0 ? High[i] : static_cast<wchar_t>(0x80 + i);
        if (mapped == c)
            return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

} // namespace tessark::cp1252
