#include "script/CheckText.h"

#include "util/Text1252.h"

#include <algorithm>

namespace tessark::script::check {

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool SameWord(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return Lower(x) == Lower(y);
           });
}

std::string_view WithoutComment(std::string_view line)
{
    return Trim(line.substr(0, line.find(';')));
}

std::vector<std::string_view> SplitValues(std::string_view value, bool wholeText)
{
    std::vector<std::string_view> values;
    if (value.empty())
        return values;
    if (wholeText) {
        values.push_back(value);
        return values;
    }
    for (;;) {
        const auto comma = value.find(',');
        values.push_back(Trim(value.substr(0, comma)));
        if (comma == std::string_view::npos)
            return values;
        value.remove_prefix(comma + 1);
    }
}

bool InsideScriptFolder(std::string_view path)
{
    if (path.find(':') != std::string_view::npos || path.starts_with('\\') || path.starts_with('/'))
        return false;
    while (!path.empty()) {
        const auto separator = path.find_first_of("\\/");
        if (Trim(path.substr(0, separator)) == "..")
            return false;
        if (separator == std::string_view::npos)
            break;
        path.remove_prefix(separator + 1);
    }
    return true;
}

std::string To1252(std::wstring_view text)
{
    return cp1252::Encode(text);
}

std::string Fill(std::wstring_view pattern, std::initializer_list<std::string_view> values)
{
    const std::string bytes = To1252(pattern);
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char next = i + 1 < bytes.size() ? bytes[i + 1] : '\0';
        const auto index = static_cast<std::size_t>(next - '1');
        if (bytes[i] == '%' && next >= '1' && next <= '9' && index < values.size()) {
            text += values.begin()[index];
            ++i;
        } else {
            text += bytes[i];
        }
    }
    return text;
}

std::optional<std::string_view> LineReader::Next()
{
    if (done_)
        return std::nullopt;
    // A plain loop: find_first_of asks memchr about the two line-end bytes at every byte.
    std::size_t end = 0;
    while (end < rest_.size() && rest_[end] != '\r' && rest_[end] != '\n')
        ++end;
    if (end == rest_.size()) {
        done_ = true;
        return rest_;
    }
    const std::string_view line = rest_.substr(0, end);
    const bool crlf = rest_[end] == '\r' && end + 1 < rest_.size() && rest_[end + 1] == '\n';
    rest_.remove_prefix(end + (crlf ? 2 : 1));
    return line;
}

} // namespace tessark::script::check
