#pragma once
// Push buttons whose caption keeps clear of the frame: a caption that the
// interface's font would bring nearer than 3 pixels (in units) to either side
// is drawn in the same font a little smaller, as far as that goes.
#include "util/Win32.h"

namespace tessark {

// From now on the button fits its caption again whenever its size, caption
// or font changes (a change of DPI included).
void KeepCaptionClearOfFrame(HWND button);

} // namespace tessark
