#pragma once
#include "app/MainForm.h"

namespace tessark {

// Runs the event loop until the program is told to end; returns the exit code.
int RunMessageLoop(TMainForm& form);
// Handles every message already queued, then returns (tests drive the window with it).
// Returns false once the program was told to end.
bool PumpPendingMessages(TMainForm& form);

} // namespace tessark
