#pragma once
// Small text helpers.
#include <cstdint>
#include <string>
#include <string_view>

namespace tessark {

// A copy of `text` with every `oldChar` turned into `newChar`.
std::wstring ReplaceChar(std::wstring_view text, wchar_t oldChar, wchar_t newChar);

// The decimal number typed in a field: optional leading blanks and sign, digits,
// optional trailing blanks. Raises UserError "'<text>' n'est pas une valeur
// entière correcte" for anything else, or beyond the signed 32-bit range.
std::int32_t StrToInt(std::wstring_view text);

// "131 072": thousands set apart by a blank, as the French texts write them.
std::wstring GroupedThousands(std::int64_t number);

} // namespace tessark
