#pragma once
// Lines of a script or language file as the engine's DOS script compiler sees
// them: only LF ends a line (a CR before it goes, as DOS text reading drops
// it), and a line ends at its first NUL, as a C string does.
#include <algorithm>
#include <string_view>

namespace tessark::script {

inline constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";

inline std::string_view WithoutByteOrderMark(std::string_view text)
{
    if (text.starts_with(Utf8ByteOrderMark))
        text.remove_prefix(Utf8ByteOrderMark.size());
    return text;
}

// Calls visit(line, 1-based number) for each line.
template <typename Visit>
void ForEachLine(std::string_view text, Visit&& visit)
{
    int number = 0;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        visit(line.substr(0, line.find('\0')), ++number);
    }
}

constexpr bool IsBlank(char c) { return c == ' ' || c == '\t'; }

inline std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

constexpr char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

inline bool SameWordNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return AsciiUpper(x) == AsciiUpper(y); });
}

} // namespace tessark::script
