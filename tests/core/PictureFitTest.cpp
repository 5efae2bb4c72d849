#include "FitReference.h"
#include "image/PictureFit.h"
#include "util/Messages.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <span>

using namespace tessark::image;
namespace ref = tessark::test::fit_reference;

namespace {

constexpr Rgb Red{0xFF, 0, 0}, Green{0, 0xFF, 0}, Blue{0, 0, 0xFF}, White{0xFF, 0xFF, 0xFF}, Black{};

Picture Filled(std::int32_t width, std::int32_t height, Rgb colour)
{
    Picture picture(width, height);
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x)
            picture.Set(x, y, colour);
    return picture;
}

// The pattern tests/tools/make_fit_reference.py gave ImageMagick: a ramp, a
// checkerboard with hard edges, a triangle wave.
Picture TestPattern(std::int32_t width, std::int32_t height)
{
    Picture picture(width, height);
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x) {
            const int t = (x * 7 + y * 5) % 64;
            picture.Set(x, y, {static_cast<std::uint8_t>(x * 255 / (width - 1)),
                               static_cast<std::uint8_t>((x / 8 + y / 8) % 2 == 0 ? 220 : 40),
                               static_cast<std::uint8_t>(60 + 4 * std::abs(t - 32))});
        }
    return picture;
}

double Psnr(const Picture& ours, std::span<const std::uint8_t> theirs)
{
    double squares = 0;
    std::size_t at = 0;
    for (std::int32_t y = 0; y < ours.height(); ++y)
        for (std::int32_t x = 0; x < ours.width(); ++x) {
            const Rgb c = ours.At(x, y);
            for (int value : {c.red, c.green, c.blue}) {
                const double d = value - theirs[at++];
                squares += d * d;
            }
        }
    return 10 * std::log10(255.0 * 255.0 * static_cast<double>(at) / std::max(squares, 1e-9));
}

double PsnrAgainstReference(const int (&from)[2], const int (&to)[2], std::span<const std::uint8_t> reference)
{
    const Picture fitted = FitToSize(TestPattern(from[0], from[1]), to[0], to[1], FitWay::Stretch, Black);
    EXPECT_EQ(reference.size(), static_cast<std::size_t>(fitted.width()) * fitted.height() * 3);
    return Psnr(fitted, reference);
}

} // namespace

TEST(PictureFit, EveryWayGivesExactlyTheGamesSizes)
{
    const Picture photo = TestPattern(1000, 300);
    for (FitWay way : {FitWay::Stretch, FitWay::Inside, FitWay::Fill}) {
        const Picture logo = FitToSize(photo, LogoWidth, LogoHeight, way, Black);
        EXPECT_EQ(logo.width(), 512);
        EXPECT_EQ(logo.height(), 256);
        const Picture sky = FitToSize(TestPattern(37, 900), SkySide, SkySide, way, Black);
        EXPECT_EQ(sky.width(), 256);
        EXPECT_EQ(sky.height(), 256);
    }
}

TEST(PictureFit, APictureAlreadyAtTheSizeComesOutUnchanged)
{
    const Picture pattern = TestPattern(64, 32);
    for (FitWay way : {FitWay::Stretch, FitWay::Inside, FitWay::Fill}) {
        const Picture same = FitToSize(pattern, 64, 32, way, Red);
        for (std::int32_t y = 0; y < 32; ++y)
            for (std::int32_t x = 0; x < 64; ++x)
                ASSERT_EQ(same.At(x, y), pattern.At(x, y)) << x << ", " << y;
    }
}

