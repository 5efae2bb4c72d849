#pragma once
// What a compiled script holds, told in French for the user: the options, the
// file extensions, the language files, and each level block with its name,
// level file, audio track, flags and commands, with the strings they use.
#include "script/ReportLine.h"

#include <optional>
#include <string_view>

namespace tessark::script {

// Any bytes: a SCRIPT.DAT (the layout is in ScriptCompiler.h), with the bytes
// of one of its language .DAT files to show the strings' texts (their numbers
// only without it). Faults of the file (too short, an offset past its end, an
// unknown opcode) are lines marked as errors; what lies before them is told.
Report DescribeScriptDat(std::string_view scriptDat, std::optional<std::string_view> languageDat = std::nullopt);

} // namespace tessark::script
