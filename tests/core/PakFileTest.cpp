#include "image/PakFile.h"
#include "image/PictureMessages.h"
#include "util/Messages.h"
#include "util/Text1252.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#ifndef _WIN32
#include <unistd.h>
#endif
#include <vector>

namespace tessark::image {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A logo as painted ones are: flat areas, a gradient and some noise.
Bytes SampleLogo(std::size_t size = LogoPakRawSize)
{
    Bytes raw(size);
    std::mt19937 noise(7);
    for (std::size_t i = 0; i < size; ++i)
        raw[i] = (i / 1536) % 3 == 0 ? 0 : static_cast<std::uint8_t>(i / 3 % 512 / 2 + noise() % 4);
    return raw;
}

std::string Text1252(std::wstring_view text)
{
    std::string bytes;
    for (wchar_t c : text)
        bytes += static_cast<char>(*cp1252::FromUnicode(c));
    return bytes;
}

void SetSizeField(Bytes& pak, std::uint32_t size)
{
    for (int i = 0; i < 4; ++i)
        pak[i] = static_cast<std::uint8_t>(size >> (8 * i));
}

TEST(PakFileTest, PacksTheSizeAndAStreamThatReadsBackToTheSameBytes)
{
    const Bytes raw = SampleLogo();
    const Bytes pak = PackLogo(raw);
    EXPECT_EQ(Bytes(pak.begin(), pak.begin() + 4), (Bytes{0x00, 0x00, 0x06, 0x00}));  // 393,216
    EXPECT_EQ(pak[4], 0x78);  // a zlib header, not a raw deflate stream
    EXPECT_LT(pak.size(), raw.size() / 2);
    const PakReading reading = ReadPak(pak);
    EXPECT_EQ(reading.problem, "");
    EXPECT_TRUE(reading.raw == raw);
}

TEST(PakFileTest, ReadsOtherSizesOnlyWhenAskedFor)
{
    const Bytes raw = SampleLogo(320 * 200 * 3);
    const Bytes pak = PackLogo(raw);
    EXPECT_TRUE(ReadPak(pak, 320 * 200 * 3).raw == raw);
    EXPECT_EQ(ReadPak(pak).problem, "Logo .pak incorrect : il annonce 192 000 octets au lieu de 393 216");
    EXPECT_EQ(ReadPak(PackLogo({}), 0).problem, "");
}

#ifndef _WIN32
// Python's zlib, not ours, must find the RAW in what we wrote.
TEST(PakFileTest, PythonsZlibUnpacksItToTheRaw)
{
    const auto folder = std::filesystem::temp_directory_path() / ("pak_test_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const Bytes raw = SampleLogo();
    const Bytes pak = PackLogo(raw);
    std::ofstream(folder / "logo.raw", std::ios::binary).write(reinterpret_cast<const char*>(raw.data()), raw.size());
    std::ofstream(folder / "logo.pak", std::ios::binary).write(reinterpret_cast<const char*>(pak.data()), pak.size());
    std::ofstream(folder / "bad.pak", std::ios::binary).write(reinterpret_cast<const char*>(pak.data()), pak.size() - 1);
    const std::string check = std::string("python3 ") + TESSARK_CHECK_PAK + " " + folder.string();
    EXPECT_EQ(std::system((check + "/logo.pak " + folder.string() + "/logo.raw").c_str()), 0);
    EXPECT_NE(std::system((check + "/bad.pak " + folder.string() + "/logo.raw 2>/dev/null").c_str()), 0);
    std::filesystem::remove_all(folder);
}
#endif

struct Damage {
    const char* name;
    Bytes pak;
    std::string problem;
};

std::vector<Damage> DamagedPaks()
{
    const Bytes good = PackLogo(SampleLogo());
    const auto with = [&](auto change) {
        Bytes pak = good;
        change(pak);
        return pak;
    };
    const auto announcing = [](const char* size) {
        return "Logo .pak incorrect : il annonce " + std::string(size) + " octets au lieu de 393 216";
    };
    Bytes tooMuch = PackLogo(SampleLogo(LogoPakRawSize + 1));
    SetSizeField(tooMuch, LogoPakRawSize);
    Bytes tooLittle = PackLogo(SampleLogo(LogoPakRawSize - 3));
    SetSizeField(tooLittle, LogoPakRawSize);
    return {
        {"empty", {}, Text1252(msg::PakTooShort)},
        {"short", {0x00, 0x00, 0x06}, Text1252(msg::PakTooShort)},
        {"size field only", Bytes(good.begin(), good.begin() + 4), Text1252(msg::PakStreamCut)},
        {"size one less", with([](Bytes& p) { SetSizeField(p, LogoPakRawSize - 1); }), announcing("393 215")},
        {"huge size", with([](Bytes& p) { SetSizeField(p, 0xFFFFFFFF); }), announcing("4 294 967 295")},
        {"zero size", with([](Bytes& p) { SetSizeField(p, 0); }), announcing("0")},
        {"stream cut in half", with([](Bytes& p) { p.resize(p.size() / 2); }), Text1252(msg::PakStreamCut)},
        {"checksum cut", with([](Bytes& p) { p.resize(p.size() - 2); }), Text1252(msg::PakStreamCut)},
        {"bad header", with([](Bytes& p) { p[5] ^= 0x01; }), Text1252(msg::PakStreamCorrupt)},
        {"bad checksum", with([](Bytes& p) { p.back() ^= 0x40; }), Text1252(msg::PakStreamCorrupt)},
        {"trailing bytes", with([](Bytes& p) { p.push_back(0); }), Text1252(msg::PakTrailingBytes)},
        {"too much data", tooMuch, Text1252(msg::PakTooMuchData)},
        {"too little data", tooLittle, Text1252(msg::PakTooLittleData)},
    };
}

TEST(PakFileTest, EveryDamageIsNamedAndGivesNoPicture)
{
    for (const Damage& damage : DamagedPaks()) {
        const PakReading reading = ReadPak(damage.pak);
        EXPECT_EQ(reading.problem, damage.problem) << damage.name;
        EXPECT_TRUE(reading.raw.empty()) << damage.name;
    }
}

TEST(PakFileTest, CorruptBytesInsideTheStreamAreNeverTakenForAPicture)
{
    const Bytes good = PackLogo(SampleLogo());
    for (std::size_t at = 6; at < good.size(); at += good.size() / 97) {
        Bytes pak = good;
        pak[at] ^= 0x5A;
        const PakReading reading = ReadPak(pak);
        EXPECT_FALSE(reading.problem.empty()) << at;
        EXPECT_TRUE(reading.raw.empty()) << at;
    }
}

TEST(PakFileTest, ProblemsAreWindows1252)
{
    Bytes pak = PackLogo(SampleLogo());
    pak[5] ^= 0x01;
    EXPECT_EQ(ReadPak(pak).problem, "Logo .pak incorrect : les donn\xE9" "es compress\xE9" "es sont endommag\xE9" "es");
}

} // namespace
} // namespace tessark::image
