#pragma once
// The files the script compiler makes from a script: script.dat, and one .dat
// for each language file named in the [Language] section ("ENGLISH.TXT" gives
// "ENGLISH.DAT"), beside the script.
#include <string>
#include <string_view>
#include <vector>

namespace tessark::script {

inline constexpr std::string_view CompiledScriptName = "script.dat";

struct LanguageFile {
    std::string name;      // as written in the script
    std::string datName;   // the file the compiler makes of it
    int scriptLine = 0;    // 1-based
    bool outsideFolder = false;  // names a place outside the script's folder
};

// The language files of the script's [Language] sections, in order. Their
// lines read "File= <number>, <name>"; a comment after ';' is no part of it.
std::vector<LanguageFile> LanguageFilesOf(std::string_view scriptText1252);

// True when the relative path stays inside the folder it is taken from: not
// absolute, no drive, and no ".." that climbs out of it.
bool StaysInsideFolder(std::string_view path);

// The name with its extension (after the last '.' of the last part) replaced
// by ".DAT", or ".DAT" added when it has none.
std::string DatNameFor(std::string_view languageFile);

} // namespace tessark::script
