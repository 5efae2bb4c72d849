#pragma once
// The check of a level script against the engine's script language, before it
// goes to the compiler: unknown sections and commands, commands in a section
// that does not take them, wrong numbers of values, missing language and level
// files. It reads lines the way the compiler does: "Command= a,b,c", commands
// and sections in any case, blanks around "=" and ",", ";" comments.
#include "script/ReportLine.h"

#include <functional>
#include <string_view>

namespace tessark {

// Either function may be left empty: its files are then not looked for.
struct ScriptFileLookup {
    // The second value of a [Language] "File=" line, as written (e.g. "ENGLISH.TXT");
    // only asked for names inside the script folder.
    std::function<bool(std::string_view languageFile)> languageFileExists;
    // The first value of a [Title] or [Level] "Level=" line, as written (e.g.
    // "DATA\TUT1"), without the extension the engine adds.
    std::function<bool(std::string_view levelPath)> levelFileExists;
};

// Every finding is a ReportLine with error = true, scriptLine its 1-based
// line, and a French text (Windows-1252) that starts with that line number.
// An empty Report means the check found nothing.
Report CheckScript(std::string_view scriptText1252, const ScriptFileLookup& files);

} // namespace tessark