TEST(PictureFit, InsideKeepsTheProportionsAndCentresThePictureBetweenBorders)
{
    const FitPlacement wide = PlaceFit(1000, 300, 512, 256, FitWay::Inside);
    EXPECT_EQ(wide.width, 512);
    EXPECT_EQ(wide.height, 154) << "300 x 0.512 = 153.6";
    EXPECT_EQ(wide.left, 0);
    EXPECT_EQ(wide.top, 51);
    const FitPlacement tall = PlaceFit(300, 900, 256, 256, FitWay::Inside);
    EXPECT_EQ(tall.width, 85);
    EXPECT_EQ(tall.left, 85) << "171 pixels of border: 85 left, 86 right";
    EXPECT_EQ(PlaceFit(10000, 1, 512, 256, FitWay::Inside).height, 1) << "never less than a pixel";

    const Picture logo = FitToSize(Filled(1000, 300, Green), 512, 256, FitWay::Inside, Blue);
    for (std::int32_t x : {0, 255, 511}) {
        EXPECT_EQ(logo.At(x, 50), Blue);
        EXPECT_EQ(logo.At(x, 51), Green);
        EXPECT_EQ(logo.At(x, 204), Green);
        EXPECT_EQ(logo.At(x, 205), Blue);
    }
}

TEST(PictureFit, FillKeepsTheMiddleAndCropsTheRest)
{
    // Three bands of 512 columns: filling 512 x 256 keeps exactly the middle one.
    Picture bands(1536, 256);
    for (std::int32_t y = 0; y < 256; ++y)
        for (std::int32_t x = 0; x < 1536; ++x)
            bands.Set(x, y, x < 512 ? Red : x < 1024 ? Green : Blue);
    const Picture logo = FitToSize(bands, 512, 256, FitWay::Fill, Black);
    for (std::int32_t x : {0, 1, 256, 510, 511})
        EXPECT_EQ(logo.At(x, 128), Green) << x;

    Picture stacked(100, 300);
    for (std::int32_t y = 0; y < 300; ++y)
        for (std::int32_t x = 0; x < 100; ++x)
            stacked.Set(x, y, y < 100 ? Red : y < 200 ? White : Blue);
    // Enlarged 2.56 times: the filter reaches 3 source rows beyond the crop
    // at its edges, as it would in the uncropped picture, and no further.
    const Picture sky = FitToSize(stacked, 256, 256, FitWay::Fill, Black);
    EXPECT_NE(sky.At(128, 0), White);
    EXPECT_EQ(sky.At(128, 8), White);
    EXPECT_EQ(sky.At(128, 247), White);
    EXPECT_NE(sky.At(128, 255), White);
    const FitPlacement place = PlaceFit(100, 300, 256, 256, FitWay::Fill);
    EXPECT_DOUBLE_EQ(place.window.top, 100);
    EXPECT_DOUBLE_EQ(place.window.height, 100);
}

TEST(PictureFit, StretchFillsTheWholeSizeWithTheWholePicture)
{
    Picture halves(300, 100);
    for (std::int32_t y = 0; y < 100; ++y)
        for (std::int32_t x = 0; x < 300; ++x)
            halves.Set(x, y, x < 150 ? Red : Blue);
    const Picture logo = FitToSize(halves, 512, 256, FitWay::Stretch, Green);
    EXPECT_EQ(logo.At(0, 0), Red);
    EXPECT_EQ(logo.At(200, 255), Red);
    EXPECT_EQ(logo.At(311, 0), Blue);
    EXPECT_EQ(logo.At(511, 255), Blue);
}

// Averaging the encoded values of black and white gives 128, a grey much
// darker than the two seen from afar; in linear light it is 188.
TEST(PictureFit, ShrinkingMixesInLinearLight)
{
    Picture fine(256, 256);
    for (std::int32_t y = 0; y < 256; ++y)
        for (std::int32_t x = 0; x < 256; ++x)
            fine.Set(x, y, (x + y) % 2 == 0 ? White : Black);
    for (std::int32_t side : {64, 16}) {  // by the filter alone, and after boxes of 4 x 4
        const Picture small = FitToSize(fine, side, side, FitWay::Stretch, Black);
        const Rgb middle = small.At(side / 2, side / 2);
        EXPECT_NEAR(middle.green, 188, 1) << side;
        EXPECT_EQ(middle.red, middle.blue);
    }
}

