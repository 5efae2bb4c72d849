#pragma once
// Building Windows command lines so that each argument reaches the started
// program whole, whatever blanks, quotes or backslashes it holds.
#include <initializer_list>
#include <string>
#include <string_view>

namespace tessark {

// The argument as the C runtime's command-line parsing will give it back:
// unchanged when it needs no quotes, otherwise in quotes with the backslashes
// before a quote doubled and each inner quote escaped.
std::wstring QuoteArgument(std::wstring_view argument);

// The program and its arguments, each quoted as needed, one blank apart.
std::wstring CommandLine(std::wstring_view program, std::initializer_list<std::wstring_view> arguments);

} // namespace tessark
