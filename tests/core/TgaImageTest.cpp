#include "image/TgaImage.h"
#include "image/PictureMessages.h"
#include "util/Messages.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

using namespace tessark;
using namespace tessark::image;

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint8_t TopFirst = 0x20, RightFirst = 0x10, EightAlphaBits = 0x08;

Bytes Tga(std::uint8_t type, std::uint16_t width, std::uint16_t height, std::uint8_t depth, std::uint8_t descriptor,
          std::initializer_list<std::uint8_t> pixels)
{
    Bytes file{0, 0, type, 0, 0, 0, 0, 0, 0, 0, 0, 0, static_cast<std::uint8_t>(width),
               static_cast<std::uint8_t>(width >> 8), static_cast<std::uint8_t>(height),
               static_cast<std::uint8_t>(height >> 8), depth, descriptor};
    // One by one: GCC 12 at -O3 warns wrongly on inserting a list that may be empty.
    for (std::uint8_t byte : pixels)
        file.push_back(byte);
    return file;
}

std::wstring RefusalOf(const Bytes& file)
{
    try {
        DecodeTga(file);
    } catch (const UserError& error) {
        return error.text();
    }
    return L"(read without complaint)";
}

// Pixels blue, green, red in the file; Rgb is red, green, blue.
constexpr Rgb A{3, 2, 1}, B{6, 5, 4}, C{9, 8, 7}, D{12, 11, 10};

} // namespace

