#pragma once
// The sound set the level editor's builder makes for a WAD: a ".sfx" file (the
// sound map and the details of each sound) and a ".sam" file (the names of the
// samples, one a line). Read here to tell the level builder what the set
// holds and which samples the game will not play as meant.
#include "sound/SoundFile.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessark::sound {

inline constexpr std::size_t ClassicMapSize = 370;
inline constexpr std::size_t ExtendedMapSize = 2048;  // the "v130" form
inline constexpr std::size_t SampleLimit = 256;       // editors warn above it
inline constexpr std::int16_t UnusedSlot = -1;

// One sound's details: its samples are the `SampleCount()` lines of the
// ".sam" from `firstSample`.
struct SoundDetails {
    std::uint16_t firstSample = 0;
    std::uint8_t volume = 0;
    std::uint8_t range = 0;
    std::uint8_t chance = 0;
    std::uint8_t pitch = 0;
    std::uint16_t flags = 0;
    std::size_t SampleCount() const { return (flags >> 2) & 0x3F; }
};

enum class SfxFault {
    None,
    ShortMap,         // fewer bytes than the sound map and the count
    DetailsPastEnd,   // the count claims more details than the file holds
    SlotPastDetails,  // a slot of the map names details the file lacks
    SamplePastSam,    // a sound's samples go past the lines of the ".sam"
};

struct SoundSet {
    SfxFault fault = SfxFault::None;
    std::size_t mapSize = 0;
    std::size_t slotsUsed = 0;
    std::vector<SoundDetails> details;
    std::vector<std::string> samples;  // the ".sam"'s lines, in order
    bool Good() const { return fault == SfxFault::None; }
};

// The map holds 2048 slots when the 16-bit value at offset 740 (where the
// count of a 370-slot file begins) is -1, as no real count is that large.
SoundSet ReadSfxFile(std::span<const std::uint8_t> bytes);

// The non-empty lines of a ".sam", without their line ends and outer blanks.
std::vector<std::string> ReadSamFile(std::string_view text);

// Reads both and checks that every sound's samples are lines of the ".sam".
SoundSet ReadSoundSet(std::span<const std::uint8_t> sfx, std::string_view sam);

// The file a ".sam" line names, as the builder looks for it: NAME.wav.
std::wstring SampleFileName(std::string_view name);

// The French reason of a damaged ".sfx"/".sam" pair.
std::wstring SfxFaultReason(SfxFault fault);

// What the samples folders hold of a ".sam"'s samples.
struct SampleFindings {
    std::vector<std::string> missing;
    std::vector<std::string> wrongFormat;
};

// The French summary of a good set: slots, sounds, samples against the limit,
// then the samples missing from `searchedFolders` or not in the game's format.
std::wstring SoundSetSummary(const SoundSet& set, const SampleFindings& findings, std::wstring_view searchedFolders);

} // namespace tessark::sound
