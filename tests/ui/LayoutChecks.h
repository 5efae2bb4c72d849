#pragma once
// Checks of what the window shows, at any DPI and size: captions cut by their
// control, controls that stick out of their parent, and pixels left over from
// an earlier drawing.
#include "util/Win32.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tessark::test {

// Tells the top-level window that its screen's DPI became `dpi`, as Windows
// does when the window moves to another screen or the scale changes; the
// suggested rectangle keeps the window's top-left corner and scales its size.
void SimulateDpi(HWND topLevel, int dpi);

// One line for each visible control under `root` whose caption does not fit
// in it, in the control's own font: push buttons, check boxes, radio buttons,
// group boxes and text labels (labels made to end in "..." excepted).
std::vector<std::wstring> CutCaptions(HWND root);

// The same for push buttons only: their captions keep 3 pixels (in units)
// clear of the frame on each side.
std::vector<std::wstring> CutPushButtonCaptions(HWND root);

// One line for each visible window under `root` that is not wholly inside
// its parent's client area.
std::vector<std::wstring> OutsideTheirParent(HWND root);

// One line for each pair of visible sibling windows under `root` that
// overlap; group box frames, which lie under what they hold, excepted.
std::vector<std::wstring> OverlappingSiblings(HWND root);

// The window as it stands on the screen now, its frame included.
struct Capture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    bool operator==(const Capture&) const = default;
};
Capture CaptureWindow(HWND window);
// Handles the waiting messages, the drawing ones included, until what was
// drawn shows on the screen.
void LetDrawingReachTheScreen();
// The window after every part of it has drawn itself afresh over a colour
// that no part of it shows: a part left undrawn shows that colour.
Capture CaptureRedrawn(HWND window);
// The number of pixels that differ (all of them when the sizes differ).
std::size_t DifferingPixels(const Capture& a, const Capture& b);
// The smallest box that holds every differing pixel (empty when none does).
RECT DifferingBox(const Capture& a, const Capture& b);

} // namespace tessark::test
