// Any bytes given as a WAV or a MIDI file: a verdict with a reason, reads that
// stay inside the file and touch only chunk headers and the format, and for a
// good WAV a format whose chunks lie in the file, told in words.
#include "sound/SampleFormat.h"
#include "sound/SoundFile.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

using tessark::sound::ByteSource;
using tessark::sound::MemoryBytes;
using tessark::sound::SoundCheck;

// Traps on a read outside the file and counts the bytes read.
class WatchedBytes final : public ByteSource {
public:
    explicit WatchedBytes(const MemoryBytes& bytes) : bytes_(bytes) {}
    std::uint64_t Size() const override { return bytes_.Size(); }
    bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const override
    {
        if (offset > Size() || out.size() > Size() - offset)
            __builtin_trap();
        read += out.size();
        ++reads;
        return bytes_.ReadAt(offset, out);
    }
    mutable std::size_t read = 0;
    mutable std::size_t reads = 0;

private:
    const MemoryBytes& bytes_;
};

void CheckVerdict(const SoundCheck& check)
{
    if (check.Good() != tessark::sound::FaultReason(check).empty())
        __builtin_trap();
}

void CheckGoodWave(const SoundCheck& check, std::size_t size)
{
    const auto& wave = check.wave;
    const auto& ids = wave.chunkIds;
    const auto fmt = std::find(ids.begin(), ids.end(), "fmt ");
    const auto data = std::find(ids.begin(), ids.end(), "data");
    if (fmt == ids.end() || data == ids.end() || data < fmt)
        __builtin_trap();
    if (wave.fmtSize < 16 || wave.channels == 0 || wave.sampleRate == 0 || wave.byteRate == 0 ||
        wave.blockAlign == 0)
        __builtin_trap();
    // Two chunk headers and the RIFF header at least surround fmt and data.
    if (std::uint64_t{wave.fmtSize} + wave.dataSize + 28 > size)
        __builtin_trap();
}

// A damaged file is told as such; a good one always has a format to show.
void CheckDescription(const SoundCheck& check, std::size_t size)
{
    const auto described = tessark::sound::DescribeSample(check, size);
    if (described.format.empty() == check.Good() || described.Text().empty())
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const MemoryBytes memory(std::span(data, size));
    WatchedBytes file(memory);
    const SoundCheck wave = tessark::sound::ReadWaveFile(file);
    CheckVerdict(wave);
    if (wave.Good())
        CheckGoodWave(wave, size);
    CheckDescription(wave, size);
    if (wave.wave.chunkIds.size() > tessark::sound::MaxWaveChunks)
        __builtin_trap();
    // One read for the RIFF header, one per chunk header, one for the format.
    if (file.reads > wave.wave.chunkIds.size() + 2 || file.read > 12 + 8 * wave.wave.chunkIds.size() + 18)
        __builtin_trap();

    CheckVerdict(tessark::sound::ReadMidiFile(file));
    return 0;
}
