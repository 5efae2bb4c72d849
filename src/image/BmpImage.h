#pragma once
// Windows BMP files.
#include "image/Picture.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tessark::image {

// Reads a BMP file of any kind a user may have: OS/2 and Windows headers up to
// version 5; 1, 4 and 8 bits with a palette, 16 and 32 bits with or without
// bit fields, 24 bits; RLE8 and RLE4; rows bottom first or top first. Raises
// UserError "Image bitmap incorrecte" for anything else, a damaged file, a
// size beyond Picture::MaxPixels, or uncompressed rows the file does not hold
// (only the padding of the last row may be missing). RLE data that ends early
// leaves the pixels it did not reach black.
Picture DecodeBmp(std::span<const std::uint8_t> file);

// A 24-bit BMP file of the picture, bottom row first.
std::vector<std::uint8_t> EncodeBmp24(const Picture& picture);

// The file and info headers of an uncompressed 24-bit BMP, rows bottom first,
// written at `header` (Bmp24HeadersSize bytes); the pixel rows follow them.
inline constexpr std::size_t Bmp24HeadersSize = 54;
void PutBmp24Headers(std::uint8_t* header, std::size_t width, std::size_t rows, std::size_t pixelBytes);

} // namespace tessark::image
