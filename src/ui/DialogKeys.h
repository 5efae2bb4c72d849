#pragma once
// The keys of a dialog box for a plain top-level window whose controls sit on
// panels (WS_EX_CONTROLPARENT): Tab and Shift+Tab move the focus through the
// enabled, visible tab stops (of a row of radio buttons, the checked one); the
// arrows move along the row of radio buttons; Enter presses the focused push
// button.
//
// A control that takes Tab itself (the script editor, which inserts a tab
// character) keeps it; Ctrl+Tab and Ctrl+Shift+Tab leave it all the same.
// Every other key, Escape included, reaches its control as before: the window
// has no Cancel button, and the lists and boxes keep their arrows.
#include "util/Win32.h"

#include <initializer_list>

namespace tessark {

// Handles `message` when it is one of those keys for a control of `window`;
// returns true when it was consumed.
bool HandleDialogKeys(HWND window, const MSG& message);

// Puts sibling controls, in the given order, one after the other in the tab
// order (which is their order among their siblings).
void SetTabOrder(std::initializer_list<HWND> controls);

} // namespace tessark
