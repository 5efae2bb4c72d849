#include "util/Messages.h"

namespace tessark {

std::wstring FormatMessageText(std::wstring_view pattern, std::wstring_view argument)
{
    std::wstring result;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == L'%' && i + 1 < pattern.size() && pattern[i + 1] == L's') {
            result += argument;
            ++i;
        } else {
            result += pattern[i];
        }
    }
    return result;
}

std::wstring ErrorDisplayText(std::wstring_view text)
{
    std::wstring result(text);
    if (!result.empty() && result.back() > L'.')
        result += L'.';
    return result;
}

namespace {
std::string Narrow(const std::wstring& text)
{
    // what() is only for diagnostics; the user always sees text().
    std::string result;
    for (wchar_t c : text)
        result += (c < 0x80) ? static_cast<char>(c) : '?';
    return result;
}
} // namespace

UserError::UserError(std::wstring text)
    : std::runtime_error(Narrow(text)), text_(std::move(text))
{
}

} // namespace tessark
