#include "image/AlphaPicture.h"

#include <gtest/gtest.h>

using namespace tessark::image;

namespace {

AlphaPicture Row(std::initializer_list<std::pair<Rgb, std::uint8_t>> pixels)
{
    AlphaPicture picture{Picture(static_cast<std::int32_t>(pixels.size()), 1), {}};
    std::int32_t x = 0;
    for (const auto& [colour, alpha] : pixels) {
        picture.colours.Set(x++, 0, colour);
        picture.alpha.push_back(alpha);
    }
    return picture;
}

} // namespace

TEST(AlphaPicture, TransparencyBecomesBlackAndPartialTransparencyIsBlendedOnBlack)
{
    const OnBlack logo = BlendOnBlack(Row({{{200, 100, 50}, 0},
                                           {{200, 100, 50}, 128},
                                           {{200, 100, 50}, 255},
                                           {{0, 0, 0}, 255},
                                           {{100, 100, 100}, 1},
                                           {{255, 255, 255}, 1}}));
    EXPECT_EQ(logo.picture.At(0, 0), (Rgb{0, 0, 0}));
    EXPECT_EQ(logo.picture.At(1, 0), (Rgb{100, 50, 25}));
    EXPECT_EQ(logo.picture.At(2, 0), (Rgb{200, 100, 50}));
    EXPECT_EQ(logo.picture.At(4, 0), (Rgb{0, 0, 0})) << "100 / 255 rounds to black";
    EXPECT_EQ(logo.picture.At(5, 0), (Rgb{1, 1, 1})) << "still a colour: not transparent in the game";
    // The fully transparent pixel and the one blended down to black; the
    // opaque black one was already transparent.
    EXPECT_EQ(logo.madeTransparent, 2);
}

TEST(AlphaPicture, AnOpaquePictureIsLeftAsItIs)
{
    AlphaPicture opaque = Row({{{10, 20, 30}, 255}, {{0, 0, 0}, 255}});
    ForgetOpaqueAlpha(opaque);
    EXPECT_FALSE(opaque.HasTransparency());
    EXPECT_EQ(opaque.AlphaAt(1, 0), 255);
    const OnBlack logo = BlendOnBlack(opaque);
    EXPECT_EQ(logo.picture.At(0, 0), (Rgb{10, 20, 30}));
    EXPECT_EQ(logo.madeTransparent, 0);
    AlphaPicture partly = Row({{{10, 20, 30}, 255}, {{0, 0, 0}, 254}});
    ForgetOpaqueAlpha(partly);
    EXPECT_TRUE(partly.HasTransparency());
}

TEST(AlphaPicture, TheTextCountsWithGroupedThousandsAndAgrees)
{
    EXPECT_EQ(MadeTransparentText(0), L"");
    EXPECT_EQ(MadeTransparentText(1), L"1 pixel rendu transparent");
    EXPECT_EQ(MadeTransparentText(131072), L"131 072 pixels rendus transparents");
}
