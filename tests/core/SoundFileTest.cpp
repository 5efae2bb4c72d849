#include "sound/SoundFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tessark::sound {
namespace {

void Put(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::string Chunk(std::string_view id, std::uint32_t size, std::string_view body)
{
    std::string chunk(id);
    Put(chunk, size, 4);
    return chunk + std::string(body);
}

std::string Fmt(std::uint16_t tag = 1, std::uint16_t channels = 1, std::uint32_t rate = 11025,
                std::uint16_t bits = 8)
{
    const std::uint16_t block = static_cast<std::uint16_t>(channels * bits / 8);
    std::string fmt;
    Put(fmt, tag, 2);
    Put(fmt, channels, 2);
    Put(fmt, rate, 4);
    Put(fmt, rate * block, 4);
    Put(fmt, block, 2);
    Put(fmt, bits, 2);
    return fmt;
}

// A RIFF WAVE file of the given chunks, its RIFF size true to them.
std::string Riff(const std::string& chunks, std::string_view form = "WAVE")
{
    std::string file = "RIFF";
    Put(file, static_cast<std::uint32_t>(4 + chunks.size()), 4);
    return file + std::string(form) + chunks;
}

std::string GoodChunks(std::uint32_t samples = 100)
{
    return Chunk("fmt ", 16, Fmt()) + Chunk("data", samples, std::string(samples, '\x80'));
}

SoundCheck Wave(const std::string& bytes)
{
    return ReadWaveFile(MemoryBytes(bytes));
}

// The four bytes of a little-endian 32-bit value at `at` replaced.
std::string WithField(std::string bytes, std::size_t at, std::uint32_t value)
{
    std::string field;
    Put(field, value, 4);
    return bytes.replace(at, 4, field);
}

TEST(WaveFileTest, AGoodFileGivesItsFormatAndItsChunksInOrder)
{
    const std::string list = Chunk("LIST", 5, "INFOx") + '\0';  // odd, with its pad byte
    const SoundCheck check = Wave(Riff(Chunk("fmt ", 16, Fmt(1, 2, 22050, 16)) + list + Chunk("data", 8, "12345678")));
    ASSERT_TRUE(check.Good()) << testing::PrintToString(FaultReason(check));
    const WaveFormat& wave = check.wave;
    EXPECT_EQ(wave.formatTag, 1);
    EXPECT_EQ(wave.channels, 2);
    EXPECT_EQ(wave.sampleRate, 22050u);
    EXPECT_EQ(wave.byteRate, 88200u);
    EXPECT_EQ(wave.blockAlign, 4);
    EXPECT_EQ(wave.bitsPerSample, 16);
    EXPECT_EQ(wave.fmtSize, 16u);
    EXPECT_EQ(wave.dataSize, 8u);
    EXPECT_EQ(wave.chunkIds, (std::vector<std::string>{"fmt ", "LIST", "data"}));
    EXPECT_EQ(FaultReason(check), L"");
}

TEST(WaveFileTest, OddSizesArePaddedAndTheLastPadMayBeMissing)
{
    const std::string odd = Chunk("fmt ", 16, Fmt()) + Chunk("data", 3, "abc");
    EXPECT_TRUE(Wave(Riff(odd + '\0')).Good());
    EXPECT_TRUE(Wave(Riff(odd)).Good()) << "the file ends where the pad would be";
    // Without its pad byte an odd chunk puts the next header one byte early.
    const SoundCheck unpadded = Wave(Riff(Chunk("fmt ", 16, Fmt()) + Chunk("junk", 1, "x") + Chunk("data", 2, "ab")));
    EXPECT_FALSE(unpadded.Good());
    // A compressed format with its extra bytes.
    std::string mp3 = Fmt(0x55, 1, 22050, 8);
    Put(mp3, 12, 2);
    mp3 += std::string(12, '\1');
    const SoundCheck compressed = Wave(Riff(Chunk("fmt ", 30, mp3) + Chunk("data", 4, "mp3!")));
    ASSERT_TRUE(compressed.Good()) << testing::PrintToString(FaultReason(compressed));
    EXPECT_EQ(compressed.wave.formatTag, 0x55);
    EXPECT_EQ(compressed.wave.fmtSize, 30u);
}

TEST(WaveFileTest, TheRiffSizeBoundsTheWalkOnlyWithinTheFile)
{
    const std::string good = Riff(GoodChunks());
    // Too large: a recording that stopped early; every chunk still lies in the file.
    EXPECT_TRUE(Wave(WithField(good, 4, 0xFFFFFFF0)).Good());
    // Bytes appended after the RIFF chunk are not looked at.
    const SoundCheck tagged = Wave(good + "TAG" + std::string(125, 'z'));
    ASSERT_TRUE(tagged.Good());
    EXPECT_EQ(tagged.wave.chunkIds, (std::vector<std::string>{"fmt ", "data"}));
    // Too small, it cuts the data chunk.
    const SoundCheck cut = Wave(WithField(good, 4, 40));
    EXPECT_EQ(cut.fault, SoundFault::ChunkPastEnd);
    EXPECT_EQ(FaultReason(cut), L"taille de bloc data incorrecte");
    EXPECT_EQ(Wave(WithField(good, 4, 3)).fault, SoundFault::BadRiffSize);
}

TEST(WaveFileTest, TruncatedOrForeignHeadersAreRefused)
{
    EXPECT_EQ(Wave("").fault, SoundFault::NoRiffHeader);
    EXPECT_EQ(Wave("RIFF\x10\0\0\0WAV").fault, SoundFault::NoRiffHeader);
    EXPECT_EQ(Wave("ceci n'est pas un son, seulement du texte").fault, SoundFault::NoRiffHeader);
    EXPECT_EQ(Wave(Riff(GoodChunks(), "AVI ")).fault, SoundFault::NotWave);
    // A chunk header cut short after the format.
    const SoundCheck cut = Wave(Riff(Chunk("fmt ", 16, Fmt()) + "dat"));
    EXPECT_EQ(cut.fault, SoundFault::ChunkHeaderCut);
    EXPECT_EQ(FaultReason(cut), L"en-tête de bloc tronqué");
}

TEST(WaveFileTest, ChunkSizesThatLieAreRefusedWithTheChunkNamed)
{
    const std::string good = Riff(GoodChunks());
    struct Lie {
        std::size_t at;
        std::uint32_t size;
        const wchar_t* reason;
    };
    // 16: the fmt chunk's size; 40: the data chunk's. 0xFFFFFFF8 wraps a
    // 32-bit offset back to the start of its own chunk.
    for (const Lie& lie : {Lie{16, 0xFFFFFFF0, L"taille de bloc fmt incorrecte"},
                           Lie{16, 0xFFFFFFF8, L"taille de bloc fmt incorrecte"},
                           Lie{16, 200, L"taille de bloc fmt incorrecte"},
                           Lie{40, 0xFFFFFFF0, L"taille de bloc data incorrecte"},
                           Lie{40, 0xFFFFFFFF, L"taille de bloc data incorrecte"},
                           Lie{40, 101, L"taille de bloc data incorrecte"}}) {
        SCOPED_TRACE(testing::Message() << lie.at << " " << std::hex << lie.size);
        const SoundCheck check = Wave(WithField(good, lie.at, lie.size));
        EXPECT_EQ(check.fault, SoundFault::ChunkPastEnd);
        EXPECT_EQ(FaultReason(check), lie.reason);
    }
    const std::string strange = Riff(Chunk("fmt ", 16, Fmt()) + Chunk(std::string("\x01z  ", 4), 999, "") );
    EXPECT_EQ(FaultReason(Wave(strange)), L"taille de bloc ?z incorrecte");
}

TEST(WaveFileTest, MissingShortOrMisplacedChunksAreRefused)
{
    const std::string data = Chunk("data", 2, "ab");
    const std::string fmt = Chunk("fmt ", 16, Fmt());
    EXPECT_EQ(Wave(Riff(data)).fault, SoundFault::DataBeforeFmt);
    EXPECT_EQ(Wave(Riff(Chunk("LIST", 4, "INFO"))).fault, SoundFault::NoFmt);
    EXPECT_EQ(FaultReason(Wave(Riff(""))), L"bloc fmt absent");
    EXPECT_EQ(FaultReason(Wave(Riff(fmt))), L"bloc data absent");
    EXPECT_EQ(FaultReason(Wave(Riff(data + fmt))), L"bloc data placé avant le bloc fmt");
    const SoundCheck shortFmt = Wave(Riff(Chunk("fmt ", 14, Fmt().substr(0, 14)) + data));
    EXPECT_EQ(shortFmt.fault, SoundFault::ShortFmt);
    EXPECT_EQ(FaultReason(shortFmt), L"taille de bloc fmt incorrecte");
    // A second fmt or data chunk is not looked at.
    EXPECT_TRUE(Wave(Riff(fmt + data + Chunk("fmt ", 2, "xy") + data)).Good());
}

TEST(WaveFileTest, FormatValuesAPlayerWouldDivideByAreRefused)
{
    auto withFormat = [](std::string fmt, std::size_t at, std::uint32_t value, int bytes) {
        std::string field;
        Put(field, value, bytes);
        fmt.resize(std::max(fmt.size(), at + field.size()));
        std::copy(field.begin(), field.end(), fmt.begin() + static_cast<std::ptrdiff_t>(at));
        return Wave(Riff(Chunk("fmt ", static_cast<std::uint32_t>(fmt.size()), fmt) + Chunk("data", 2, "ab")));
    };
    EXPECT_EQ(FaultReason(withFormat(Fmt(), 2, 0, 2)), L"nombre de canaux nul");
    EXPECT_EQ(FaultReason(withFormat(Fmt(), 4, 0, 4)), L"fréquence d'échantillonnage nulle");
    EXPECT_EQ(FaultReason(withFormat(Fmt(), 8, 0, 4)), L"nombre d'octets par seconde nul");
    EXPECT_EQ(FaultReason(withFormat(Fmt(), 12, 0, 2)), L"alignement de bloc nul");
    EXPECT_EQ(FaultReason(withFormat(Fmt(), 14, 0, 2)), L"nombre de bits par échantillon nul");
    EXPECT_TRUE(withFormat(Fmt(2), 14, 0, 2).Good()) << "compressed formats may give no sample size";
    // Extra format bytes beyond the fmt chunk: a decoder would read past it.
    EXPECT_EQ(FaultReason(withFormat(Fmt(2) + "\x20\0", 16, 32, 2)),
              L"taille des données de format supplémentaires incorrecte");
    EXPECT_TRUE(withFormat(Fmt(1) + "\x20\0", 16, 32, 2).Good()) << "PCM has no extra bytes to read";
}

TEST(WaveFileTest, OnlyChunkHeadersAndTheFormatAreRead)
{
    struct CountingBytes final : ByteSource {
        explicit CountingBytes(std::uint64_t size) : size(size) {}
        std::uint64_t Size() const override { return size; }
        bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const override
        {
            read += out.size();
            const std::string head = Riff(Chunk("fmt ", 16, Fmt())) + "data";
            std::string bytes = WithField(head, 4, static_cast<std::uint32_t>(size - 8));
            Put(bytes, static_cast<std::uint32_t>(size - bytes.size() - 4), 4);
            for (std::size_t i = 0; i < out.size(); ++i)
                out[i] = offset + i < bytes.size() ? static_cast<std::uint8_t>(bytes[offset + i]) : 0x80;
            return true;
        }
        std::uint64_t size;
        mutable std::size_t read = 0;
    };
    const CountingBytes big(3'000'000'000);
    const SoundCheck check = ReadWaveFile(big);
    ASSERT_TRUE(check.Good()) << testing::PrintToString(FaultReason(check));
    EXPECT_EQ(check.wave.dataSize, 3'000'000'000u - 44);
    EXPECT_LE(big.read, 12u + 8 + 8 + 16);
}

TEST(WaveFileTest, AFailingSourceIsNotTakenForADamagedFile)
{
    struct FailingBytes final : ByteSource {
        std::uint64_t Size() const override { return 1000; }
        bool ReadAt(std::uint64_t, std::span<std::uint8_t>) const override { return false; }
    };
    EXPECT_EQ(ReadWaveFile(FailingBytes{}).fault, SoundFault::Unreadable);
    EXPECT_EQ(ReadMidiFile(FailingBytes{}).fault, SoundFault::Unreadable);
}

TEST(WaveFileTest, TooManyChunksAreRefused)
{
    std::string chunks = Chunk("fmt ", 16, Fmt());
    for (std::size_t i = 0; i < MaxWaveChunks; ++i)
        chunks += Chunk("junk", 0, "");
    EXPECT_EQ(FaultReason(Wave(Riff(chunks + Chunk("data", 2, "ab")))), L"trop de blocs");
}

TEST(MidiFileTest, NeedsAWholeHeaderChunkOfSixBytes)
{
    const std::string header("MThd\0\0\0\x06\0\0\0\x01\0\x60", 14);
    EXPECT_TRUE(ReadMidiFile(MemoryBytes(header + "MTrk\0\0\0\0")).Good());
    EXPECT_TRUE(ReadMidiFile(MemoryBytes(header)).Good());
    EXPECT_EQ(FaultReason(ReadMidiFile(MemoryBytes(header.substr(0, 13)))), L"taille de l'en-tête MThd incorrecte");
    EXPECT_EQ(ReadMidiFile(MemoryBytes(std::string("MThd\0\0\0\x05\0\0\0\x01\0", 13))).fault,
              SoundFault::ShortMidiHeader);
    EXPECT_EQ(ReadMidiFile(MemoryBytes(std::string("MThd\xFF\xFF\xFF\xF0\0\0\0\x01\0\x60", 14))).fault,
              SoundFault::ShortMidiHeader);
    EXPECT_EQ(FaultReason(ReadMidiFile(MemoryBytes("MTh"))), L"en-tête MThd absent");
    EXPECT_EQ(ReadMidiFile(MemoryBytes(Riff(GoodChunks()))).fault, SoundFault::NoMidiHeader);
}

} // namespace
} // namespace tessark::sound
