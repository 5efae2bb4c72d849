#pragma once
// The question asked before a sample the game would play wrongly replaces an
// original: convert it, use it as it is, or leave everything alone.
#include "util/Win32.h"

#include <optional>
#include <string>

namespace tessark {

class IDialogs;

struct ReplacementContent {
    bool cancelled = false;                // nothing is to be replaced (the user has been told why)
    std::optional<std::string> converted = {};  // the bytes to write; none: copy the replacement as it is
};

// True when the file is over the largest sample Tessark puts into the game;
// false when it cannot be read (the copy reports that).
bool IsTooLargeForTheGame(const std::wstring& path);

// Asks only about a readable WAV replacement outside the engine's format; a
// conversion that cannot be made is reported and cancels the replacement. A
// long conversion shows its progress and can be cancelled, which cancels the
// replacement too.
ReplacementContent ChooseReplacementContent(IDialogs& dialogs, HWND owner, const std::wstring& replacement);

} // namespace tessark
