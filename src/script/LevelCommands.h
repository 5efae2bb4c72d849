#pragma once
// The commands of the [Title] and [Level] sections as the compiler reads them
// into a level block (the rules are in ScriptCompiler.cpp).
#include "script/ScriptModel.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tessark::script::compiler {

struct LevelContext {
    // The index of a string's name in language file 0; nothing (and the
    // error already given) when it is not there.
    std::function<std::optional<std::size_t>(std::string_view name, int line)> lookup;
    std::function<void(int line, std::string text)> fail;
    std::function<std::string()> languageName; // of language file 0
};

void ReadLevelCommand(const CommandLine& line, Block& block, const LevelContext& context);

// A number as C's strtol reads it: leading blanks, a sign, decimal digits, or
// "$" and hex digits; 0 when there is none.
long long ReadNumber(std::string_view text);

bool IsEnabled(std::string_view value);

} // namespace tessark::script::compiler
