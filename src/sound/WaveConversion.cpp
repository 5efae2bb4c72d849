#include "sound/WaveConversion.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>
#include <numeric>
#include <optional>

namespace tessark::sound {
namespace {

constexpr std::uint32_t ExtensibleFmtSize = 40;
constexpr std::uint32_t SubFormatAt = 24;  // the GUID's first two bytes hold the format tag
constexpr std::uint32_t CleanHeaderSize = 44;
// Real samples lie well inside these rates; beyond them the filter would grow huge.
constexpr std::uint32_t LowestRate = 1000;
constexpr std::uint32_t HighestRate = 768000;

// The filter: a sinc cut a little below the lower Nyquist frequency, 32 zero
// crossings each side, under a Kaiser window whose side lobes lie ~90 dB down.
constexpr double PassFraction = 0.91;
constexpr double ZeroCrossings = 32;
constexpr double KaiserBeta = 9.0;
// Rate pairs that need more phases than this get them interpolated.
constexpr std::uint64_t MaxPhases = 1024;
// How often the progress is told, in frames or output samples.
constexpr std::uint64_t ProgressStep = 16384;
// The part of the work that the mix-down takes; the resampling takes the rest.
constexpr double MixDownShare = 0.2;

// The progress of one stage, told as a part of the whole work.
class StageProgress {
public:
    StageProgress(const ConversionProgress& progress, double from, double share)
        : progress_(progress), from_(from), share_(share)
    {
    }
    // False when the user cancelled.
    bool Tell(std::uint64_t done, std::uint64_t total) const
    {
        return !progress_ || progress_(from_ + share_ * (total ? static_cast<double>(done) / total : 1.0));
    }

private:
    const ConversionProgress& progress_;
    double from_;
    double share_;
};

void PutLe(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

struct ChunkPlace {
    std::uint64_t body = 0;
    std::uint32_t size = 0;
};

struct Layout {
    ChunkPlace fmt;
    ChunkPlace data;
};

// Where the first fmt and data chunks lie, in a file ReadWaveFile found good.
std::optional<Layout> FindChunks(const ByteSource& file)
{
    std::array<std::uint8_t, 8> header{};
    if (!file.ReadAt(0, header))
        return std::nullopt;
    const std::uint64_t end = std::min<std::uint64_t>(file.Size(), 8 + std::uint64_t{Le32(header.data() + 4)});
    std::optional<ChunkPlace> fmt, data;
    std::uint64_t at = 12;
    for (std::size_t count = 0; count < MaxWaveChunks && at + 8 <= end && !data; ++count) {
        if (!file.ReadAt(at, header))
            return std::nullopt;
        const ChunkPlace chunk{at + 8, Le32(header.data() + 4)};
        if (std::memcmp(header.data(), "fmt ", 4) == 0 && !fmt)
            fmt = chunk;
        else if (std::memcmp(header.data(), "data", 4) == 0)
            data = chunk;
        at = chunk.body + chunk.size + (chunk.size & 1u);
    }
    if (!fmt || !data || data->body + data->size > file.Size())
        return std::nullopt;
    return Layout{*fmt, *data};
}

// The tag that tells how the samples are coded: an extensible format's subformat.
std::optional<std::uint16_t> SampleCoding(const ByteSource& file, const WaveFormat& wave, const ChunkPlace& fmt)
{
    if (wave.formatTag != ExtensibleTag)
        return wave.formatTag;
    std::array<std::uint8_t, 2> tag{};
    if (fmt.size < ExtensibleFmtSize || !file.ReadAt(fmt.body + SubFormatAt, tag))
        return std::nullopt;
    return Le16(tag.data());
}

using SampleDecoder = double (*)(const std::uint8_t*);

std::optional<SampleDecoder> DecoderFor(std::uint16_t coding, std::uint16_t bits)
{
    if (coding == PcmTag) {
        switch (bits) {
        case 8: return [](const std::uint8_t* p) { return (p[0] - 128) / 128.0; };
        case 16: return [](const std::uint8_t* p) { return static_cast<std::int16_t>(Le16(p)) / 32768.0; };
        case 24:
            return [](const std::uint8_t* p) {
                const auto raw = static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) << 8 |
                                                           static_cast<std::uint32_t>(p[1]) << 16 |
                                                           static_cast<std::uint32_t>(p[2]) << 24);
                return raw / 2147483648.0;
            };
        case 32: return [](const std::uint8_t* p) { return static_cast<std::int32_t>(Le32(p)) / 2147483648.0; };
        default: return std::nullopt;
        }
    }
    if (coding == FloatTag && bits == 32)
        return [](const std::uint8_t* p) {
            float value;
            const std::uint32_t raw = Le32(p);
            std::memcpy(&value, &raw, sizeof value);
            return static_cast<double>(value);
        };
    if (coding == FloatTag && bits == 64)
        return [](const std::uint8_t* p) {
            const std::uint64_t raw = Le32(p) | std::uint64_t{Le32(p + 4)} << 32;
            double value;
            std::memcpy(&value, &raw, sizeof value);
            return value;
        };
    return std::nullopt;
}

enum class MixDownEnd { Done, ReadFailed, Cancelled };

// The channels of each frame averaged into one.
MixDownEnd MixDown(const ByteSource& file, const ChunkPlace& data, const WaveFormat& wave, SampleDecoder decode,
                   std::vector<float>& mono, const StageProgress& progress)
{
    constexpr std::size_t FramesARead = ProgressStep;
    const std::size_t frameBytes = wave.blockAlign;
    const std::size_t sampleBytes = wave.bitsPerSample / 8u;
    const std::uint64_t frames = data.size / frameBytes;
    mono.reserve(static_cast<std::size_t>(frames));
    std::vector<std::uint8_t> block;
    for (std::uint64_t done = 0; done < frames;) {
        const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(FramesARead, frames - done));
        block.resize(count * frameBytes);
        if (!progress.Tell(done, frames))
            return MixDownEnd::Cancelled;
        if (!file.ReadAt(data.body + done * frameBytes, block))
            return MixDownEnd::ReadFailed;
        for (std::size_t f = 0; f < count; ++f) {
            double sum = 0;
            for (std::size_t c = 0; c < wave.channels; ++c)
                sum += decode(&block[f * frameBytes + c * sampleBytes]);
            const double value = sum / wave.channels;
            mono.push_back(std::isfinite(value) ? static_cast<float>(value) : 0.0f);
        }
        done += count;
    }
    return MixDownEnd::Done;
}

