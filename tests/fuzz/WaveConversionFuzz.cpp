// Any bytes converted to the engine's format: either a refusal with no bytes,
// or a clean file the game plays as it is, as long as the input allows.
#include "sound/WaveConversion.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace tessark::sound;
    const MemoryBytes memory(std::span(data, size));
    const Conversion out = ConvertToEngineFormat(memory);
    if (out.fault != ConversionFault::None) {
        if (!out.wav.empty())
            __builtin_trap();
        return 0;
    }
    const SoundCheck check = ReadWaveFile(MemoryBytes(out.wav));
    if (!check.Good() || !IsEngineFormat(check.wave) || check.wave.dataSize + 44 != out.wav.size())
        __builtin_trap();
    return 0;
}
