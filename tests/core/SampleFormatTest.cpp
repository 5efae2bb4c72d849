#include "sound/SampleFormat.h"

#include <gtest/gtest.h>

#include <algorithm>
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

struct Sample {
    std::uint16_t tag = 1;
    std::uint16_t channels = 1;
    std::uint32_t rate = 22050;
    std::uint16_t bits = 16;
    std::uint16_t extraFormatBytes = 0;  // after cbSize; no cbSize at all when `plainFmt`
    bool plainFmt = true;
    std::uint32_t dataBytes = 19845;  // 0.45 s at 22050 Hz, 16 bits, mono
    std::string chunksBeforeData{};
    std::string chunksAfterData{};
};

// An odd-sized chunk is followed by its pad byte.
std::string Chunk(std::string_view id, std::string_view body)
{
    std::string chunk(id);
    Put(chunk, static_cast<std::uint32_t>(body.size()), 4);
    return chunk + std::string(body) + (body.size() % 2 ? std::string(1, '\0') : "");
}

std::string WaveBytes(const Sample& sample)
{
    const std::uint16_t block = static_cast<std::uint16_t>(std::max(1, sample.channels * sample.bits / 8));
    std::string fmt;
    Put(fmt, sample.tag, 2);
    Put(fmt, sample.channels, 2);
    Put(fmt, sample.rate, 4);
    Put(fmt, sample.rate * block, 4);
    Put(fmt, block, 2);
    Put(fmt, sample.bits, 2);
    if (!sample.plainFmt) {
        Put(fmt, sample.extraFormatBytes, 2);
        fmt.append(sample.extraFormatBytes, '\0');
    }
    const std::string body = "WAVE" + Chunk("fmt ", fmt) + sample.chunksBeforeData +
                             Chunk("data", std::string(sample.dataBytes, '\0')) + sample.chunksAfterData;
    std::string wav = "RIFF";
    Put(wav, static_cast<std::uint32_t>(body.size()), 4);
    return wav + body;
}

SampleDescription Describe(const std::string& bytes)
{
    return DescribeSample(ReadWaveFile(MemoryBytes(bytes)), bytes.size());
}

struct Case {
    const char* name;
    Sample sample;
    std::vector<std::wstring> problems;
};

TEST(SampleFormatTest, EachWayOfDifferingFromWhatTheGamePlaysIsNamed)
{
    const std::wstring slow = L"44100 Hz : joué à la mauvaise vitesse";
    const Case cases[] = {
        {"22.05 kHz 16-bit mono PCM", {}, {}},
        {"8-bit", {.bits = 8, .dataBytes = 9923}, {L"8 bits"}},
        {"24-bit", {.bits = 24}, {L"24 bits"}},
        {"32-bit float", {.tag = 3, .bits = 32}, {L"virgule flottante", L"32 bits"}},
        {"6 channels", {.channels = 6}, {L"6 canaux"}},
        {"ADPCM", {.tag = 2, .bits = 4, .extraFormatBytes = 2, .plainFmt = false},
         {L"compressé (ADPCM)", L"fmt de 20 octets"}},
        {"MP3", {.tag = 0x55, .bits = 0, .extraFormatBytes = 12, .plainFmt = false},
         {L"compressé (MP3)", L"fmt de 30 octets"}},
        {"extensible", {.tag = 0xFFFE, .extraFormatBytes = 22, .plainFmt = false},
         {L"format extensible", L"fmt de 40 octets"}},
        {"44.1 kHz stereo", {.channels = 2, .rate = 44100}, {slow, L"stéréo"}},
        {"18-byte fmt", {.plainFmt = false}, {L"fmt de 18 octets"}},
        {"LIST chunk, twice", {.chunksAfterData = Chunk("LIST", "INFOtest") + Chunk("LIST", "INFO")},
         {L"bloc LIST en trop"}},
        {"fact chunk", {.chunksBeforeData = Chunk("fact", "abcd")}, {L"bloc fact en trop"}},
        {"over 256 KB", {.dataBytes = 256 * 1024}, {L"plus de 256 Ko"}},
        {"just 256 KB", {.dataBytes = 256 * 1024 - 44}, {}},
        {"0 data bytes", {.dataBytes = 0}, {L"aucune donnée sonore"}},
        {"everything at once", {.tag = 2, .channels = 2, .rate = 11025, .bits = 4, .extraFormatBytes = 0,
                                .plainFmt = false, .chunksBeforeData = Chunk("fact", "abcd")},
         {L"11025 Hz : joué à la mauvaise vitesse", L"stéréo", L"compressé (ADPCM)", L"fmt de 18 octets",
          L"bloc fact en trop"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SampleDescription described = Describe(WaveBytes(c.sample));
        EXPECT_EQ(described.problems, c.problems);
        EXPECT_EQ(described.Fits(), c.problems.empty());
    }
}

TEST(SampleFormatTest, FormatTellsRateBitsChannelsEncodingAndDuration)
{
    const SampleDescription clean = Describe(WaveBytes({}));
    EXPECT_EQ(clean.format, L"22050 Hz · 16 bits · mono · PCM · 0,45 s");
    EXPECT_EQ(clean.Text(), clean.format);

    const SampleDescription loud = Describe(WaveBytes({.channels = 2, .rate = 44100, .dataBytes = 176400 * 3 / 2}));
    EXPECT_EQ(loud.format, L"44100 Hz · 16 bits · stéréo · PCM · 1,50 s");
    EXPECT_EQ(loud.Text(), L"44100 Hz : joué à la mauvaise vitesse, stéréo, plus de 256 Ko — " + loud.format);

    EXPECT_EQ(Describe(WaveBytes({.dataBytes = 0})).format, L"22050 Hz · 16 bits · mono · PCM · 0,00 s");
    EXPECT_EQ(Describe(WaveBytes({.dataBytes = 441})).format, L"22050 Hz · 16 bits · mono · PCM · 0,01 s")
        << "rounded to the nearest hundredth";
    EXPECT_EQ(Describe(WaveBytes({.tag = 0x55, .bits = 0, .extraFormatBytes = 12, .plainFmt = false, .dataBytes = 9923}))
                  .format,
              L"22050 Hz · mono · MP3 · 0,45 s")
        << "no bits for a format that has none";
    EXPECT_EQ(Describe(WaveBytes({.tag = 0x1234})).format, L"22050 Hz · 16 bits · mono · format 0x1234 · 0,45 s");
    EXPECT_EQ(Describe(WaveBytes({.chunksAfterData = Chunk(std::string("ab\x01 ", 4), "")})).problems,
              std::vector<std::wstring>{L"bloc ab? en trop"});
}

TEST(SampleFormatTest, DamagedFileIsSaidSoWithoutAFormat)
{
    std::string bytes = WaveBytes({});
    bytes[8] = 'X';  // not a WAVE form
    const SampleDescription damaged = Describe(bytes);
    EXPECT_FALSE(damaged.Fits());
    EXPECT_EQ(damaged.format, L"");
    EXPECT_EQ(damaged.Text(), L"Fichier son incorrect");
    EXPECT_EQ(Describe("RIFF").Text(), L"Fichier son incorrect");
}

} // namespace
} // namespace tessark::sound
