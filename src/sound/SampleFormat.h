#pragma once
// What a WAV sample holds, told in French beside its size, and how it differs
// from what the game plays: PCM, 22,050 Hz, 16 bits, mono, a plain 16-byte
// fmt chunk, no chunks besides fmt and data, at most 256 KB. A sample that
// differs is not refused by the game: it plays at the wrong speed, as noise,
// or not at all, without a word.
#include "sound/SoundFile.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tessark::sound {

struct SampleDescription {
    std::wstring format;                 // "22050 Hz · 16 bits · mono · PCM · 0,45 s"
    std::vector<std::wstring> problems;  // each thing the game would play wrongly
    bool Fits() const { return problems.empty(); }
    // What is wrong first, so that it stays readable when the line is cut:
    // "stéréo, 8 bits — 22050 Hz · 8 bits · stéréo · PCM · 0,45 s".
    std::wstring Text() const;
};

inline constexpr std::uint32_t GameSampleRate = 22050;
inline constexpr std::uint64_t LargestGameSample = 256 * 1024;

// A good WAV file, of `fileSize` bytes on disk.
SampleDescription DescribeSample(const WaveFormat& wave, std::uint64_t fileSize);
// Any file read as WAV: a damaged one is described as such, with no format.
SampleDescription DescribeSample(const SoundCheck& check, std::uint64_t fileSize);

} // namespace tessark::sound
