#include "sound/SampleFormat.h"

#include "util/Messages.h"

#include <algorithm>

namespace tessark::sound {
namespace {

constexpr std::uint16_t GameBits = 16;

std::wstring Number(std::uint64_t value)
{
    return std::to_wstring(value);
}

std::wstring Hex4(std::uint16_t value)
{
    constexpr wchar_t digits[] = L"0123456789ABCDEF";
    std::wstring text = L"0x";
    for (int shift = 12; shift >= 0; shift -= 4)
        text += digits[(value >> shift) & 0xF];
    return text;
}

std::wstring EncodingName(std::uint16_t tag)
{
    switch (tag) {
    case PcmTag: return L"PCM";
    case 2: return L"ADPCM";
    case FloatTag: return std::wstring(msg::FloatEncoding);
    case 6: return L"A-law";
    case 7: return L"µ-law";
    case 0x11: return L"IMA ADPCM";
    case 0x50: return L"MPEG";
    case 0x55: return L"MP3";
    case ExtensibleTag: return std::wstring(msg::ExtensibleEncoding);
    default: return FormatMessageText(msg::OtherEncoding, Hex4(tag));
    }
}

std::wstring ChannelsText(std::uint16_t channels)
{
    if (channels == 1)
        return std::wstring(msg::Mono);
    if (channels == 2)
        return std::wstring(msg::Stereo);
    return FormatMessageText(msg::Channels, Number(channels));
}

// Seconds with two decimals and a French decimal comma: "0,45 s".
std::wstring DurationText(const WaveFormat& wave)
{
    const std::uint64_t hundredths =
        wave.byteRate == 0 ? 0 : (std::uint64_t{wave.dataSize} * 100 + wave.byteRate / 2) / wave.byteRate;
    const std::uint64_t fraction = hundredths % 100;
    return Number(hundredths / 100) + L"," + (fraction < 10 ? L"0" : L"") + Number(fraction) + L" s";
}

std::wstring FormatText(const WaveFormat& wave)
{
    constexpr std::wstring_view dot = L" · ";
    std::wstring text = Number(wave.sampleRate) + L" Hz";
    if (wave.bitsPerSample != 0)
        text += std::wstring(dot) + Number(wave.bitsPerSample) + L" bits";
    text += std::wstring(dot) + ChannelsText(wave.channels);
    text += std::wstring(dot) + EncodingName(wave.formatTag);
    text += std::wstring(dot) + DurationText(wave);
    return text;
}

void AddExtraChunks(const WaveFormat& wave, std::vector<std::wstring>& problems)
{
    std::vector<std::string> named;
    for (const std::string& id : wave.chunkIds) {
        if (id == "fmt " || id == "data" || std::find(named.begin(), named.end(), id) != named.end())
            continue;
        named.push_back(id);
        problems.push_back(FormatMessageText(msg::ExtraChunk, ShownChunkId(id)));
    }
}

// Compressed and extensible samples are named by their encoding; the bits of
// a compressed sample say nothing a player could use.
void AddEncodingProblems(const WaveFormat& wave, std::vector<std::wstring>& problems)
{
    const bool linear = wave.formatTag == PcmTag || wave.formatTag == FloatTag;
    if (wave.formatTag == FloatTag || wave.formatTag == ExtensibleTag)
        problems.push_back(EncodingName(wave.formatTag));
    else if (!linear)
        problems.push_back(FormatMessageText(msg::CompressedSample, EncodingName(wave.formatTag)));
    if (linear && wave.bitsPerSample != GameBits)
        problems.push_back(Number(wave.bitsPerSample) + L" bits");
}

std::vector<std::wstring> Problems(const WaveFormat& wave, std::uint64_t fileSize)
{
    std::vector<std::wstring> problems;
    if (wave.sampleRate != GameSampleRate)
        problems.push_back(FormatMessageText(msg::WrongSpeed, Number(wave.sampleRate)));
    if (wave.channels != 1)
        problems.push_back(ChannelsText(wave.channels));
    AddEncodingProblems(wave, problems);
    if (wave.fmtSize != PlainFmtSize)
        problems.push_back(FormatMessageText(msg::LongFmt, Number(wave.fmtSize)));
    AddExtraChunks(wave, problems);
    if (wave.dataSize == 0)
        problems.push_back(std::wstring(msg::NoSoundData));
    if (fileSize > LargestGameSample)
        problems.push_back(std::wstring(msg::SampleTooBig));
    return problems;
}

} // namespace

std::wstring SampleDescription::Text() const
{
    std::wstring text;
    for (const std::wstring& problem : problems)
        text += (text.empty() ? L"" : L", ") + problem;
    if (!text.empty() && !format.empty())
        text += L" — ";
    return text + format;
}

SampleDescription DescribeSample(const WaveFormat& wave, std::uint64_t fileSize)
{
    return {FormatText(wave), Problems(wave, fileSize)};
}

SampleDescription DescribeSample(const SoundCheck& check, std::uint64_t fileSize)
{
    if (!check.Good())
        return {{}, {std::wstring(msg::DamagedSoundShort)}};
    return DescribeSample(check.wave, fileSize);
}

} // namespace tessark::sound