// Within 45 dB of ImageMagick's own Lanczos, the same up to a rare step of
// one in the last bit (about 50 dB when this was written): shrinking by the
// filter alone, shrinking ten times (boxes first), enlarging.
TEST(PictureFit, MatchesImageMagicksLanczosInLinearLight)
{
    EXPECT_GE(PsnrAgainstReference(ref::ShrunkFrom, ref::ShrunkTo, ref::Shrunk), 45.0);
    EXPECT_GE(PsnrAgainstReference(ref::ShrunkALotFrom, ref::ShrunkALotTo, ref::ShrunkALot), 45.0);
    EXPECT_GE(PsnrAgainstReference(ref::EnlargedFrom, ref::EnlargedTo, ref::Enlarged), 45.0);
}

TEST(PictureFit, TheEdgeColourComesFromTheEdgesThatMeetTheBorders)
{
    Picture wide = Filled(40, 10, Green);
    for (std::int32_t x = 0; x < 40; ++x) {
        wide.Set(x, 0, White);
        wide.Set(x, 9, Black);
    }
    // Borders above and below: the top and bottom rows, half white half
    // black, mixed in linear light; the green sides play no part.
    EXPECT_EQ(EdgeColour(wide, 256, 256), (Rgb{188, 188, 188}));
    const Picture tall = Filled(10, 40, Blue);
    EXPECT_EQ(EdgeColour(tall, 512, 256), Blue);
}

// Odd sizes stress the filter's edges: one pixel wide, ten times wider than
// tall, reduced hundreds of times. A plain colour stays that colour.
TEST(PictureFit, APlainColourStaysPlainFromAnySizeToAnySize)
{
    constexpr Rgb Olive{90, 160, 30};
    for (std::int32_t sourceWidth : {1, 3, 50, 700})
        for (std::int32_t sourceHeight : {1, 5, 200}) {
            const Picture plain = Filled(sourceWidth, sourceHeight, Olive);
            for (const auto& [width, height] : {std::pair{64, 32}, std::pair{17, 17}, std::pair{3, 1}, std::pair{1, 7}})
                for (FitWay way : {FitWay::Stretch, FitWay::Inside, FitWay::Fill}) {
                    const Picture fitted = FitToSize(plain, width, height, way, Red);
                    const FitPlacement place = PlaceFit(sourceWidth, sourceHeight, width, height, way);
                    ASSERT_EQ(fitted.width(), width);
                    ASSERT_EQ(fitted.height(), height);
                    for (std::int32_t y = 0; y < height; ++y)
                        for (std::int32_t x = 0; x < width; ++x) {
                            const bool inside = x >= place.left && x < place.left + place.width && y >= place.top &&
                                                y < place.top + place.height;
                            ASSERT_EQ(fitted.At(x, y), inside ? Olive : Red)
                                << sourceWidth << " x " << sourceHeight << " to " << width << " x " << height
                                << ", way " << static_cast<int>(way) << ", at " << x << ", " << y;
                        }
                }
        }
}

TEST(PictureFit, NothingToFitOrNoRoomIsRefused)
{
    EXPECT_THROW(FitToSize(Picture(), 512, 256, FitWay::Stretch, Black), tessark::UserError);
    EXPECT_THROW(FitToSize(Filled(4, 4, Red), 0, 256, FitWay::Inside, Black), tessark::UserError);
}

TEST(PictureFit, LinearLightRoundTripsEveryCode)
{
    for (int c = 0; c < 256; ++c)
        ASSERT_EQ(EncodedOf(LinearOf(static_cast<std::uint8_t>(c))), c);
    EXPECT_EQ(EncodedOf(-0.5f), 0);
    EXPECT_EQ(EncodedOf(1.5f), 255);
}
