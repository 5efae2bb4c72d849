#pragma once
// The values of an NG command, judged as NG Center reads them: how many the
// command takes, and whether each number names something it knows.
#include "script/NgTables.h"

#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace tessark::script::check {

struct NgNames {
    const std::set<std::string>* defines; // upper-cased names of the script's #DEFINE lines
};

// The finding about the values of `command` (written as `written`), without
// its "Ligne N : ", or an empty text when they are right.
std::string NgValuesFinding(const NgCommand& command, std::string_view written,
                            const std::vector<std::string_view>& values, const NgNames& names);

// A #DEFINE name or an NG command name: letters, digits and "_", not a digit first.
bool IsName(std::string_view word);
// 12 or $1F.
bool IsNumber(std::string_view term);
std::string Upper(std::string_view word);

} // namespace tessark::script::check
