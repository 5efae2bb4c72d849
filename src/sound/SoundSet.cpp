#include "sound/SoundSet.h"

#include "util/Messages.h"
#include "util/Text1252.h"

#include <algorithm>

namespace tessark::sound {
namespace {

constexpr std::size_t ExtendedMarkOffset = 2 * ClassicMapSize;
constexpr std::size_t DetailsSize = 8;

std::uint16_t U16At(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    return static_cast<std::uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

std::uint32_t U32At(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    return U16At(bytes, offset) | std::uint32_t{U16At(bytes, offset + 2)} << 16;
}

std::size_t MapSizeOf(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() >= ExtendedMarkOffset + 2 &&
        static_cast<std::int16_t>(U16At(bytes, ExtendedMarkOffset)) == UnusedSlot)
        return ExtendedMapSize;
    return ClassicMapSize;
}

SoundDetails DetailsAt(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    SoundDetails details;
    details.firstSample = U16At(bytes, offset);
    details.volume = bytes[offset + 2];
    details.range = bytes[offset + 3];
    details.chance = bytes[offset + 4];
    details.pitch = bytes[offset + 5];
    details.flags = U16At(bytes, offset + 6);
    return details;
}

// Slots of the map that name details: the unused ones hold -1.
SfxFault CountSlots(std::span<const std::uint8_t> bytes, SoundSet& set)
{
    for (std::size_t slot = 0; slot < set.mapSize; ++slot) {
        const auto value = static_cast<std::int16_t>(U16At(bytes, 2 * slot));
        if (value == UnusedSlot)
            continue;
        if (value < 0 || static_cast<std::size_t>(value) >= set.details.size())
            return SfxFault::SlotPastDetails;
        ++set.slotsUsed;
    }
    return SfxFault::None;
}

std::string_view Trimmed(std::string_view line)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!line.empty() && blank(line.front()))
        line.remove_prefix(1);
    while (!line.empty() && blank(line.back()))
        line.remove_suffix(1);
    return line;
}

std::wstring Widened(std::string_view text)
{
    std::wstring wide;
    for (const char c : text)
        wide += cp1252::ToUnicode(static_cast<unsigned char>(c));
    return wide;
}

std::wstring NameList(const std::vector<std::string>& names)
{
    std::wstring list;
    for (const std::string& name : names)
        list += (list.empty() ? L"" : L", ") + Widened(name);
    return list;
}

std::wstring Line(std::wstring_view pattern, std::wstring_view argument)
{
    return FormatMessageText(pattern, argument) + L"\r\n";
}

} // namespace

SoundSet ReadSfxFile(std::span<const std::uint8_t> bytes)
{
    SoundSet set;
    set.mapSize = MapSizeOf(bytes);
    const std::size_t countOffset = 2 * set.mapSize;
    if (bytes.size() < countOffset + 4) {
        set.fault = SfxFault::ShortMap;
        return set;
    }
    const std::uint64_t count = U32At(bytes, countOffset);
    const std::size_t detailsOffset = countOffset + 4;
    if (count > (bytes.size() - detailsOffset) / DetailsSize) {
        set.fault = SfxFault::DetailsPastEnd;
        return set;
    }
    set.details.reserve(static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < count; ++i)
        set.details.push_back(DetailsAt(bytes, detailsOffset + i * DetailsSize));
    set.fault = CountSlots(bytes, set);
    return set;
}

std::vector<std::string> ReadSamFile(std::string_view text)
{
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        if (const std::string_view line = Trimmed(text.substr(0, end)); !line.empty())
            lines.emplace_back(line);
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return lines;
}

SoundSet ReadSoundSet(std::span<const std::uint8_t> sfx, std::string_view sam)
{
    SoundSet set = ReadSfxFile(sfx);
    set.samples = ReadSamFile(sam);
    if (!set.Good())
        return set;
    for (const SoundDetails& details : set.details)
        if (std::size_t{details.firstSample} + details.SampleCount() > set.samples.size())
            set.fault = SfxFault::SamplePastSam;
    return set;
}

std::wstring SampleFileName(std::string_view name)
{
    return Widened(name) + L".wav";
}

std::wstring SfxFaultReason(SfxFault fault)
{
    switch (fault) {
    case SfxFault::None: return {};
    case SfxFault::ShortMap: return std::wstring(msg::SfxShortMap);
    case SfxFault::DetailsPastEnd: return std::wstring(msg::SfxDetailsPastEnd);
    case SfxFault::SlotPastDetails: return std::wstring(msg::SfxSlotPastDetails);
    case SfxFault::SamplePastSam: return std::wstring(msg::SfxSamplePastSam);
    }
    return {};
}

std::wstring SoundSetSummary(const SoundSet& set, const SampleFindings& findings, std::wstring_view searchedFolders)
{
    std::wstring text = std::wstring(msg::SoundSetSummaryTitle) + L"\r\n";
    text += Line(msg::SoundSetSlots, std::to_wstring(set.slotsUsed) + L" / " + std::to_wstring(set.mapSize));
    text += Line(msg::SoundSetSounds, std::to_wstring(set.details.size()));
    text += Line(msg::SoundSetSamples, std::to_wstring(set.samples.size()) + L" / " + std::to_wstring(SampleLimit));
    if (set.samples.size() > SampleLimit)
        text += Line(msg::SoundSetOverLimit, L"");
    text += L"\r\n" + Line(msg::SoundSetSearched, searchedFolders);
    if (!findings.missing.empty())
        text += Line(msg::SoundSetMissing, NameList(findings.missing));
    if (!findings.wrongFormat.empty())
        text += Line(msg::SoundSetWrongFormat, NameList(findings.wrongFormat));
    if (findings.missing.empty() && findings.wrongFormat.empty())
        text += Line(msg::SoundSetAllGood, L"");
    return text;
}

} // namespace tessark::sound
