#pragma once
// The title logo as the game shows it: pure black is transparent there, and
// the picture is drawn as two 256 x 256 halves whose outermost rows and
// columns of pixels are not seen.
#include "image/Picture.h"

#include <cstdint>
#include <string>

namespace tessark::image {

inline constexpr std::int32_t LogoHalfSize = 256;

std::int64_t CountBlackPixels(const Picture& picture);

// "1 234 pixels noirs : transparents dans le jeu", the singular for one, and
// nothing for none.
std::wstring BlackPixelsText(std::int64_t count);


// Whether the pixel at x, y is on the outermost row or column of one of the
// two halves of the 512 x 256 logo (x 0, 255, 256 and 511; y 0 and 255).
// Pixels beyond the logo's size are not part of it and are not marked.
bool HiddenInGame(std::int32_t x, std::int32_t y);

// The part of `picture` that starts at left, top and is width x height pixels
// (inside the picture), as the game view shows it: black pixels as a
// checkerboard of light cells, hidden border pixels tinted red.
Picture GameViewPart(const Picture& picture, std::int32_t left, std::int32_t top, std::int32_t width,
                     std::int32_t height);

// The two colours of the checkerboard, in cells of CheckerCell pixels
// counted from the picture's top-left corner, and the tint of hidden pixels.
inline constexpr std::int32_t CheckerCell = 8;
inline constexpr Rgb CheckerLight{0xFF, 0xFF, 0xFF};
inline constexpr Rgb CheckerDark{0xC8, 0xC8, 0xC8};
Rgb CheckerAt(std::int32_t x, std::int32_t y);
Rgb TintedAsHidden(Rgb colour);

} // namespace tessark::image
