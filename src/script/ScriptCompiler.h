#pragma once
// The engine's script compiler, built in: from the text of script.txt and of
// the language files it names, the bytes of SCRIPT.DAT and of one .DAT per
// language file, the same bytes the level editor's own compiler writes. It
// never touches a file: the caller reads the inputs and writes the outputs.
//
// SCRIPT.DAT: a 16-byte header (u32 option bits, u32 InputTimeout, u8
// Security, u8 number of level blocks with the title's, u8 number of level
// paths, u8 0, u16 length of the paths padded to even, u16 length of the
// blocks), eight 5-byte file extensions (PSX level, FMV, cut, unused, then the
// same for the PC), a u16 offset per path and the paths, a u16 offset per
// block and the blocks (opcodes, each block ending with 0x83), then the
// language .DAT names. All numbers little-endian.
#include "script/LanguageStrings.h"
#include "script/ReportLine.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessark::script {

inline constexpr std::string_view ScriptDatName = "SCRIPT.DAT";
inline constexpr std::string_view StringsHeaderName = "STRINGS.H";

struct CompiledFile {
    std::string name; // as the DOS compiler names it: "SCRIPT.DAT", "ENGLISH.DAT"
    std::string bytes;
};

struct CompileResult {
    // SCRIPT.DAT first, then one .DAT per language file in the order of their
    // File= numbers, then STRINGS.H when asked for. Empty when `error` is set:
    // nothing is to be written then.
    std::vector<CompiledFile> files;
    // The first error in the order of the script's lines: a French text
    // (Windows-1252) that begins with the line it names, "Ligne 42 : ...";
    // scriptLine is that line of script.txt (for an error inside a language
    // file, the line of the script that names that file).
    std::optional<ReportLine> error;
};

// The text of a language file, from its name as the script writes it
// ("ENGLISH.TXT"); nothing when it cannot be read.
using LanguageFileSource = std::function<std::optional<std::string>(std::string_view name)>;

struct CompileOptions {
    // When set, STRINGS.H (the names of the strings of language file 0) is
    // made too, dated with it.
    std::optional<CompileDate> stringsHeaderDate;
};

// Any bytes; a UTF-8 byte-order mark at the start of any input is skipped.
CompileResult CompileScript(std::string_view scriptText, const LanguageFileSource& languageFile,
                            const CompileOptions& options = {});

} // namespace tessark::script
