#pragma once
// The last resort: when the program is about to die from a fault nobody
// caught (an access violation or another unhandled structured exception,
// std::terminate, abort), the script editor's unsaved text is written as the
// editor would save it, and the user is told where, if a message box can
// still be shown. The guard works only from what it was last told, kept in
// storage of its own, and allocates nothing from the heap when it runs.
#include "util/Win32.h"
#include "script/ScriptRescue.h"

#include <string>

namespace tessark::lastresort {

// Installs the guard for the whole process; call once, on the window thread.
void Install();
// What to rescue: the editor control (Scintilla, whose bytes are the file's),
// where its text goes, and whether the file starts with a UTF-8 mark.
void Watch(HWND editor, const script::RescuePlaces& places, bool byteOrderMark);
// The editor is going away: nothing to rescue from it any more.
void Forget(HWND editor);
// The session is ending and the program with it: the unsaved text is written
// now, where a fault would write it, and nothing is shown. Returns the file
// written; empty when nothing was unsaved or no place could be written.
std::wstring RescueNow();

} // namespace tessark::lastresort
