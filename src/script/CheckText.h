#pragma once
// The pieces of reading a script line the way the compilers do, shared by
// the checks of scripts, included files and language files.
#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessark::script::check {

constexpr bool IsBlank(char c) { return c == ' ' || c == '\t'; }
constexpr char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string_view Trim(std::string_view text);
bool SameWord(std::string_view a, std::string_view b);
std::string_view WithoutComment(std::string_view line);
// The values of "a, b, c"; one value with its commas when `wholeText`.
std::vector<std::string_view> SplitValues(std::string_view value, bool wholeText);
// No drive, no absolute path, no "..": a file the script folder holds.
bool InsideScriptFolder(std::string_view path);

std::string To1252(std::wstring_view text);
// The pattern (a French text) in Windows-1252, %1, %2, ... replaced by the values in order.
std::string Fill(std::wstring_view pattern, std::initializer_list<std::string_view> values);

// The lines of the text, each without its line end; "\r\n", "\n" and "\r" each end a line.
class LineReader {
public:
    explicit LineReader(std::string_view text) : rest_(text) {}
    std::optional<std::string_view> Next();

private:
    std::string_view rest_;
    bool done_ = false;
};

} // namespace tessark::script::check
