#pragma once
// The script compiler's text turned into report lines: one per line of text,
// error lines marked, and the script line a message names read out of it.
#include "script/ReportLine.h"

#include <string_view>

namespace tessark::script {

// True when the line holds "error" or "erreur", in any case.
bool IsErrorLine(std::string_view line);

// The script line a compiler message names: "line 12", "ligne 12" (any case,
// with or without ':' or '#'), "(12)" or ":12:"; 0 when it names none.
int ScriptLineNamedIn(std::string_view line);

// Each line of the text (CR LF, LF or CR ends) as a report line; blank lines at
// the end are dropped, control characters other than tabs shown as blanks.
Report CompilerTextToReport(std::string_view text);

} // namespace tessark::script
