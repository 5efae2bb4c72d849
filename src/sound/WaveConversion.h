#pragma once
// Bringing a WAV sample to the one format the game plays right: PCM,
// 22,050 Hz, 16-bit, mono, a 16-byte fmt chunk and nothing but fmt and data.
#include "sound/SoundFile.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tessark::sound {

inline constexpr std::uint32_t EngineSampleRate = 22050;
// Far above any sample the game plays (minutes of sound): Tessark puts no
// larger file into the game, converted or not.
inline constexpr std::uint64_t LargestSampleBytes = 64ull * 1024 * 1024;

// True when the game plays the file as it is.
bool IsEngineFormat(const WaveFormat& wave);

enum class ConversionFault {
    None,
    Damaged,     // not a sound WAV file, or its bytes could not be read
    Compressed,  // ADPCM, MP3 and the like: only PCM and float samples are decoded
    Unusual,     // a PCM or float layout with an unusual sample width
    TooLong,     // the result would be over LargestSampleBytes
    Cancelled,   // the progress said to stop
};

// Told now and then how much of the work is done, from 0 to 1; returns false
// to cancel it.
using ConversionProgress = std::function<bool(double done)>;

struct Conversion {
    ConversionFault fault = ConversionFault::None;
    std::string wav;  // the whole converted file: 44-byte header, then the samples
};

// Decodes 8/16/24/32-bit integer and 32/64-bit float samples (plain or
// "extensible"), mixes the channels down to one, resamples to 22,050 Hz with
// a Kaiser-windowed sinc that cuts what lies above the new Nyquist frequency,
// and rounds to 16 bits, clipping. Refuses, before decoding anything, a
// result over LargestSampleBytes.
Conversion ConvertToEngineFormat(const ByteSource& file, const ConversionProgress& progress = {});

// The resampler on its own, for samples in [-1, 1]; an empty result when
// `progress` cancelled it.
std::vector<float> Resample(const std::vector<float>& input, std::uint32_t fromRate, std::uint32_t toRate,
                            const ConversionProgress& progress = {});

} // namespace tessark::sound
