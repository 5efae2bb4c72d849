#pragma once
// The event loop of the program's one thread.
#include "util/Win32.h"

namespace tessark {

// What sees each queued message before it is dispatched: the non-modal
// dialogs, the keyboard shortcuts, the dialog keys of the main window.
class IMessageFilter {
public:
    // True when the message was consumed and must not be dispatched.
    virtual bool PreTranslate(MSG& message) = 0;

protected:
    ~IMessageFilter() = default;
};

// Runs the event loop until the program is told to end; returns the exit code.
int RunMessageLoop(IMessageFilter& filter);
// Handles every message already queued, then returns (tests drive the window with it).
// Returns false once the program was told to end.
bool PumpPendingMessages(IMessageFilter& filter);

} // namespace tessark
