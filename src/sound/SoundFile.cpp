#include "sound/SoundFile.h"

#include "util/Messages.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

namespace tessark::sound {
namespace {

constexpr std::uint64_t RiffHeaderSize = 12;
constexpr std::uint64_t ChunkHeaderSize = 8;
constexpr std::uint32_t MinFmtSize = 16;
constexpr std::uint32_t FmtWithExtraSize = 18;  // WAVEFORMATEX with its cbSize
constexpr std::uint32_t MinMidiHeaderSize = 6;

std::uint32_t Be32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[3]) | static_cast<std::uint32_t>(p[2]) << 8 |
           static_cast<std::uint32_t>(p[1]) << 16 | static_cast<std::uint32_t>(p[0]) << 24;
}

bool IsTag(const std::uint8_t* p, const char (&tag)[5])
{
    return std::memcmp(p, tag, 4) == 0;
}

SoundCheck Fault(SoundFault fault)
{
    SoundCheck check;
    check.fault = fault;
    return check;
}

struct Chunk {
    std::string id;
    std::uint64_t body = 0;  // offset of the chunk's first byte after its header
    std::uint32_t size = 0;
};

// Walks the chunks of a WAVE form between `begin` and `end`, keeping the
// first fmt and data chunks.
class ChunkWalk {
public:
    ChunkWalk(const ByteSource& file, std::uint64_t end) : file_(file), end_(end) {}

    SoundFault Run(WaveFormat& wave)
    {
        std::uint64_t at = RiffHeaderSize;
        while (at < end_) {
            if (end_ - at < ChunkHeaderSize)
                return SoundFault::ChunkHeaderCut;
            if (wave.chunkIds.size() == MaxWaveChunks)
                return SoundFault::TooManyChunks;
            std::array<std::uint8_t, ChunkHeaderSize> header{};
            if (!file_.ReadAt(at, header))
                return SoundFault::Unreadable;
            Chunk chunk{std::string(reinterpret_cast<const char*>(header.data()), 4), at + ChunkHeaderSize,
                        Le32(header.data() + 4)};
            wave.chunkIds.push_back(chunk.id);
            const std::uint64_t bodyEnd = chunk.body + chunk.size;
            if (bodyEnd > end_) {
                lastChunkId_ = chunk.id;
                return SoundFault::ChunkPastEnd;
            }
            if (const SoundFault fault = Keep(chunk); fault != SoundFault::None)
                return fault;
            // The pad byte of an odd-sized chunk; the file's last chunk may lack it.
            at = std::min(bodyEnd + (chunk.size & 1u), end_);
        }
        return SoundFault::None;
    }

    const std::optional<Chunk>& Fmt() const { return fmt_; }
    const std::optional<Chunk>& Data() const { return data_; }
    const std::string& LastChunkId() const { return lastChunkId_; }

private:
    SoundFault Keep(const Chunk& chunk)
    {
        if (chunk.id == "fmt " && !fmt_) {
            if (chunk.size < MinFmtSize) {
                lastChunkId_ = chunk.id;
                return SoundFault::ShortFmt;
            }
            fmt_ = chunk;
        } else if (chunk.id == "data" && !data_) {
            if (!fmt_)
                return SoundFault::DataBeforeFmt;
            data_ = chunk;
        }
        return SoundFault::None;
    }

    const ByteSource& file_;
    std::uint64_t end_;
    std::optional<Chunk> fmt_;
    std::optional<Chunk> data_;
    std::string lastChunkId_;
};

// The values a player divides by or sizes its buffers with.
SoundFault CheckFormatValues(const WaveFormat& wave, std::uint16_t extraSize)
{
    if (wave.channels == 0)
        return SoundFault::NoChannels;
    if (wave.sampleRate == 0)
        return SoundFault::NoSampleRate;
    if (wave.byteRate == 0)
        return SoundFault::NoByteRate;
    if (wave.blockAlign == 0)
        return SoundFault::NoBlockAlign;
    if (wave.formatTag == PcmTag && wave.bitsPerSample == 0)
        return SoundFault::NoBitsPerSample;
    if (wave.formatTag != PcmTag && wave.fmtSize >= FmtWithExtraSize &&
        FmtWithExtraSize + std::uint64_t{extraSize} > wave.fmtSize)
        return SoundFault::ExtraFormatPastFmt;
    return SoundFault::None;
}

SoundFault ReadFormat(const ByteSource& file, const Chunk& fmt, WaveFormat& wave)
{
    std::array<std::uint8_t, FmtWithExtraSize> bytes{};
    const std::size_t wanted = fmt.size >= FmtWithExtraSize ? FmtWithExtraSize : MinFmtSize;
    if (!file.ReadAt(fmt.body, std::span(bytes).first(wanted)))
        return SoundFault::Unreadable;
    wave.formatTag = Le16(&bytes[0]);
    wave.channels = Le16(&bytes[2]);
    wave.sampleRate = Le32(&bytes[4]);
    wave.byteRate = Le32(&bytes[8]);
    wave.blockAlign = Le16(&bytes[12]);
    wave.bitsPerSample = Le16(&bytes[14]);
    wave.fmtSize = fmt.size;
    return CheckFormatValues(wave, Le16(&bytes[16]));
}

} // namespace

