#pragma once
// Telling a Next Generation (TRNG) script from a classic one. NG Center
// compiles the first kind and the level editor's Script.exe the second;
// the classic compiler silently drops everything NG, so a caller must know.
#include <optional>
#include <string>
#include <string_view>

namespace tessark::script {

// What shows that a script is a TRNG one, and where.
struct TrngSign {
    int line;          // 1-based
    std::string what;  // the NG command or the directive, as written ("Plugin", "#INCLUDE")
};

// The first NG command ("Name= ...") or directive (#INCLUDE, #DEFINE, #FIRST_ID) of the text.
std::optional<TrngSign> TrngSignOf(std::string_view scriptText);

// Whether a compiled SCRIPT.DAT or language .DAT ends with the NG block that
// NG Center appends: its last 8 bytes are "NGLE" and the block's size, and
// the block, which starts with "NG", fits in the file.
bool HasNgBlock(std::string_view compiledBytes);

// Everything that makes a script a TRNG one: its text, the NG block of the
// SCRIPT.DAT compiled before (empty when there is none), and whether the
// installation holds NG_Center.exe, which only the caller can look for.
bool IsTrngScript(std::string_view scriptText, std::string_view existingScriptDat, bool ngCenterInstalled);

// "#INCLUDE", "#DEFINE" and "#FIRST_ID", in any case.
bool IsNgDirective(std::string_view word);

} // namespace tessark::script
