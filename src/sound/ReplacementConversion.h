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

// Asks only about a readable WAV replacement outside the engine's format; a
// conversion that cannot be made is reported and cancels the replacement.
ReplacementContent ChooseReplacementContent(IDialogs& dialogs, HWND owner, const std::wstring& replacement);

} // namespace tessark
