#include "util/TextUtils.h"

#include <algorithm>

namespace tessark {

std::wstring ReplaceChar(std::wstring_view text, wchar_t oldChar, wchar_t newChar)
{
    std::wstring copy(text);
    std::replace(copy.begin(), copy.end(), oldChar, newChar);
    return copy;
}

} // namespace tessark
