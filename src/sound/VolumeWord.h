#pragma once
// The wave output volume word: left channel in the low 16 bits, right in the high.
#include <algorithm>
#include <cstdint>

namespace tessark {

// The level of the louder channel.
constexpr std::uint16_t LouderChannel(std::uint32_t word)
{
    return std::max(static_cast<std::uint16_t>(word & 0xFFFFu), static_cast<std::uint16_t>(word >> 16));
}

// The same level on both channels.
constexpr std::uint32_t BothChannels(std::uint16_t level)
{
    return static_cast<std::uint32_t>(level) * 65536u + level;
}

} // namespace tessark
