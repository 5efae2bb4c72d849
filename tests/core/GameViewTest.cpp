#include "image/GameView.h"

#include <gtest/gtest.h>

using namespace tessark::image;

namespace {

Picture Filled(std::int32_t width, std::int32_t height, Rgb colour)
{
    Picture picture(width, height);
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x)
            picture.Set(x, y, colour);
    return picture;
}

} // namespace

TEST(GameView, OnlyPureBlackPixelsAreCounted)
{
    Picture logo = Filled(512, 256, {0x01, 0x00, 0x00});
    EXPECT_EQ(CountBlackPixels(logo), 0);
    logo.Set(511, 255, {});
    EXPECT_EQ(CountBlackPixels(logo), 1);
    for (std::int32_t i = 0; i < 1233; ++i)
        logo.Set(i % 512, i / 512, {});
    EXPECT_EQ(CountBlackPixels(logo), 1234);
    logo.Set(0, 0, {0x00, 0x00, 0x01});
    logo.Set(1, 0, {0x00, 0x01, 0x00});
    EXPECT_EQ(CountBlackPixels(logo), 1232) << "a pixel with any colour in it is not transparent";
    // Rows padded to a multiple of 4 bytes: the padding is no pixel.
    EXPECT_EQ(CountBlackPixels(Filled(5, 3, {0x10, 0x10, 0x10})), 0);
    EXPECT_EQ(CountBlackPixels(Picture(5, 3)), 15);
    EXPECT_EQ(CountBlackPixels(Picture()), 0);
}

TEST(GameView, TheBlackPixelTextGroupsThousandsAndAgreesWithItsNumber)
{
    EXPECT_EQ(BlackPixelsText(0), L"");
    EXPECT_EQ(BlackPixelsText(1), L"1 pixel noir : transparent dans le jeu");
    EXPECT_EQ(BlackPixelsText(2), L"2 pixels noirs : transparents dans le jeu");
    EXPECT_EQ(BlackPixelsText(1234), L"1 234 pixels noirs : transparents dans le jeu");
    EXPECT_EQ(GroupedThousands(999), L"999");
    EXPECT_EQ(GroupedThousands(131072), L"131 072");
    EXPECT_EQ(GroupedThousands(1000000), L"1 000 000");
    EXPECT_EQ(GroupedThousands(67108864), L"67 108 864");
}

TEST(GameView, TheOuterRowsAndColumnsOfEachHalfAreHidden)
{
    for (std::int32_t x : {0, 255, 256, 511})
        for (std::int32_t y : {1, 128, 254})
            EXPECT_TRUE(HiddenInGame(x, y)) << x << ", " << y;
    for (std::int32_t y : {0, 255})
        for (std::int32_t x : {1, 254, 257, 510})
            EXPECT_TRUE(HiddenInGame(x, y)) << x << ", " << y;
    for (auto [x, y] : {std::pair{1, 1}, {254, 254}, {257, 1}, {510, 254}, {128, 128}})
        EXPECT_FALSE(HiddenInGame(x, y)) << x << ", " << y;
    // Beyond the logo's 512 x 256 nothing is part of the halves.
    for (auto [x, y] : {std::pair{512, 10}, {767, 10}, {10, 256}, {0, 511}, {768, 0}})
        EXPECT_FALSE(HiddenInGame(x, y)) << x << ", " << y;
}

TEST(GameView, APartShowsBlackAsACheckerboardAndTintsHiddenPixels)
{
    Picture logo = Filled(512, 256, {0x40, 0x80, 0xC0});
    for (std::int32_t x = 0; x < 32; ++x)
        for (std::int32_t y = 0; y < 32; ++y)
            logo.Set(x + 100, y + 100, {});
    const Picture part = GameViewPart(logo, 96, 96, 40, 40);
    ASSERT_EQ(part.width(), 40);
    ASSERT_EQ(part.height(), 40);
    EXPECT_EQ(part.At(0, 0), (Rgb{0x40, 0x80, 0xC0})) << "a coloured pixel stays as it is";
    EXPECT_EQ(part.At(4, 4), CheckerLight) << "100, 100: the first cell of a row of cells";
    EXPECT_EQ(part.At(12, 4), CheckerDark) << "108, 100";
    EXPECT_EQ(part.At(12, 12), CheckerLight) << "108, 108";
    EXPECT_EQ(part.At(35, 35), CheckerLight) << "131, 131: cells counted from the picture's corner";
    EXPECT_NE(CheckerLight, Rgb{});
    EXPECT_NE(CheckerDark, Rgb{});

    const Picture edges = GameViewPart(logo, 254, 0, 4, 2);
    EXPECT_EQ(edges.At(0, 1), (Rgb{0x40, 0x80, 0xC0})) << "254, 1 is seen";
    EXPECT_EQ(edges.At(1, 1), TintedAsHidden({0x40, 0x80, 0xC0})) << "255, 1";
    EXPECT_EQ(edges.At(2, 1), TintedAsHidden({0x40, 0x80, 0xC0})) << "256, 1";
    EXPECT_EQ(edges.At(3, 0), TintedAsHidden({0x40, 0x80, 0xC0})) << "257, 0";
    EXPECT_EQ(edges.At(3, 1), (Rgb{0x40, 0x80, 0xC0})) << "257, 1 is seen";
    EXPECT_NE(TintedAsHidden({0x40, 0x80, 0xC0}), (Rgb{0x40, 0x80, 0xC0}));

    logo.Set(0, 0, {});
    EXPECT_EQ(GameViewPart(logo, 0, 0, 1, 1).At(0, 0), TintedAsHidden(CheckerLight)) << "black and hidden";
}