double BesselI0(double x)
{
    double sum = 1, term = 1;
    for (int k = 1; k < 64 && term > sum * 1e-17; ++k) {
        const double half = x / (2.0 * k);
        term *= half * half;
        sum += term;
    }
    return sum;
}

// The windowed sinc at `t` input samples from the output instant.
class Kernel {
public:
    Kernel(double cutoff, double halfWidth) : cutoff_(cutoff), halfWidth_(halfWidth), norm_(BesselI0(KaiserBeta)) {}
    double operator()(double t) const
    {
        const double x = t / halfWidth_;
        if (x <= -1 || x >= 1)
            return 0;
        const double arg = std::numbers::pi * cutoff_ * t;
        const double sinc = t == 0 ? 1.0 : std::sin(arg) / arg;
        return cutoff_ * sinc * BesselI0(KaiserBeta * std::sqrt(1 - x * x)) / norm_;
    }

private:
    double cutoff_, halfWidth_, norm_;
};

std::int16_t ToSixteenBits(float value)
{
    const double scaled = std::clamp(static_cast<double>(value) * 32768.0, -32768.0, 32767.0);
    return static_cast<std::int16_t>(std::lround(scaled));
}

std::string CleanWave(const std::vector<float>& samples)
{
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::string wav;
    wav.reserve(CleanHeaderSize + dataBytes);
    wav += "RIFF";
    PutLe(wav, CleanHeaderSize - 8 + dataBytes, 4);
    wav += "WAVEfmt ";
    PutLe(wav, PlainFmtSize, 4);
    PutLe(wav, PcmTag, 2);
    PutLe(wav, 1, 2);
    PutLe(wav, EngineSampleRate, 4);
    PutLe(wav, EngineSampleRate * 2, 4);
    PutLe(wav, 2, 2);
    PutLe(wav, 16, 2);
    wav += "data";
    PutLe(wav, dataBytes, 4);
    for (const float sample : samples)
        PutLe(wav, static_cast<std::uint16_t>(ToSixteenBits(sample)), 2);
    return wav;
}

Conversion Refused(ConversionFault fault)
{
    return Conversion{fault, {}};
}

} // namespace

bool IsEngineFormat(const WaveFormat& wave)
{
    return wave.formatTag == PcmTag && wave.sampleRate == EngineSampleRate && wave.bitsPerSample == 16 &&
           wave.channels == 1 && wave.blockAlign == 2 && wave.fmtSize == PlainFmtSize &&
           wave.chunkIds == std::vector<std::string>{"fmt ", "data"};
}

