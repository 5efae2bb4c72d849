#pragma once
// The game's packed title logo (".pak"): the unpacked size as a little-endian
// uint32, then one zlib stream of the RAW logo (512 x 256 pixels, 3 bytes
// each, top row first).
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tessark::image {

inline constexpr std::uint32_t LogoPakRawSize = 512 * 256 * 3;

// The size field and the zlib stream of `raw`, at the strongest compression.
// Raises std::length_error for RAW bytes beyond what the size field can hold.
std::vector<std::uint8_t> PackLogo(std::span<const std::uint8_t> raw);

// `raw` holds the unpacked bytes when `problem` is empty; otherwise `raw` is
// empty and `problem` says what is wrong, in French (Windows-1252).
struct PakReading {
    std::vector<std::uint8_t> raw;
    std::string problem;
};

// Unpacks a ".pak" whose size field must be `expectedSize` and whose zlib
// stream must give exactly that many bytes and end the file. The size field
// is checked before anything is allocated.
PakReading ReadPak(std::span<const std::uint8_t> pak, std::uint32_t expectedSize = LogoPakRawSize);

} // namespace tessark::image