TEST(TgaImage, ReadsRowsBottomFirstOrTopFirstAndPixelsEitherWay)
{
    const AlphaPicture bottomFirst = DecodeTga(Tga(2, 2, 2, 24, 0, {7, 8, 9, 10, 11, 12, 1, 2, 3, 4, 5, 6}));
    const AlphaPicture topFirst = DecodeTga(Tga(2, 2, 2, 24, TopFirst, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    const AlphaPicture rightFirst =
        DecodeTga(Tga(2, 2, 2, 24, TopFirst | RightFirst, {4, 5, 6, 1, 2, 3, 10, 11, 12, 7, 8, 9}));
    for (const AlphaPicture* picture : {&bottomFirst, &topFirst, &rightFirst}) {
        ASSERT_EQ(picture->colours.width(), 2);
        ASSERT_EQ(picture->colours.height(), 2);
        EXPECT_EQ(picture->colours.At(0, 0), A);
        EXPECT_EQ(picture->colours.At(1, 0), B);
        EXPECT_EQ(picture->colours.At(0, 1), C);
        EXPECT_EQ(picture->colours.At(1, 1), D);
        EXPECT_FALSE(picture->HasTransparency());
    }
}

TEST(TgaImage, RunLengthPacketsGoOnFromOneRowToTheNext)
{
    // 3 x 2, top row first: a run of 4 (the top row and the first pixel
    // below), then 2 pixels as they are.
    const AlphaPicture picture =
        DecodeTga(Tga(10, 3, 2, 24, TopFirst, {0x83, 1, 2, 3, 0x01, 4, 5, 6, 7, 8, 9}));
    for (std::int32_t x = 0; x < 3; ++x)
        EXPECT_EQ(picture.colours.At(x, 0), A);
    EXPECT_EQ(picture.colours.At(0, 1), A);
    EXPECT_EQ(picture.colours.At(1, 1), B);
    EXPECT_EQ(picture.colours.At(2, 1), C);
}

TEST(TgaImage, KeepsTheAlphaOf32BitFilesThatAnnounceIt)
{
    const AlphaPicture picture =
        DecodeTga(Tga(10, 2, 2, 32, TopFirst | EightAlphaBits, {0x81, 1, 2, 3, 0, 0x01, 4, 5, 6, 128, 7, 8, 9, 255}));
    ASSERT_TRUE(picture.HasTransparency());
    EXPECT_EQ(picture.AlphaAt(0, 0), 0);
    EXPECT_EQ(picture.AlphaAt(1, 0), 0);
    EXPECT_EQ(picture.AlphaAt(0, 1), 128);
    EXPECT_EQ(picture.AlphaAt(1, 1), 255);
    EXPECT_EQ(picture.colours.At(0, 1), B);

    // No alpha bits announced, or an alpha byte left zero everywhere: opaque.
    const std::initializer_list<std::uint8_t> zeroAlpha{1, 2, 3, 0, 4, 5, 6, 0};
    EXPECT_FALSE(DecodeTga(Tga(2, 2, 1, 32, 0, zeroAlpha)).HasTransparency());
    EXPECT_FALSE(DecodeTga(Tga(2, 2, 1, 32, EightAlphaBits, zeroAlpha)).HasTransparency());
    EXPECT_FALSE(DecodeTga(Tga(2, 2, 1, 32, 0, {1, 2, 3, 9, 4, 5, 6, 0})).HasTransparency());
}

TEST(TgaImage, SkipsTheImageIdAndAColourMap)
{
    Bytes file = Tga(2, 1, 1, 24, 0, {});
    file[0] = 3;                            // an id of 3 bytes
    file[1] = 1, file[5] = 2, file[7] = 24;  // a map of two 3-byte entries
    file.insert(file.end(), {'i', 'd', '!', 0xAA, 0xAA, 0xAA, 0xBB, 0xBB, 0xBB, 1, 2, 3});
    EXPECT_EQ(DecodeTga(file).colours.At(0, 0), A);
}

TEST(TgaImage, RefusesDamagedFilesWithAClearText)
{
    EXPECT_EQ(RefusalOf(Bytes(17, 0)), msg::TgaTooShort);
    EXPECT_EQ(RefusalOf(Tga(2, 0, 5, 24, 0, {})), msg::TgaEmpty);
    EXPECT_EQ(RefusalOf(Tga(2, 2, 1, 24, 0, {1, 2, 3, 4, 5})), msg::TgaDataCut) << "one byte short";
    EXPECT_EQ(RefusalOf(Tga(10, 3, 1, 24, 0, {0x02, 1, 2, 3, 4, 5, 6, 7, 8})), msg::TgaDataCut)
        << "a raw packet cut short";
    EXPECT_EQ(RefusalOf(Tga(10, 3, 1, 24, 0, {0x80, 1, 2, 3})), msg::TgaDataCut) << "packets end before the pixels";
    EXPECT_EQ(RefusalOf(Tga(10, 3, 1, 24, 0, {0x83, 1, 2, 3})), msg::TgaRunPastEnd);
    EXPECT_EQ(RefusalOf(Tga(10, 3, 1, 24, 0, {0x00, 1, 2, 3, 0x02, 1, 2, 3, 4, 5, 6, 7, 8, 9})), msg::TgaRunPastEnd);
    EXPECT_EQ(RefusalOf(Tga(1, 2, 2, 8, 0, {})),
              L"Image TGA non prise en charge (type 1, 8 bits) : seules les images en couleurs de 24 ou 32 bits, "
              L"compressées ou non, sont lues");
    EXPECT_EQ(RefusalOf(Tga(2, 2, 2, 16, 0, {})).substr(0, 40), L"Image TGA non prise en charge (type 2, 1");
}

// A header alone may claim a huge picture: the claim is refused from the
// header and the file's size, before the picture would be allocated.
TEST(TgaImage, RefusesHugeClaimsBeforeAllocatingAnything)
{
    EXPECT_EQ(RefusalOf(Tga(2, 65535, 65535, 32, 0, {})), L"Image trop grande : 65535 x 65535");
    EXPECT_EQ(RefusalOf(Tga(10, 65535, 65535, 24, 0, {0xFF, 1, 2, 3})), L"Image trop grande : 65535 x 65535");
    // 8000 x 8000 is allowed, but even runs of 128 need 250,000 packets.
    EXPECT_EQ(RefusalOf(Tga(10, 8000, 8000, 24, 0, {0xFF, 1, 2, 3})), msg::TgaDataCut);
}
