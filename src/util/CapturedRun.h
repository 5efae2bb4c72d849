#pragma once
// Running a console program with no window and keeping what it writes on its
// standard output and error, while the window stays painted.
#include "util/RunAndWait.h"
#include "util/Win32.h"

#include <functional>
#include <string>

namespace tessark {

struct CapturedRun {
    enum class Outcome { Finished, NotStarted, Stopped };
    Outcome outcome = Outcome::NotStarted;
    std::string output;      // both streams, as written (8-bit), cut at MaximumOutput
    DWORD startError = 0;    // when not started: GetLastError of the start
};

inline constexpr std::size_t MaximumCapturedOutput = 4 * 1024 * 1024;

// Starts `commandLine` in `workingFolder` with no console window, its standard
// input empty and both output streams into one pipe, and waits for its end as
// WaitWhileRepainting does, reading the pipe as it fills.
CapturedRun RunCapturingOutput(const std::wstring& commandLine, const std::wstring& workingFolder,
                               DWORD patience, const KeepWaiting& keepWaiting);

} // namespace tessark
