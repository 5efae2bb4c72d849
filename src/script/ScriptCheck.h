#pragma once
// The check of a level script against the engine's script language, before it
// goes to the compiler: unknown sections and commands, commands in a section
// that does not take them, wrong numbers of values, missing language and level
// files. It reads lines the way the compiler does: "Command= a,b,c", commands
// and sections in any case, blanks around "=" and ",", ";" comments.
//
// A Next Generation (TRNG) script is checked as NG Center reads it: the NG
// commands too, #INCLUDE files followed, #DEFINE names taken as values,
// "#FIRST_ID Command= n", and a line ending in ">" continued on the next.
// A text in UTF-8 gets one finding, as the game would show its accents wrong.
#include "script/ReportLine.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tessark {

// Any function may be left empty: its files are then not looked for.
struct ScriptFileLookup {
    // The second value of a [Language] "File=" line, as written (e.g. "ENGLISH.TXT");
    // only asked for names inside the script folder.
    std::function<bool(std::string_view languageFile)> languageFileExists;
    // The first value of a [Title] or [Level] "Level=" line, as written (e.g.
    // "DATA\TUT1"), without the extension the engine adds.
    std::function<bool(std::string_view levelPath)> levelFileExists;
    // The bytes of a file of the script folder, named as the script writes it:
    // an #INCLUDE's file, or a language file that exists, to be checked too.
    // Nothing when it cannot be read. Only asked for names inside the folder.
    std::function<std::optional<std::string>(std::string_view name)> readScriptFile = {};
    // The checked script's own name in that folder, so that an #INCLUDE of it
    // is known for the loop it makes.
    std::string scriptName = "script.txt";
};

enum class ScriptDialect {
    FromText, // TRNG when the text shows it (TrngSignOf), classic otherwise
    Trng,     // the caller knows better (an NG block, NG_Center.exe)
};

// Every finding is a ReportLine with error = true, scriptLine its 1-based
// line, and a French text (Windows-1252) that starts with that line number.
// A finding in an included or language file is on the script line that leads
// to it, and names the file and its own line. An empty Report means the check
// found nothing.
Report CheckScript(std::string_view scriptText1252, const ScriptFileLookup& files,
                   ScriptDialect dialect = ScriptDialect::FromText);

// The file an "#INCLUDE" line names, as written (quotes taken off); nothing
// for any other line or an #INCLUDE without a name.
std::optional<std::string_view> IncludedFileOf(std::string_view line);

} // namespace tessark
