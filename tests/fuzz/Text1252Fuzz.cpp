// Any bytes converted from UTF-8 to Windows-1252: every lost character is one
// "?" of the result, on a line that exists, in text order.
#include "util/Text1252.h"
#include "util/Utf8.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto converted = tessark::cp1252::FromUtf8(bytes);
    const std::string_view text = tessark::utf8::WithoutMark(bytes);
    if (converted.bytes.size() > text.size())
        std::abort();
    const auto marks = std::count(converted.bytes.begin(), converted.bytes.end(), '?');
    const auto typed = std::count(text.begin(), text.end(), '?');
    if (marks != typed + static_cast<std::ptrdiff_t>(converted.lost.size()))
        std::abort();
    const auto lineEnds = std::count_if(converted.bytes.begin(), converted.bytes.end(),
                                        [](char c) { return c == '\n' || c == '\r'; });
    for (std::size_t i = 0; i < converted.lost.size(); ++i) {
        const int line = converted.lost[i].line;
        if (line < 1 || line > lineEnds + 1 || (i > 0 && line < converted.lost[i - 1].line))
            std::abort();
    }
    if (tessark::cp1252::LostInUtf8(bytes) != converted.lost)
        std::abort();
    return 0;
}
