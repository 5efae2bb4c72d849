#pragma once
// Running a DOS program through DOSBox, since 64-bit Windows (and Wine without
// its 32-bit half) cannot run DOS programs: the program's folder is mounted as
// C:, a temporary folder as D:, and what the program prints goes into a log
// there, read once DOSBox has ended.
#include "util/CapturedRun.h"

#include <optional>
#include <string>

namespace tessark {

struct DosBoxProgram {
    std::wstring path;   // as CreateProcess takes it (under Wine a Unix one by its Z: path)
    bool unixProgram = false;  // takes Unix paths in its commands
};

// The environment variable that names DOSBox, or says "none" (for tests).
inline constexpr wchar_t DosBoxVariable[] = L"TESSARK_DOSBOX";

// DOSBox as the variable names it; else an installed DOSBox (Program Files,
// then the PATH); else, under Wine, the Unix dosbox in its usual places.
std::optional<DosBoxProgram> FindDosBox();

bool RunningUnderWine();

// Runs "<program> <argument>" (8.3 names) inside DOSBox with `folder` as C:
// and the current folder, and gives back the program's printed text. The
// outcome is NotStarted when DOSBox could not be started or left no log.
CapturedRun RunInDosBox(const DosBoxProgram& dosBox, const std::wstring& folder, const std::wstring& program,
                        const std::wstring& argument, DWORD patience, const KeepWaiting& keepWaiting);

} // namespace tessark
