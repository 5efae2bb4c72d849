#pragma once
// A coloured strip of labels that act as menu entries: each label keeps its
// own background colour and reports clicks to the top-level window.
#include "app/Win32.h"

#include <string_view>

namespace tessark {

inline constexpr COLORREF StripColour = RGB(0, 255, 255);

HWND CreateStrip(HWND parent, int id, int x, int y, int width, int height);
HWND CreateStripLabel(HWND strip, int id, std::wstring_view caption, int x, int width, COLORREF background);
void SetStripLabelColour(HWND label, COLORREF background);
COLORREF StripLabelColour(HWND label);

} // namespace tessark
