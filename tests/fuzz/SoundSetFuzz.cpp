// Any bytes given as a ".sfx" (and, split at its first NUL, as a ".sfx" and a
// ".sam"): a verdict with a reason, and for a good set details that all lie
// in the file and samples that all are lines of the ".sam".
#include "sound/SoundSet.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

using namespace tessark::sound;

void CheckVerdict(const SoundSet& set)
{
    if (set.Good() != SfxFaultReason(set.fault).empty())
        __builtin_trap();
}

void CheckGoodSfx(const SoundSet& set, std::size_t size)
{
    if (set.mapSize != ClassicMapSize && set.mapSize != ExtendedMapSize)
        __builtin_trap();
    if (2 * set.mapSize + 4 + 8 * set.details.size() > size || set.slotsUsed > set.mapSize)
        __builtin_trap();
}

void CheckGoodSet(const SoundSet& set)
{
    for (const SoundDetails& details : set.details)
        if (details.firstSample + details.SampleCount() > set.samples.size())
            __builtin_trap();
    for (const std::string& line : set.samples)
        if (line.empty() || line.find('\n') != std::string::npos)
            __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    const SoundSet sfx = ReadSfxFile(bytes);
    CheckVerdict(sfx);
    if (sfx.Good())
        CheckGoodSfx(sfx, size);

    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::size_t split = std::min(text.find('\0'), size);
    const std::string_view sam = split < size ? text.substr(split + 1) : std::string_view{};
    const SoundSet set = ReadSoundSet(bytes.first(split), sam);
    CheckVerdict(set);
    if (set.Good()) {
        CheckGoodSfx(set, split);
        CheckGoodSet(set);
    }
    return 0;
}
