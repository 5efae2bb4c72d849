#pragma once
// File masks as the file lists take them: patterns separated by ';', with '*'
// for any run of characters and '?' for one, letter case ignored (ASCII).
#include <string_view>

namespace tessark {

bool MatchesMask(std::wstring_view name, std::wstring_view mask);

} // namespace tessark
