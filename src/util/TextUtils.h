#pragma once
// Small text helpers of the reports.
#include <string>
#include <string_view>

namespace tessark {

// A copy of `text` with every `oldChar` turned into `newChar`.
std::wstring ReplaceChar(std::wstring_view text, wchar_t oldChar, wchar_t newChar);

} // namespace tessark