namespace {

// A polyphase filter: output n lies at n * from / to input samples, between
// input i and i + 1 at phase k / L (L = to / gcd). Each phase has its row of
// taps, worked out once.
std::vector<float> ResampleTelling(const std::vector<float>& input, std::uint32_t fromRate, std::uint32_t toRate,
                                   const StageProgress& progress)
{
    if (fromRate == toRate || input.empty())
        return input;
    const std::uint64_t common = std::gcd(fromRate, toRate);
    const std::uint64_t up = toRate / common, down = fromRate / common;
    const double cutoff = PassFraction * std::min(1.0, static_cast<double>(toRate) / fromRate);
    const double halfWidth = ZeroCrossings / cutoff;
    const auto reach = static_cast<std::int64_t>(std::ceil(halfWidth));
    const std::size_t taps = static_cast<std::size_t>(2 * reach);
    const std::uint64_t phases = std::min(up, MaxPhases);

    const Kernel kernel(cutoff, halfWidth);
    std::vector<float> table((phases + 1) * taps);
    for (std::uint64_t r = 0; r <= phases; ++r)
        for (std::size_t m = 0; m < taps; ++m)
            table[r * taps + m] = static_cast<float>(
                kernel(static_cast<double>(r) / phases + static_cast<double>(reach - 1) - static_cast<double>(m)));

    const std::uint64_t count = (input.size() * up + down - 1) / down;
    const auto last = static_cast<std::int64_t>(input.size()) - 1;
    std::vector<float> output(static_cast<std::size_t>(count));
    for (std::uint64_t n = 0; n < count; ++n) {
        if (n % ProgressStep == 0 && !progress.Tell(n, count))
            return {};
        const std::uint64_t position = n * down;
        const auto i = static_cast<std::int64_t>(position / up);
        const double phase = static_cast<double>(position % up) * phases / up;
        const auto row = static_cast<std::uint64_t>(phase);
        const double between = phase - static_cast<double>(row);
        const float* near = &table[row * taps];
        const float* next = &table[std::min(row + 1, phases) * taps];
        const std::int64_t first = i - reach + 1;
        const std::int64_t from = std::max<std::int64_t>(first, 0), to = std::min<std::int64_t>(i + reach, last);
        double sum = 0;
        if (between == 0) {
            for (std::int64_t j = from; j <= to; ++j)
                sum += static_cast<double>(input[static_cast<std::size_t>(j)]) * near[j - first];
        } else {
            for (std::int64_t j = from; j <= to; ++j) {
                const double weight = near[j - first] + between * (next[j - first] - near[j - first]);
                sum += input[static_cast<std::size_t>(j)] * weight;
            }
        }
        output[static_cast<std::size_t>(n)] = static_cast<float>(sum);
    }
    return output;
}

} // namespace

std::vector<float> Resample(const std::vector<float>& input, std::uint32_t fromRate, std::uint32_t toRate,
                            const ConversionProgress& progress)
{
    return ResampleTelling(input, fromRate, toRate, StageProgress(progress, 0, 1));
}

Conversion ConvertToEngineFormat(const ByteSource& file, const ConversionProgress& progress)
{
    const SoundCheck check = ReadWaveFile(file);
    if (!check.Good())
        return Refused(ConversionFault::Damaged);
    const WaveFormat& wave = check.wave;
    const auto layout = FindChunks(file);
    if (!layout)
        return Refused(ConversionFault::Damaged);
    const auto coding = SampleCoding(file, wave, layout->fmt);
    if (!coding || (*coding != PcmTag && *coding != FloatTag))
        return Refused(ConversionFault::Compressed);
    const auto decode = DecoderFor(*coding, wave.bitsPerSample);
    if (!decode || wave.blockAlign != std::uint32_t{wave.channels} * (wave.bitsPerSample / 8u) ||
        wave.sampleRate < LowestRate || wave.sampleRate > HighestRate)
        return Refused(ConversionFault::Unusual);
    const std::uint64_t frames = layout->data.size / wave.blockAlign;
    const std::uint64_t outFrames = (frames * EngineSampleRate + wave.sampleRate - 1) / wave.sampleRate;
    if (CleanHeaderSize + outFrames * 2 > LargestSampleBytes)
        return Refused(ConversionFault::TooLong);
    std::vector<float> mono;
    switch (MixDown(file, layout->data, wave, *decode, mono, StageProgress(progress, 0, MixDownShare))) {
    case MixDownEnd::ReadFailed: return Refused(ConversionFault::Damaged);
    case MixDownEnd::Cancelled: return Refused(ConversionFault::Cancelled);
    case MixDownEnd::Done: break;
    }
    const std::vector<float> resampled =
        ResampleTelling(mono, wave.sampleRate, EngineSampleRate, StageProgress(progress, MixDownShare, 1 - MixDownShare));
    if (resampled.empty() != mono.empty())
        return Refused(ConversionFault::Cancelled);
    return Conversion{ConversionFault::None, CleanWave(resampled)};
}

} // namespace tessark::sound
