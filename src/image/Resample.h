#pragma once
// Resizing pictures with a Lanczos filter in linear light: the filter widens
// with the reduction, so shrinking averages every source pixel it covers
// instead of skipping some, and mixing in linear light keeps edges between
// bright and dark areas from the dark fringe of mixing encoded values.
#include "image/Picture.h"

#include <cstdint>

namespace tessark::image {

// A rectangle of the source picture in source pixels; it may start and end
// between pixels (a crop of a fractional size).
struct SourceWindow {
    double left = 0, top = 0, width = 0, height = 0;
};

// The `window` of `source` resampled to width x height (each at least 1; the
// window inside the picture, not empty). Pixels near the picture's edges
// are made of the pixels that exist, the filter's weights rescaled to them.
Picture Resample(const Picture& source, SourceWindow window, std::int32_t width, std::int32_t height);

// The sRGB transfer: an 8-bit encoded value to linear light (0 to 1) and
// back, the latter rounded to the nearest encoded value.
float LinearOf(std::uint8_t encoded);
std::uint8_t EncodedOf(float linear);

} // namespace tessark::image
