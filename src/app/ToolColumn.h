#pragma once
// The tool column's place in the main window, in units (see ui/Dpi.h).
namespace tessark::toolcolumn {

inline constexpr int Width = 177;
// Below the column's last button and its margin: the window's least height
// above the status bar.
int Bottom();

} // namespace tessark::toolcolumn
