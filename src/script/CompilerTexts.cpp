#include "script/CompilerTexts.h"

#include "util/Text1252.h"

namespace tessark {

std::string FillCompilerText(std::wstring_view pattern, std::initializer_list<std::string_view> values)
{
    std::string text;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const wchar_t next = i + 1 < pattern.size() ? pattern[i + 1] : L'\0';
        const auto index = static_cast<std::size_t>(next - L'1');
        if (pattern[i] == L'%' && next >= L'1' && next <= L'9' && index < values.size()) {
            text += values.begin()[index];
            ++i;
        } else {
            text += static_cast<char>(cp1252::FromUnicode(pattern[i]).value_or('?'));
        }
    }
    return text;
}

} // namespace tessark
