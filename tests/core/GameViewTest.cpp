#include "image/GameView.h"
#include "util/TextUtils.h"

#include <gtest/gtest.h>

using namespace tessark::image;
using tessark::GroupedThousands;

TEST(GameView, OnlyPureBlackPixelsAreCounted)
{
    Picture logo(512, 256);
    EXPECT_EQ(CountBlackPixels(logo), 512 * 256);
    logo.Set(0, 0, {0x00, 0x00, 0x01});
    logo.Set(1, 0, {0x00, 0x01, 0x00});
    logo.Set(511, 255, {0x01, 0x00, 0x00});
    EXPECT_EQ(CountBlackPixels(logo), 512 * 256 - 3) << "a pixel with any colour in it is not transparent";
    // Rows padded to a multiple of 4 bytes: the padding is no pixel.
    Picture odd(5, 3);
    odd.Set(4, 2, {0x10, 0x10, 0x10});
    EXPECT_EQ(CountBlackPixels(odd), 14);
}

TEST(GameView, TheBlackPixelTextGroupsThousandsAndAgreesWithItsNumber)
{
    EXPECT_EQ(BlackPixelsText(0), L"");
    EXPECT_EQ(BlackPixelsText(1), L"1 pixel noir : transparent dans le jeu");
    EXPECT_EQ(BlackPixelsText(1234), L"1 234 pixels noirs : transparents dans le jeu");
    EXPECT_EQ(GroupedThousands(999), L"999");
    EXPECT_EQ(GroupedThousands(131072), L"131 072");
    EXPECT_EQ(GroupedThousands(67108864), L"67 108 864");
}

// The screen tests check the marks inside a 512 x 256 logo; a larger picture
// is marked only where the logo lies.
TEST(GameView, NothingBeyondTheLogosSizeIsMarked)
{
    Picture large(768, 512);
    large.Set(600, 300, {0x40, 0x80, 0xC0});
    const Picture part = GameViewPart(large, 510, 254, 258, 258);
    EXPECT_EQ(part.At(1, 1), TintedAsHidden(CheckerAt(511, 255)));
    EXPECT_EQ(part.At(2, 1), CheckerAt(512, 255)) << "right of the logo";
    EXPECT_EQ(part.At(1, 2), CheckerAt(511, 256)) << "below the logo";
    EXPECT_EQ(part.At(90, 46), (Rgb{0x40, 0x80, 0xC0}));
}
