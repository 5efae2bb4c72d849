#pragma once
// A coloured strip of labels that act as menu entries: each label keeps its
// own background colour and reports clicks to the top-level window.
#include "util/Win32.h"

#include <string_view>

namespace tessark {

inline constexpr COLORREF StripColour = RGB(0, 255, 255);

HWND CreateStrip(HWND parent, int id, int x, int y, int width, int height);
// A label reports to the top-level window, as WM_COMMAND notifications:
// StripLabelPressed when a mouse button goes down on it, StripLabelReleased
// when it comes up, then STN_CLICKED when it came up over the label. From the
// keyboard (a label with a caption is a tab stop) Space reports the same on its
// way down and up, Enter all three at once.
inline constexpr WORD StripLabelPressed = 0x100;
inline constexpr WORD StripLabelReleased = 0x101;

HWND CreateStripLabel(HWND strip, int id, std::wstring_view caption, int x, int width, COLORREF background,
                      DWORD alignment = SS_LEFT);
void SetStripLabelColour(HWND label, COLORREF background);
COLORREF StripLabelColour(HWND label);

} // namespace tessark
