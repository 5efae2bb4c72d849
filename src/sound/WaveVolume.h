#pragma once
// The volume of the first wave output device, as its left/right word (see VolumeWord.h).
#include <cstdint>
#include <optional>

namespace tessark {

// Nothing when the device's volume cannot be read (no device, or no volume control).
std::optional<std::uint32_t> ReadWaveOutVolume();
// Best effort: a device without a volume control keeps its level.
void WriteWaveOutVolume(std::uint32_t word);

} // namespace tessark
