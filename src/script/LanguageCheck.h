#pragma once
// The check of a language file's own layout beyond what the classic compiler
// reads: the [ExtraNG] section that NG Center adds, "number: text" lines.
#include <string>
#include <string_view>
#include <vector>

namespace tessark::script::check {

struct FileFinding {
    int line; // 1-based, in the language file
    std::string text;
};

// `text` without its UTF-8 mark, if it had one.
std::vector<FileFinding> CheckLanguageText(std::string_view text);

} // namespace tessark::script::check