bool MemoryBytes::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const
{
    if (offset > bytes_.size() || out.size() > bytes_.size() - offset)
        return false;
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), out.size(), out.begin());
    return true;
}

SoundCheck ReadWaveFile(const ByteSource& file)
{
    const std::uint64_t size = file.Size();
    std::array<std::uint8_t, RiffHeaderSize> header{};
    if (size < RiffHeaderSize)
        return Fault(SoundFault::NoRiffHeader);
    if (!file.ReadAt(0, header))
        return Fault(SoundFault::Unreadable);
    if (!IsTag(&header[0], "RIFF"))
        return Fault(SoundFault::NoRiffHeader);
    if (!IsTag(&header[8], "WAVE"))
        return Fault(SoundFault::NotWave);
    const std::uint32_t riffSize = Le32(&header[4]);
    if (riffSize < 4)
        return Fault(SoundFault::BadRiffSize);

    SoundCheck check;
    ChunkWalk walk(file, std::min<std::uint64_t>(ChunkHeaderSize + riffSize, size));
    check.fault = walk.Run(check.wave);
    if (check.fault == SoundFault::None && !walk.Fmt())
        check.fault = SoundFault::NoFmt;
    if (check.fault == SoundFault::None && !walk.Data())
        check.fault = SoundFault::NoData;
    if (check.fault == SoundFault::None) {
        check.fault = ReadFormat(file, *walk.Fmt(), check.wave);
        check.wave.dataSize = walk.Data()->size;
    }
    if (!check.Good())
        check.chunkId = walk.LastChunkId();
    return check;
}

SoundCheck ReadMidiFile(const ByteSource& file)
{
    std::array<std::uint8_t, ChunkHeaderSize> header{};
    if (file.Size() < ChunkHeaderSize)
        return Fault(SoundFault::NoMidiHeader);
    if (!file.ReadAt(0, header))
        return Fault(SoundFault::Unreadable);
    if (!IsTag(&header[0], "MThd"))
        return Fault(SoundFault::NoMidiHeader);
    const std::uint32_t length = Be32(&header[4]);
    if (length < MinMidiHeaderSize || ChunkHeaderSize + length > file.Size())
        return Fault(SoundFault::ShortMidiHeader);
    return SoundCheck{};
}

std::wstring ShownChunkId(std::string_view id)
{
    std::wstring shown;
    for (const char c : id)
        shown += (c >= 0x20 && c < 0x7F) ? static_cast<wchar_t>(c) : L'?';
    while (!shown.empty() && shown.back() == L' ')
        shown.pop_back();
    return shown;
}

std::wstring FaultReason(const SoundCheck& check)
{
    switch (check.fault) {
    case SoundFault::None: return {};
    case SoundFault::Unreadable: return std::wstring(msg::SoundUnreadable);
    case SoundFault::NoRiffHeader: return std::wstring(msg::NoRiffHeader);
    case SoundFault::NotWave: return std::wstring(msg::NotWave);
    case SoundFault::BadRiffSize: return std::wstring(msg::BadRiffSize);
    case SoundFault::ChunkHeaderCut: return std::wstring(msg::ChunkHeaderCut);
    case SoundFault::ChunkPastEnd:
    case SoundFault::ShortFmt: return FormatMessageText(msg::BadChunkSize, ShownChunkId(check.chunkId));
    case SoundFault::TooManyChunks: return std::wstring(msg::TooManyChunks);
    case SoundFault::NoFmt: return std::wstring(msg::NoFmtChunk);
    case SoundFault::DataBeforeFmt: return std::wstring(msg::DataBeforeFmt);
    case SoundFault::NoData: return std::wstring(msg::NoDataChunk);
    case SoundFault::NoChannels: return std::wstring(msg::NoChannels);
    case SoundFault::NoSampleRate: return std::wstring(msg::NoSampleRate);
    case SoundFault::NoByteRate: return std::wstring(msg::NoByteRate);
    case SoundFault::NoBlockAlign: return std::wstring(msg::NoBlockAlign);
    case SoundFault::NoBitsPerSample: return std::wstring(msg::NoBitsPerSample);
    case SoundFault::ExtraFormatPastFmt: return std::wstring(msg::ExtraFormatPastFmt);
    case SoundFault::NoMidiHeader: return std::wstring(msg::NoMidiHeader);
    case SoundFault::ShortMidiHeader: return std::wstring(msg::ShortMidiHeader);
    }
    return {};
}

std::wstring DamagedSoundText(std::wstring_view fileName, const SoundCheck& check)
{
    return FormatMessageText(msg::DamagedSound, fileName) + L"\n" + FaultReason(check);
}

} // namespace tessark::sound
