#include "sound/WaveConversion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <string>
#include <vector>

namespace tessark::sound {
namespace {

void Put(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

struct Format {
    std::uint16_t tag = 1;
    std::uint16_t channels = 1;
    std::uint32_t rate = 22050;
    std::uint16_t bits = 16;
    std::uint16_t subFormat = 0;  // makes an extensible fmt chunk when set
    std::string extraChunk = {};  // whole chunk placed between fmt and data
};

std::string Wave(const Format& f, const std::string& samples)
{
    const auto block = static_cast<std::uint16_t>(f.channels * f.bits / 8);
    std::string fmt;
    Put(fmt, f.subFormat ? 0xFFFE : f.tag, 2);
    Put(fmt, f.channels, 2);
    Put(fmt, f.rate, 4);
    Put(fmt, f.rate * block, 4);
    Put(fmt, block, 2);
    Put(fmt, f.bits, 2);
    if (f.subFormat) {
        Put(fmt, 22, 2);
        Put(fmt, f.bits, 2);
        Put(fmt, 0, 4);
        Put(fmt, f.subFormat, 2);
        fmt += std::string("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 14);
    }
    std::string body = "WAVEfmt ";
    Put(body, static_cast<std::uint32_t>(fmt.size()), 4);
    body += fmt + f.extraChunk + "data";
    Put(body, static_cast<std::uint32_t>(samples.size()), 4);
    body += samples;
    std::string wav = "RIFF";
    Put(wav, static_cast<std::uint32_t>(body.size()), 4);
    return wav + body;
}

std::string Samples16(const std::vector<int>& values)
{
    std::string out;
    for (const int v : values)
        Put(out, static_cast<std::uint16_t>(v), 2);
    return out;
}

std::vector<int> Decoded16(const std::string& wav)
{
    std::vector<int> values;
    for (std::size_t at = 44; at + 1 < wav.size(); at += 2)
        values.push_back(static_cast<std::int16_t>(static_cast<std::uint8_t>(wav[at]) |
                                                   static_cast<std::uint8_t>(wav[at + 1]) << 8));
    return values;
}

Conversion Convert(const std::string& wav)
{
    return ConvertToEngineFormat(MemoryBytes(wav));
}

TEST(WaveConversionTest, OnlyTheCleanEngineFormatNeedsNoConversion)
{
    const auto formatOf = [](const std::string& wav) { return ReadWaveFile(MemoryBytes(wav)).wave; };
    EXPECT_TRUE(IsEngineFormat(formatOf(Wave({}, Samples16({1, 2})))));
    EXPECT_FALSE(IsEngineFormat(formatOf(Wave({.rate = 44100}, Samples16({1, 2})))));
    EXPECT_FALSE(IsEngineFormat(formatOf(Wave({.channels = 2}, Samples16({1, 2})))));
    EXPECT_FALSE(IsEngineFormat(formatOf(Wave({.bits = 8}, "ab"))));
    EXPECT_FALSE(IsEngineFormat(formatOf(Wave({.extraChunk = "LIST\x04\0\0\0INFO"}, Samples16({1})))));
    EXPECT_FALSE(IsEngineFormat(formatOf(Wave({.subFormat = 1}, Samples16({1})))));
}

TEST(WaveConversionTest, EightBitsMonoAtTheRightRateBecomeExactSixteenBitsInACleanFile)
{
    const std::string in = Wave({.bits = 8, .extraChunk = std::string("fact\x04\0\0\0\x04\0\0\0", 12)},
                                std::string("\x00\x80\xFF\x40", 4));
    const Conversion out = Convert(in);
    ASSERT_EQ(out.fault, ConversionFault::None);
    EXPECT_EQ(out.wav, Wave({}, Samples16({-32768, 0, 32512, -16384})));
    EXPECT_TRUE(IsEngineFormat(ReadWaveFile(MemoryBytes(out.wav)).wave));
}

TEST(WaveConversionTest, ChannelsAreAveragedAndEveryPcmAndFloatWidthDecodes)
{
    EXPECT_EQ(Decoded16(Convert(Wave({.channels = 2}, Samples16({1000, 3000, -32768, -32768, 100, -300}))).wav),
              (std::vector<int>{2000, -32768, -100}));
    EXPECT_EQ(Decoded16(Convert(Wave({.channels = 3, .subFormat = 1}, Samples16({300, 600, 900}))).wav),
              (std::vector<int>{600}));
    EXPECT_EQ(Decoded16(Convert(Wave({.bits = 24}, std::string("\x00\x00\x40\x00\x00\xC0", 6))).wav),
              (std::vector<int>{16384, -16384}));
    EXPECT_EQ(Decoded16(Convert(Wave({.bits = 32}, std::string("\x00\x00\x00\x20\x00\x00\x00\x80", 8))).wav),
              (std::vector<int>{8192, -32768}));
    std::string floats;
    for (const float f : {0.25f, 2.0f, -2.0f, std::nanf("")}) {
        std::uint32_t raw;
        std::memcpy(&raw, &f, 4);
        Put(floats, raw, 4);
    }
    const std::vector<int> clipped{8192, 32767, -32768, 0};
    EXPECT_EQ(Decoded16(Convert(Wave({.tag = 3, .bits = 32}, floats)).wav), clipped);
    EXPECT_EQ(Decoded16(Convert(Wave({.bits = 32, .subFormat = 3}, floats)).wav), clipped);
}

TEST(WaveConversionTest, CompressedUnusualAndDamagedSamplesAreRefused)
{
    EXPECT_EQ(Convert(Wave({.tag = 2, .channels = 2, .bits = 4}, "abcd")).fault, ConversionFault::Compressed);
    EXPECT_EQ(Convert(Wave({.tag = 0x55, .bits = 16}, "abcd")).fault, ConversionFault::Compressed);
    EXPECT_EQ(Convert(Wave({.subFormat = 2}, "abcd")).fault, ConversionFault::Compressed);
    EXPECT_EQ(Convert(Wave({.bits = 12}, "abcd")).fault, ConversionFault::Unusual);
    EXPECT_EQ(Convert(Wave({.rate = 10}, "abcd")).fault, ConversionFault::Unusual);
    std::string badBlock = Wave({}, "abcd");
    badBlock[32] = 3;
    EXPECT_EQ(Convert(badBlock).fault, ConversionFault::Unusual);
    EXPECT_EQ(Convert(Wave({}, "abcd").substr(0, 30)).fault, ConversionFault::Damaged);
    EXPECT_EQ(Convert("not a wave file").fault, ConversionFault::Damaged);
}

TEST(WaveConversionTest, AResultOverTheLargestSampleIsRefusedBeforeAnyDecoding)
{
    // 8-bit mono at 11,025 Hz grows fourfold: twice the samples, two bytes each.
    const std::uint32_t fits = (LargestSampleBytes - 44) / 4;
    const std::uint32_t over = fits + 1;
    int calls = 0;
    const ConversionProgress counting = [&](double) {
        ++calls;
        return true;
    };
    EXPECT_EQ(ConvertToEngineFormat(MemoryBytes(Wave({.rate = 11025, .bits = 8}, std::string(over, '\x80'))), counting)
                  .fault,
              ConversionFault::TooLong);
    EXPECT_EQ(calls, 0) << "refused before decoding";
    // One byte less passes the check: the work starts, and is stopped at once.
    EXPECT_EQ(ConvertToEngineFormat(MemoryBytes(Wave({.rate = 11025, .bits = 8}, std::string(fits, '\x80'))),
                                    [](double) { return false; })
                  .fault,
              ConversionFault::Cancelled);
}

TEST(WaveConversionTest, TheProgressRisesToTheEndAndCancellingStopsTheWork)
{
    const std::string wave = Wave({.rate = 11025, .bits = 8}, std::string(200000, '\x90'));
    std::vector<double> told;
    const Conversion whole = ConvertToEngineFormat(MemoryBytes(wave), [&](double done) {
        told.push_back(done);
        return true;
    });
    ASSERT_EQ(whole.fault, ConversionFault::None);
    ASSERT_GT(told.size(), 10u);
    EXPECT_TRUE(std::is_sorted(told.begin(), told.end()));
    EXPECT_GE(told.front(), 0.0);
    EXPECT_LE(told.back(), 1.0);
    EXPECT_GT(told.back(), 0.9);
    EXPECT_EQ(whole.wav, ConvertToEngineFormat(MemoryBytes(wave)).wav) << "the same result without a progress";

    for (const std::size_t stopAt : {std::size_t{1}, told.size() - 1}) {
        std::size_t calls = 0;
        const Conversion stopped =
            ConvertToEngineFormat(MemoryBytes(wave), [&](double) { return ++calls < stopAt; });
        EXPECT_EQ(stopped.fault, ConversionFault::Cancelled) << stopAt;
        EXPECT_TRUE(stopped.wav.empty());
        EXPECT_EQ(calls, stopAt) << "no work goes on after the cancel";
    }
}

TEST(WaveConversionTest, DamagedBytesAnywhereNeverCrash)
{
    const std::string good = Wave({.channels = 2, .rate = 44100, .bits = 24}, std::string(600, '\x11'));
    for (std::size_t at = 0; at < 48; ++at)
        for (const char value : {'\0', '\x01', '\x7F', '\xFF'}) {
            std::string damaged = good;
            damaged[at] = value;
            const Conversion out = Convert(damaged);
            if (out.fault == ConversionFault::None) {
                EXPECT_TRUE(IsEngineFormat(ReadWaveFile(MemoryBytes(out.wav)).wave)) << at;
            }
        }
}

// A tone as 16-bit stereo samples, both channels alike.
std::string Tone(double frequency, std::uint32_t rate, double amplitude, double seconds)
{
    std::vector<int> values;
    const auto frames = static_cast<int>(rate * seconds);
    for (int n = 0; n < frames; ++n) {
        const int v = static_cast<int>(std::lround(32767 * amplitude * std::sin(2 * std::numbers::pi * frequency * n / rate)));
        values.push_back(v);
        values.push_back(v);
    }
    return Wave({.channels = 2, .rate = rate}, Samples16(values));
}

double Rms(const std::vector<int>& values, std::size_t from, std::size_t to)
{
    double sum = 0;
    for (std::size_t i = from; i < to; ++i)
        sum += static_cast<double>(values[i]) * values[i];
    return std::sqrt(sum / static_cast<double>(to - from)) / 32768.0;
}

// From the first to the last rising zero crossing, interpolated.
double Frequency(const std::vector<int>& values, std::size_t from, std::size_t to, double rate)
{
    double first = -1, last = -1;
    int crossings = 0;
    for (std::size_t i = from; i + 1 < to; ++i)
        if (values[i] < 0 && values[i + 1] >= 0) {
            const double at = static_cast<double>(i) + static_cast<double>(-values[i]) / (values[i + 1] - values[i]);
            if (first < 0)
                first = at;
            last = at;
            ++crossings;
        }
    return (crossings - 1) * rate / (last - first);
}

TEST(WaveConversionTest, ASineKeepsItsPitchAndLevelAndWhatCannotBeKeptIsCut)
{
    const double amplitude = 0.5, expectedRms = 0.5 * 32767 / 32768 / std::sqrt(2.0);
    const Conversion sine = Convert(Tone(1000, 44100, amplitude, 1.0));
    ASSERT_EQ(sine.fault, ConversionFault::None);
    const std::vector<int> out = Decoded16(sine.wav);
    ASSERT_EQ(out.size(), 22050u);
    EXPECT_NEAR(Frequency(out, 1000, 21000, 22050), 1000.0, 1.0);
    EXPECT_NEAR(20 * std::log10(Rms(out, 1000, 21000) / expectedRms), 0.0, 0.1);

    const std::vector<int> high = Decoded16(Convert(Tone(15000, 44100, amplitude, 1.0)).wav);
    EXPECT_LT(20 * std::log10(Rms(high, 1000, 21000) / expectedRms), -60.0);

    // Upward, and a rate pair whose phases are interpolated.
    for (const std::uint32_t rate : {8000u, 44101u, 48000u}) {
        const std::vector<int> moved = Decoded16(Convert(Tone(1000, rate, amplitude, 1.0)).wav);
        EXPECT_NEAR(Frequency(moved, 1000, 21000, 22050), 1000.0, 1.0) << rate;
        EXPECT_NEAR(20 * std::log10(Rms(moved, 1000, 21000) / expectedRms), 0.0, 0.1) << rate;
    }
}

} // namespace
} // namespace tessark::sound
