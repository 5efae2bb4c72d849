#include "util/Utf8.h"

namespace tessark::utf8 {
namespace {

constexpr bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

struct Lead {
    std::size_t length;
    char32_t bits;
    char32_t smallest; // below it the form is overlong
};

std::optional<Lead> LeadOf(unsigned char byte)
{
    if (byte < 0x80)
        return Lead{1, byte, 0};
    if ((byte & 0xE0) == 0xC0)
        return Lead{2, static_cast<char32_t>(byte & 0x1F), 0x80};
    if ((byte & 0xF0) == 0xE0)
        return Lead{3, static_cast<char32_t>(byte & 0x0F), 0x800};
    if ((byte & 0xF8) == 0xF0)
        return Lead{4, static_cast<char32_t>(byte & 0x07), 0x10000};
    return std::nullopt;
}

} // namespace

bool HasMark(std::string_view bytes) { return bytes.starts_with(Mark); }

std::string_view WithoutMark(std::string_view bytes)
{
    return HasMark(bytes) ? bytes.substr(Mark.size()) : bytes;
}

std::optional<Decoded> DecodeAt(std::string_view bytes, std::size_t at)
{
    const auto lead = LeadOf(static_cast<unsigned char>(bytes[at]));
    if (!lead || bytes.size() - at < lead->length)
        return std::nullopt;
    char32_t c = lead->bits;
    for (std::size_t i = 1; i < lead->length; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[at + i]);
        if (!IsContinuation(byte))
            return std::nullopt;
        c = (c << 6) | (byte & 0x3F);
    }
    if (c < lead->smallest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return std::nullopt;
    return Decoded{c, lead->length};
}

std::optional<int> FirstLineBeyondAscii(std::string_view bytes)
{
    std::optional<int> first;
    int line = 1;
    for (std::size_t i = 0; i < bytes.size();) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) { // the common case, taken fast
            const bool crlf = bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n';
            line += (bytes[i] == '\n' || (bytes[i] == '\r' && !crlf)) ? 1 : 0;
            ++i;
            continue;
        }
        const auto decoded = DecodeAt(bytes, i);
        if (!decoded)
            return std::nullopt;
        if (!first)
            first = line;
        i += decoded->length;
    }
    return first;
}

std::optional<int> Utf8Line(std::string_view bytes)
{
    if (HasMark(bytes))
        return 1;
    return FirstLineBeyondAscii(bytes);
}

} // namespace tessark::utf8
