#pragma once
// The question asked of a tool that runs on without ending: stop it, or wait
// another while. Without it a tool that never ends would freeze the window for
// good, and killing Tessark would cost the unsaved script.
#include "ui/Dialogs.h"
#include "util/RunAndWait.h"

#include <string_view>

namespace tessark {

// Asks, each time it is called, the confirmation `pattern` with "%s" the whole
// seconds waited so far (one `patience` more each call); "Oui" stops the tool.
KeepWaiting AskWhetherToStop(IDialogs& dialogs, HWND owner, std::wstring_view pattern, DWORD patience);

} // namespace tessark
