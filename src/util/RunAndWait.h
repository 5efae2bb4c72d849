#pragma once
// Running a command line to its end while the window stays painted.
#include "util/Win32.h"

#include <functional>
#include <string>
#include <string_view>

namespace tessark {

enum class ProgramWindow {
    AsItChooses,  // the program's own default window mode
    Hidden,       // no window shown, and no console for a console program
};

// Starts `commandLine` as a new process (the program is its first word, quoted
// when it holds blanks) in `workingFolder`, or in the current folder when that
// is empty, and waits for its end without a time limit. Returns false at once
// when it cannot be started. While waiting, see WaitWhileRepainting.
bool RunAndWait(std::wstring_view commandLine, std::wstring_view workingFolder = {},
                ProgramWindow window = ProgramWindow::AsItChooses);

// Asked each time a program has run for another `patience` ms: true to wait
// on, false to end the program.
using KeepWaiting = std::function<bool()>;

struct ToolRun {
    enum class Outcome { Finished, NotStarted, Stopped };
    Outcome outcome = Outcome::NotStarted;
    DWORD exitCode = 0;  // when finished
};

// Waits for `process` as WaitWhileRepainting does, asking `keepWaiting` after
// each `patience` ms; when it says no, the process is ended. Returns Finished
// with the exit code, or Stopped.
ToolRun WaitWithPatience(HANDLE process, DWORD patience, const KeepWaiting& keepWaiting);

// RunAndWait with a patience: a program that does not end is not waited for
// for ever.
ToolRun RunWithPatience(std::wstring_view commandLine, std::wstring_view workingFolder, ProgramWindow window,
                        DWORD patience, const KeepWaiting& keepWaiting);

// Waits until `object` is signalled (nullptr: only the time) or `milliseconds`
// have passed (INFINITE: no limit). Meanwhile the thread's windows keep
// repainting and answer messages sent to them, but mouse and keyboard input is
// thrown away and posted messages stay queued: no handler of the program runs
// in the middle of the caller's. Returns true when the object was signalled.
bool WaitWhileRepainting(HANDLE object, DWORD milliseconds);

} // namespace tessark
