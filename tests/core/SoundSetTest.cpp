#include "sound/SoundSet.h"
#include "sound/WaveConversion.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace tessark::sound {
namespace {

void Put(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

struct Details {
    std::uint16_t first;
    std::uint16_t samples;
    std::uint16_t otherFlags = 0;
};

// A ".sfx" of `mapSize` slots: `slots` maps a slot to a details index.
std::string Sfx(std::size_t mapSize, const std::map<std::size_t, std::int16_t>& slots,
                const std::vector<Details>& details)
{
    std::string bytes;
    for (std::size_t slot = 0; slot < mapSize; ++slot)
        Put(bytes, static_cast<std::uint16_t>(slots.contains(slot) ? slots.at(slot) : -1), 2);
    Put(bytes, static_cast<std::uint32_t>(details.size()), 4);
    for (const Details& one : details) {
        Put(bytes, one.first, 2);
        Put(bytes, 0x50080A00, 4);  // volume 0, range 10, chance 8, pitch 0x50
        Put(bytes, static_cast<std::uint16_t>(one.otherFlags | one.samples << 2), 2);
    }
    return bytes;
}

std::span<const std::uint8_t> Bytes(const std::string& text)
{
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

TEST(SoundSetTest, ReadsTheMapTheDetailsAndTheSamples)
{
    const std::string sfx = Sfx(370, {{0, 1}, {369, 0}}, {{0, 1, 0x1003}, {1, 2}});
    const SoundSet set = ReadSoundSet(Bytes(sfx), "porte\r\n\r\n  pas_1 \r\npas_2");
    ASSERT_TRUE(set.Good());
    EXPECT_EQ(set.mapSize, 370u);
    EXPECT_EQ(set.slotsUsed, 2u);
    ASSERT_EQ(set.details.size(), 2u);
    EXPECT_EQ(set.details[1].firstSample, 1);
    EXPECT_EQ(set.details[1].SampleCount(), 2u);
    EXPECT_EQ(set.details[0].SampleCount(), 1u);
    EXPECT_EQ(set.details[0].flags, 0x1007);
    EXPECT_EQ(set.details[0].range, 10);
    EXPECT_EQ(set.details[0].chance, 8);
    EXPECT_EQ(set.details[0].pitch, 0x50);
    EXPECT_EQ(set.samples, (std::vector<std::string>{"porte", "pas_1", "pas_2"}));
}

TEST(SoundSetTest, TheExtendedMapIsKnownByTheSlotWhereTheClassicCountWouldBegin)
{
    const SoundSet extended = ReadSfxFile(Bytes(Sfx(2048, {{1500, 0}}, {{0, 1}})));
    EXPECT_TRUE(extended.Good());
    EXPECT_EQ(extended.mapSize, 2048u);
    EXPECT_EQ(extended.slotsUsed, 1u);
    // A classic file with no sound has a count of 0 there, not -1.
    const SoundSet empty = ReadSfxFile(Bytes(Sfx(370, {}, {})));
    EXPECT_TRUE(empty.Good());
    EXPECT_EQ(empty.mapSize, 370u);
    EXPECT_EQ(empty.slotsUsed, 0u);
}

TEST(SoundSetTest, DamagedFilesGiveAFaultAndAReason)
{
    const std::string good = Sfx(370, {{0, 0}}, {{0, 2}});
    const std::string tooManyDetails = [&] {
        std::string bytes = good;
        bytes[740] = 2;
        return bytes;
    }();
    const std::string extendedCut = Sfx(2048, {{3, 0}}, {{0, 1}}).substr(0, 4000);
    const struct {
        std::string sfx;
        std::string sam;
        SfxFault fault;
    } cases[] = {
        {"", "a", SfxFault::ShortMap},
        {good.substr(0, 743), "a\nb", SfxFault::ShortMap},
        {extendedCut, "a", SfxFault::ShortMap},
        {good.substr(0, good.size() - 1), "a\nb", SfxFault::DetailsPastEnd},
        {tooManyDetails, "a\nb", SfxFault::DetailsPastEnd},
        {Sfx(370, {{4, 1}}, {{0, 1}}), "a", SfxFault::SlotPastDetails},
        {Sfx(370, {{4, -2}}, {{0, 1}}), "a", SfxFault::SlotPastDetails},
        {good, "a\r\n", SfxFault::SamplePastSam},
        {Sfx(370, {}, {{0xFFFF, 63}}), "a", SfxFault::SamplePastSam},
    };
    for (const auto& [sfx, sam, fault] : cases) {
        SCOPED_TRACE(sfx.size());
        const SoundSet set = ReadSoundSet(Bytes(sfx), sam);
        EXPECT_EQ(set.fault, fault);
        EXPECT_FALSE(SfxFaultReason(set.fault).empty());
    }
    // A huge count is refused before anything is reserved for it.
    std::string huge = good;
    huge[743] = '\x7F';
    EXPECT_EQ(ReadSfxFile(Bytes(huge)).fault, SfxFault::DetailsPastEnd);
}

// The samples of a sound set are checked with the same rule as a replacement.
TEST(SoundSetTest, OnlyPlainPcmAt22050Hz16BitsMonoIsTheEngineFormat)
{
    const WaveFormat engine{.formatTag = 1, .channels = 1, .sampleRate = 22050, .byteRate = 44100,
                            .blockAlign = 2, .bitsPerSample = 16, .fmtSize = 16, .dataSize = 0,
                            .chunkIds = {"fmt ", "data"}};
    EXPECT_TRUE(IsEngineFormat(engine));
    auto with = [&](auto change) {
        WaveFormat wave = engine;
        change(wave);
        return IsEngineFormat(wave);
    };
    EXPECT_FALSE(with([](WaveFormat& w) { w.sampleRate = 44100; }));
    EXPECT_FALSE(with([](WaveFormat& w) { w.channels = 2; }));
    EXPECT_FALSE(with([](WaveFormat& w) { w.bitsPerSample = 8; }));
    EXPECT_FALSE(with([](WaveFormat& w) { w.formatTag = 2; }));
    EXPECT_FALSE(with([](WaveFormat& w) { w.fmtSize = 18; }));
}

TEST(SoundSetTest, TheSummaryGivesTheFiguresAndNamesTheFaultySamples)
{
    SoundSet set = ReadSoundSet(Bytes(Sfx(370, {{0, 0}, {7, 1}}, {{0, 1}, {1, 1}})), "porte\n\xE9" "cho\n");
    ASSERT_TRUE(set.Good());
    const std::wstring clean = SoundSetSummary(set, {}, L" C:\\sons\\");
    EXPECT_NE(clean.find(L"Sons du jeu utilisés : 2 / 370\r\n"), std::wstring::npos) << clean;
    EXPECT_NE(clean.find(L"Sons décrits : 2\r\n"), std::wstring::npos);
    EXPECT_NE(clean.find(L"Échantillons : 2 / 256\r\n"), std::wstring::npos);
    EXPECT_NE(clean.find(L"\r\n\r\nÉchantillons cherchés là où le constructeur les prend : C:\\sons\\\r\n"),
              std::wstring::npos);
    EXPECT_NE(clean.find(L"Tous les échantillons sont présents et au format du jeu."), std::wstring::npos);
    EXPECT_EQ(clean.find(L"Plus de 256"), std::wstring::npos);

    set.samples.resize(257, "x");
    const std::wstring faulty = SoundSetSummary(set, {{"porte"}, {"\xE9" "cho", "vent"}}, L" C:\\sons\\");
    EXPECT_NE(faulty.find(L"Échantillons : 257 / 256\r\nPlus de 256 échantillons"), std::wstring::npos) << faulty;
    EXPECT_NE(faulty.find(L"Échantillons introuvables : porte\r\n"), std::wstring::npos);
    EXPECT_NE(faulty.find(L"bloc fmt de 16 octets) : écho, vent\r\n"), std::wstring::npos);
    EXPECT_EQ(faulty.find(L"Tous les échantillons"), std::wstring::npos);
}

} // namespace
} // namespace tessark::sound
