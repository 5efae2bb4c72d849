#pragma once
// Fitting a picture of any size to the size the game needs: 512 x 256 for
// the title logo, 256 x 256 for a sky.
#include "image/Picture.h"
#include "image/Resample.h"

#include <cstdint>

namespace tessark::image {

inline constexpr std::int32_t LogoWidth = 512, LogoHeight = 256;
inline constexpr std::int32_t SkySide = 256;

enum class FitWay {
    Stretch,  // the whole picture to the whole size, its proportions lost
    Inside,   // the whole picture, proportions kept, borders on two sides
    Fill,     // the whole size covered, proportions kept, the middle kept and the rest cropped
};

// Where the resampled picture goes in a width x height result: `window` of
// the source becomes the `width` x `height` rectangle at `left`, `top`.
struct FitPlacement {
    SourceWindow window;
    std::int32_t left = 0, top = 0, width = 0, height = 0;
};

// For a source of sourceWidth x sourceHeight and a result of width x height
// (all at least 1). Inside keeps at least one pixel of picture; the borders
// split evenly, the odd pixel to the right or bottom.
FitPlacement PlaceFit(std::int32_t sourceWidth, std::int32_t sourceHeight, std::int32_t width,
                      std::int32_t height, FitWay way);

// `source` fitted to width x height, the area Inside leaves around the
// picture in `border`. Raises like Picture::CheckSize for a size beyond it,
// "Taille d'image incorrecte" for an empty source or result.
Picture FitToSize(const Picture& source, std::int32_t width, std::int32_t height, FitWay way, Rgb border);

// The colour for the borders of `source` fitted Inside width x height: the
// average, in linear light, of the two edges that face the borders (top and
// bottom rows for a picture wider than the result, left and right columns
// for a narrower one; all four edges when the proportions are the same).
Rgb EdgeColour(const Picture& source, std::int32_t width, std::int32_t height);

} // namespace tessark::image
