// Benchmark: a 10-second 44,100 Hz stereo 16-bit sample (a 1 kHz sine) brought
// to 22,050 Hz 16-bit mono, and how close the result is to the ideal sine.
// tools/bench.sh runs it beside sox on the same file. It prints figures; it is
// not a pass/fail test.
//   wave_conversion_bench <work folder> [runs]   writes in.wav and ours.wav
//   wave_conversion_bench --snr <file.wav>        the SNR of another converter's result
#include "sound/WaveConversion.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace tessark::sound;
constexpr double Tone = 1000, Amplitude = 0.5, Seconds = 10;
constexpr std::uint32_t InRate = 44100;

void Put(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::string StereoSine()
{
    const auto frames = static_cast<std::uint32_t>(InRate * Seconds);
    std::string wav = "RIFF";
    Put(wav, 36 + frames * 4, 4);
    wav += "WAVEfmt ";
    for (const auto& [value, bytes] : {std::pair{16u, 4}, {1u, 2}, {2u, 2}, {InRate, 4}, {InRate * 4, 4}, {4u, 2},
                                      {16u, 2}})
        Put(wav, value, bytes);
    wav += "data";
    Put(wav, frames * 4, 4);
    for (std::uint32_t n = 0; n < frames; ++n) {
        const auto v = static_cast<std::int16_t>(
            std::lround(32767 * Amplitude * std::sin(2 * std::numbers::pi * Tone * n / InRate)));
        Put(wav, static_cast<std::uint16_t>(v), 2);
        Put(wav, static_cast<std::uint16_t>(v), 2);
    }
    return wav;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Against the ideal sine at the output instants, the first and last 100 ms left out.
double SnrDb(const std::string& cleanWav)
{
    double signal = 0, noise = 0;
    const std::size_t count = (cleanWav.size() - 44) / 2;
    for (std::size_t n = EngineSampleRate / 10; n + EngineSampleRate / 10 < count; ++n) {
        const auto sample = static_cast<std::int16_t>(static_cast<std::uint8_t>(cleanWav[44 + 2 * n]) |
                                                      static_cast<std::uint8_t>(cleanWav[45 + 2 * n]) << 8);
        const double ideal =
            32767 * Amplitude * std::sin(2 * std::numbers::pi * Tone * static_cast<double>(n) / EngineSampleRate);
        signal += ideal * ideal;
        noise += (sample - ideal) * (sample - ideal);
    }
    return 10 * std::log10(signal / noise);
}

int ReportSnrOf(const std::string& path)
{
    const std::string bytes = ReadFile(path);
    const Conversion clean = ConvertToEngineFormat(MemoryBytes(bytes));  // already at the rate: only re-laid out
    if (clean.fault != ConversionFault::None) {
        std::printf("%s: not a readable WAV file\n", path.c_str());
        return 1;
    }
    std::printf("SNR of %s: %.1f dB\n", path.c_str(), SnrDb(clean.wav));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--snr")
        return ReportSnrOf(argv[2]);
    if (argc < 2) {
        std::fprintf(stderr, "usage: wave_conversion_bench <work folder> [runs] | --snr <file.wav>\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const std::string in = StereoSine();
    WriteFile(folder + "/in.wav", in);
    double best = 1e9;
    Conversion out;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        out = ConvertToEngineFormat(MemoryBytes(in));
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    WriteFile(folder + "/ours.wav", out.wav);
    std::printf("Tessark: 10 s of 44,100 Hz stereo -> 22,050 Hz mono: best of %d %8.2f ms, SNR %.1f dB\n", runs,
                best, SnrDb(out.wav));
    return 0;
}
