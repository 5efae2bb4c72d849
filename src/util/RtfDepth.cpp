#include "util/RtfDepth.h"

#include <algorithm>

namespace tessark::rtf {
namespace {

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Reads the control word that starts after a backslash at `at`; returns where
// the text after it starts, and how many bytes of binary data follow it.
std::size_t SkipControlWord(std::string_view document, std::size_t at, std::size_t& binaryBytes)
{
    const std::size_t nameStart = at;
    while (at < document.size() && IsLetter(document[at]))
        ++at;
    const std::string_view name = document.substr(nameStart, at - nameStart);
    const bool negative = at < document.size() && document[at] == '-';
    if (negative)
        ++at;
    std::size_t parameter = 0;
    while (at < document.size() && IsDigit(document[at])) {
        const std::size_t digit = static_cast<std::size_t>(document[at] - '0');
        parameter = std::min(parameter * 10 + digit, document.size());
        ++at;
    }
    if (at < document.size() && document[at] == ' ')
        ++at;   // the space that ends a control word belongs to it
    binaryBytes = (name == "bin" && !negative) ? parameter : 0;
    return at;
}

} // namespace

std::size_t GroupDepth(std::string_view document, BinaryData binary)
{
    std::size_t depth = 0, deepest = 0;
    std::size_t at = 0;
    while (at < document.size()) {
        const char c = document[at++];
        if (c == '{') {
            deepest = std::max(deepest, ++depth);
        } else if (c == '}') {
            if (depth > 0)
                --depth;
        } else if (c == '\\' && at < document.size()) {
            if (!IsLetter(document[at])) {
                ++at;   // a control symbol: "\{", "\}", "\\", "\'", ...
                continue;
            }
            std::size_t binaryBytes = 0;
            at = SkipControlWord(document, at, binaryBytes);
            if (binary == BinaryData::Skipped)
                at += std::min(binaryBytes, document.size() - at);
        }
    }
    return deepest;
}

} // namespace tessark::rtf
