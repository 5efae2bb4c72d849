#include "util/TextUtils.h"

#include "util/Messages.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cwchar>

namespace tessark {

std::wstring ReplaceChar(std::wstring_view text, wchar_t oldChar, wchar_t newChar)
{
    std::wstring copy(text);
    std::replace(copy.begin(), copy.end(), oldChar, newChar);
    return copy;
}

std::int32_t StrToInt(std::wstring_view text)
{
    const std::wstring copy(text);
    wchar_t* end = nullptr;
    errno = 0;
    const long long parsed = std::wcstoll(copy.c_str(), &end, 10);
    bool valid = end != copy.c_str() && errno != ERANGE && parsed >= INT32_MIN && parsed <= INT32_MAX;
    while (valid && *end == L' ')
        ++end;
    if (!valid || *end != L'\0')
        throw UserError(FormatMessageText(msg::NotAnInteger, text));
    return static_cast<std::int32_t>(parsed);
}

std::wstring GroupedThousands(std::int64_t number)
{
    const std::wstring digits = std::to_wstring(number < 0 ? -number : number);
    std::wstring grouped = number < 0 ? L"-" : L"";
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += L' ';
        grouped += digits[i];
    }
    return grouped;
}

} // namespace tessark
