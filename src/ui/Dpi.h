#pragma once
// The interface's positions and sizes are written in pixels of a 96-dpi
// screen ("units") and scaled by the DPI of the top-level window that holds
// each control: its screen's scale when it was created, then the one each
// WM_DPICHANGED gives it.
#include "util/Win32.h"

namespace tessark {

inline constexpr int BaseDpi = 96;

// The DPI of the primary screen, which new top-level windows start on.
int SystemDpi();
// The DPI of the top-level window that holds `window`.
int DpiOf(HWND window);
// What WM_DPICHANGED told a top-level window.
void SetDpiOf(HWND topLevel, int dpi);

int Scale(int units, int dpi);
// `units` at the DPI of the window that holds `window`.
int Scaled(HWND window, int units);

// The system's message font, and the interface's bold font, at a DPI; made
// once for each DPI and kept for the whole run.
HFONT GuiFont(int dpi);
HFONT BoldGuiFont(int dpi);
// The interface's stock font (DEFAULT_GUI_FONT) at a DPI.
HFONT StockGuiFont(int dpi);

// One of the fonts above, `pixels` less high (nullptr for any other font).
HFONT SmallerFont(HFONT font, int pixels);

// Records the place of a child in units, as given when it was created, so
// that a change of DPI can put it there again at the new scale.
void RememberPlacement(HWND child, int x, int y, int width, int height);

// After a change of DPI: every descendant of `topLevel` with a remembered
// place goes there at the new DPI, and the ones showing one of the fonts
// above get the same font at the new DPI. The areas that size controls from
// the window's size lay them out again afterwards.
void ApplyDpi(HWND topLevel);

} // namespace tessark
