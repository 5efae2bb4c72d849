#pragma once
// RAW picture files: bare 24-bit pixels, red, green and blue, rows left to
// right without padding, the top row first. The width is not stored; the
// height is the file size div (width x 3), bytes past the last whole row are
// ignored.
#include "image/Picture.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace tessark::image {

// Gives the RAW bytes of `picture` at width x height, one row per call of
// `writeRow`. The picture's width, counted as at most 1024, is first set to
// `width` when it differs from it, and its height likewise (the top-left part
// kept, the rest black); a side that does not differ stays as it is. At most 1024 columns are written per row; rows from
// 1024 on, and rows below the picture's height before the resize, are black.
// A width of 0 writes nothing. A negative size, or a resize beyond
// Picture::MaxPixels, raises UserError before the picture changes or
// anything is written.
void EncodeRaw(Picture& picture, std::int32_t width, std::int32_t height,
               const std::function<void(const std::uint8_t*, std::size_t)>& writeRow);

// Reads RAW bytes of rows `width` pixels wide into an in-memory BMP file:
// 24 bits, rows bottom first, the width rounded down to a multiple of 8 (the
// columns past it dropped). With `bottomUpRows` the file's first row is the
// picture's bottom row; with `blueFirstPixels` each pixel is blue, green, red.
// No picture (nullopt) when the file holds less than one row or the width is
// below 1. A width below 8 gives a BMP 0 pixels wide, which DecodeBmp refuses.
// A picture beyond Picture::MaxPixels raises "Image trop grande".
std::optional<std::vector<std::uint8_t>> RawToBmp(std::span<const std::uint8_t> file, std::int32_t width,
                                                  bool bottomUpRows, bool blueFirstPixels);

// The picture DecodeBmp makes of RawToBmp's file, without the file: nullopt
// in the same cases, "Image bitmap incorrecte" for a width below 8.
std::optional<Picture> DecodeRaw(std::span<const std::uint8_t> file, std::int32_t width, bool bottomUpRows,
                                 bool blueFirstPixels);

} // namespace tessark::image
