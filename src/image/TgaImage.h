#pragma once
// Truevision TGA files, as paint programs save them.
#include "image/AlphaPicture.h"

#include <cstdint>
#include <span>

namespace tessark::image {

// Reads a TGA file of 24 or 32 bits, uncompressed (type 2) or run-length
// encoded (type 10, runs may go on from one row to the next), rows top or
// bottom first, pixels left or right first. The alpha of a 32-bit file is
// kept when its header announces alpha bits and some pixel is not fully
// transparent: writers that leave that byte zero mean no transparency.
// Raises UserError with a French text for a file too short for its header,
// a zero width or height, another type or depth, a size beyond
// Picture::MaxPixels (before anything is allocated), pixel data cut short,
// or a packet that runs past the last pixel.
AlphaPicture DecodeTga(std::span<const std::uint8_t> file);

} // namespace tessark::image
