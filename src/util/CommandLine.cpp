#include "util/CommandLine.h"

namespace tessark {

std::wstring QuoteArgument(std::wstring_view argument)
{
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring_view::npos)
        return std::wstring(argument);
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        // Backslashes count only before a quote: there they must be doubled.
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    // The closing quote follows: trailing backslashes are doubled too.
    quoted.append(backslashes * 2, L'\\');
    quoted += L'"';
    return quoted;
}

std::wstring CommandLine(std::wstring_view program, std::initializer_list<std::wstring_view> arguments)
{
    std::wstring line = QuoteArgument(program);
    for (std::wstring_view argument : arguments) {
        line += L' ';
        line += QuoteArgument(argument);
    }
    return line;
}

} // namespace tessark
