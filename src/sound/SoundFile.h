#pragma once
// The structure of WAV and MIDI samples, checked before a file is handed to
// the system's media player, which trusts the sizes a file gives and may read
// far outside it. Only the chunk headers and the format are read, through a
// source that reads bytes at an offset, so a big file is not read whole.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessark::sound {

// Format tags of the fmt chunk, and the size of its plain PCM form.
inline constexpr std::uint16_t PcmTag = 1;
inline constexpr std::uint16_t FloatTag = 3;
inline constexpr std::uint16_t ExtensibleTag = 0xFFFE;
inline constexpr std::uint32_t PlainFmtSize = 16;

// Little-endian fields of RIFF files.
inline std::uint16_t Le16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

inline std::uint32_t Le32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

class ByteSource {
public:
    virtual std::uint64_t Size() const = 0;
    // Fills `out` with the bytes from `offset`; false when the source cannot
    // give all of them (it is never asked beyond Size()).
    virtual bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const = 0;

protected:
    ~ByteSource() = default;
};

class MemoryBytes final : public ByteSource {
public:
    explicit MemoryBytes(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    explicit MemoryBytes(std::string_view bytes)
        : bytes_(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size())
    {
    }
    std::uint64_t Size() const override { return bytes_.size(); }
    bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const override;

private:
    std::span<const std::uint8_t> bytes_;
};

enum class SoundFault {
    None,
    Unreadable,          // the source failed to give bytes it holds
    NoRiffHeader,        // shorter than a RIFF header, or not "RIFF"
    NotWave,             // a RIFF file of another form than "WAVE"
    BadRiffSize,         // too small to hold even the form type
    ChunkHeaderCut,      // bytes after the last chunk that are not a whole chunk header
    ChunkPastEnd,        // a chunk whose size goes past the end of the file or of the RIFF
    TooManyChunks,
    NoFmt,
    ShortFmt,            // a fmt chunk of fewer than 16 bytes
    DataBeforeFmt,
    NoData,
    NoChannels,
    NoSampleRate,
    NoByteRate,
    NoBlockAlign,
    NoBitsPerSample,     // PCM with 0 bits a sample
    ExtraFormatPastFmt,  // a compressed format claims more bytes than its fmt chunk holds
    NoMidiHeader,        // not starting with "MThd"
    ShortMidiHeader,     // an MThd chunk of fewer than 6 bytes, or one past the end
};

// What a good WAV file holds, in the order of its fmt chunk.
struct WaveFormat {
    std::uint16_t formatTag = 0;
    std::uint16_t channels = 0;
    std::uint32_t sampleRate = 0;
    std::uint32_t byteRate = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;
    std::uint32_t fmtSize = 0;
    std::uint32_t dataSize = 0;
    std::vector<std::string> chunkIds;  // four bytes each, in the file's order
};

struct SoundCheck {
    SoundFault fault = SoundFault::None;
    std::string chunkId;  // the chunk that a ChunkPastEnd is about
    WaveFormat wave;      // complete only for a good WAV file
    bool Good() const { return fault == SoundFault::None; }
};

// A file may hold this many chunks; real samples hold a handful.
inline constexpr std::size_t MaxWaveChunks = 1024;

// The chunks are walked up to the end of the RIFF chunk or of the file,
// whichever comes first: a RIFF size beyond the file (a recording that
// stopped early) is borne as long as every chunk lies in the file; bytes
// after a shorter RIFF chunk (tags appended by other programs) are not looked
// at. An odd-sized chunk is followed by a pad byte, which the last chunk of a
// file may lack. The first fmt and data chunks count; fmt must come first.
SoundCheck ReadWaveFile(const ByteSource& file);

// A standard MIDI file: an "MThd" chunk of at least 6 bytes, all in the file.
SoundCheck ReadMidiFile(const ByteSource& file);

// A chunk id as it can be read in a message: trailing blanks dropped, bytes
// outside printable ASCII shown as '?'.
std::wstring ShownChunkId(std::string_view id);

// The French reason of a fault, as shown after the file's name.
std::wstring FaultReason(const SoundCheck& check);

// "Fichier son incorrect : <name>", a line break, and the reason.
std::wstring DamagedSoundText(std::wstring_view fileName, const SoundCheck& check);

} // namespace tessark::sound
