#include "image/BmpImage.h"
#include "image/RawImage.h"
#include "util/Messages.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

using namespace tessark;
using namespace tessark::image;

namespace {

std::vector<std::uint8_t> Encode(Picture& picture, std::int32_t width, std::int32_t height)
{
    std::vector<std::uint8_t> bytes;
    EncodeRaw(picture, width, height,
              [&](const std::uint8_t* row, std::size_t size) { bytes.insert(bytes.end(), row, row + size); });
    return bytes;
}

Picture Gradient(std::int32_t width, std::int32_t height)
{
    Picture picture(width, height);
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x)
            picture.Set(x, y, {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), static_cast<std::uint8_t>(x ^ y)});
    return picture;
}

Picture Load(const std::vector<std::uint8_t>& file, std::int32_t width, bool bottomUp = false, bool blueFirst = false)
{
    auto bmp = RawToBmp(file, width, bottomUp, blueFirst);
    if (!bmp)
        throw std::runtime_error("no picture");
    return DecodeBmp(*bmp);
}

std::uint32_t U32At(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

} // namespace

TEST(RawImage, ALogoIsWrittenRowByRowFromTheTopInRedGreenBlue)
{
    Picture logo = Gradient(512, 256);
    logo.Set(0, 0, {0x12, 0x34, 0x56});
    const auto raw = Encode(logo, 512, 256);
    ASSERT_EQ(raw.size(), 393216u);
    EXPECT_EQ(raw[0], 0x12);
    EXPECT_EQ(raw[1], 0x34);
    EXPECT_EQ(raw[2], 0x56);
    const std::size_t pixel = (10 * 512 + 7) * 3;  // row 10, column 7
    EXPECT_EQ(raw[pixel], 7);
    EXPECT_EQ(raw[pixel + 1], 10);
    EXPECT_EQ(raw[pixel + 2], 7 ^ 10);
    EXPECT_EQ(Load(raw, 512).At(7, 10), (Rgb{7, 10, 7 ^ 10})) << "reads back as it was written";

    Picture odd = Gradient(21, 2);  // pixels in groups of 8 and the rest one by one
    const auto bytes = Encode(odd, 21, 2);
    ASSERT_EQ(bytes.size(), 21u * 2 * 3);
    for (std::int32_t i = 0; i < 42; ++i) {
        const Rgb pixel = odd.At(i % 21, i / 21);
        ASSERT_EQ((Rgb{bytes[i * 3], bytes[i * 3 + 1], bytes[i * 3 + 2]}), pixel) << i;
    }
}

TEST(RawImage, SavingAtAnotherSizeResizesAndWritesBlackBelowTheOldPicture)
{
    Picture small = Gradient(100, 50);
    const auto raw = Encode(small, 128, 64);
    ASSERT_EQ(raw.size(), 128u * 64 * 3);
    EXPECT_EQ(small.width(), 128);
    EXPECT_EQ(small.height(), 64);
    EXPECT_EQ(raw[(49 * 128 + 99) * 3], 99) << "the old picture is kept at the top left";
    for (std::size_t i = 50 * 128 * 3; i < raw.size(); ++i)
        ASSERT_EQ(raw[i], 0) << "rows below the old height are black";

    Picture big = Gradient(512, 512);
    const auto sky = Encode(big, 256, 256);
    EXPECT_EQ(sky.size(), 256u * 256 * 3);
    EXPECT_EQ(sky[(255 * 256 + 255) * 3], 255) << "the top-left 256 x 256 pixels";

    Picture wide = Gradient(1100, 2);
    const auto cut = Encode(wide, 1100, 2);
    EXPECT_EQ(cut.size(), 1024u * 2 * 3) << "at most 1024 columns are written";
}

TEST(RawImage, PicturesPastTheRawLimitsAreOnlyResizedWhenTheSizeAsksForIt)
{
    Picture big = Gradient(1100, 1030);
    const auto raw = Encode(big, 1024, 1024);
    EXPECT_EQ(raw.size(), 1024u * 1024 * 3);
    EXPECT_EQ(big.width(), 1100) << "1024 x 1024 is already its size as far as RAW files go";
    EXPECT_EQ(raw[(1023 * 1024 + 1023) * 3 + 1], 1023 & 0xFF);

    const auto full = Encode(big, 1100, 1030);
    EXPECT_EQ(full.size(), 1024u * 1030 * 3) << "at most 1024 columns";
    EXPECT_EQ(full[(1023 * 1024 + 5) * 3], 5);
    for (std::size_t i = 1024 * 1024 * 3; i < full.size(); ++i)
        ASSERT_EQ(full[i], 0) << "rows from 1024 on are black";
}

TEST(RawImage, EmptyAndDegenerateSaves)
{
    Picture none;
    EXPECT_EQ(Encode(none, 4, 3), std::vector<std::uint8_t>(36, 0)) << "no picture: a black one";
    Picture picture = Gradient(8, 8);
    EXPECT_TRUE(Encode(picture, 0, 100).empty());

    const auto refused = [](std::int32_t width, std::int32_t height) {
        Picture kept = Gradient(8, 8);
        bool written = false;
        std::wstring text;
        try {
            EncodeRaw(kept, width, height, [&](const std::uint8_t*, std::size_t) { written = true; });
        } catch (const UserError& error) {
            text = error.text();
        }
        EXPECT_FALSE(written);
        EXPECT_EQ(kept.width(), 8) << "a refused size changes nothing";
        EXPECT_EQ(kept.At(7, 7), (Rgb{7, 7, 0}));
        return text;
    };
    EXPECT_EQ(refused(8, -3), L"Taille d'image incorrecte : 8 x -3");
    EXPECT_EQ(refused(-1, 8), L"Taille d'image incorrecte : -1 x 8");
    EXPECT_EQ(refused(1000, 2000000000), L"Image trop grande : 1000 x 2000000000");
}

TEST(Picture, ResizeKeepsTheTopLeftAndFillsTheRest)
{
    Picture picture = Gradient(5, 4);
    picture.Resize(7, 2, {1, 2, 3});
    EXPECT_EQ(picture.width(), 7);
    EXPECT_EQ(picture.height(), 2);
    EXPECT_EQ(picture.stride(), 24u);
    EXPECT_EQ(picture.At(4, 1), (Rgb{4, 1, 5}));
    EXPECT_EQ(picture.At(5, 1), (Rgb{1, 2, 3}));
    picture.Resize(3, 3, {9, 9, 9});
    EXPECT_EQ(picture.At(2, 1), (Rgb{2, 1, 3}));
    EXPECT_EQ(picture.At(0, 2), (Rgb{9, 9, 9}));
    EXPECT_THROW(Picture(9000, 9000), UserError);
    EXPECT_THROW(picture.Resize(-1, 3, {}), UserError);
    EXPECT_EQ(picture.width(), 3);
}

TEST(RawImage, TheHeightComesFromTheFileSizeAndTheWidthIsRoundedDownToEight)
{
    const std::vector<std::uint8_t> logo(512 * 256 * 3, 0x40);
    EXPECT_EQ(Load(logo, 512).width(), 512);
    EXPECT_EQ(Load(logo, 512).height(), 256);
    EXPECT_EQ(Load(logo, 256).height(), 512);
    const Picture odd = Load(logo, 320);
    EXPECT_EQ(odd.width(), 320);
    EXPECT_EQ(odd.height(), 409);

    std::vector<std::uint8_t> rows(256 * 750);
    for (std::size_t r = 0; r < 256; ++r)
        rows[r * 750 + 747] = 0xFF;  // red in the last pixel of every row
    const Picture cut = Load(rows, 250);
    EXPECT_EQ(cut.width(), 248);
    EXPECT_EQ(cut.height(), 256);
    EXPECT_EQ(cut.At(247, 0), (Rgb{}));

    EXPECT_FALSE(RawToBmp(std::vector<std::uint8_t>(100), 256, false, false)) << "less than one row";
    EXPECT_FALSE(RawToBmp(std::vector<std::uint8_t>(100), 0, false, false));
    EXPECT_FALSE(RawToBmp(std::vector<std::uint8_t>(100), -5, false, false));
    EXPECT_FALSE(RawToBmp(std::vector<std::uint8_t>(100), INT32_MAX, false, false));
}

TEST(RawImage, OptionsChooseThePixelOrderAndTheRowOrder)
{
    std::vector<std::uint8_t> file;
    for (int i = 0; i < 8; ++i)
        file.insert(file.end(), {0xFF, 0x00, 0x00});
    for (int i = 0; i < 8; ++i)
        file.insert(file.end(), {0x00, 0xFF, 0x00});
    EXPECT_EQ(Load(file, 8).At(0, 0), (Rgb{0xFF, 0, 0}));
    EXPECT_EQ(Load(file, 8, false, true).At(0, 0), (Rgb{0, 0, 0xFF}));
    EXPECT_EQ(Load(file, 8, true).At(0, 1), (Rgb{0xFF, 0, 0})) << "the first file row at the bottom";
}

TEST(RawImage, TheInMemoryBmpHasTheStandardHeaders)
{
    const auto bmp = *RawToBmp(std::vector<std::uint8_t>(250 * 3 * 4), 250, false, false);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(U32At(bmp, 2), 54u + 248 * 3 * 4);
    EXPECT_EQ(U32At(bmp, 10), 54u);
    EXPECT_EQ(U32At(bmp, 14), 40u);
    EXPECT_EQ(U32At(bmp, 18), 248u);
    EXPECT_EQ(U32At(bmp, 22), 4u);
    EXPECT_EQ(bmp[26] | bmp[27] << 8, 1);
    EXPECT_EQ(bmp[28] | bmp[29] << 8, 24);
    EXPECT_EQ(U32At(bmp, 30), 0u);
    EXPECT_EQ(U32At(bmp, 34), 248u * 3 * 4);
    EXPECT_EQ(bmp.size(), 54u + 248 * 3 * 4);
}

TEST(RawImage, AWidthBelowEightIsAPictureThatCannotBeShown)
{
    const std::vector<std::uint8_t> file(7 * 3 * 10);
    const auto bmp = RawToBmp(file, 7, false, false);
    ASSERT_TRUE(bmp);
    const std::function<void()> decoders[] = {[&] { DecodeBmp(*bmp); }, [&] { DecodeRaw(file, 7, false, false); }};
    for (const auto& decode : decoders) {
        try {
            decode();
            ADD_FAILURE() << "a picture 0 pixels wide was accepted";
        } catch (const UserError& error) {
            EXPECT_EQ(error.text(), L"Image bitmap incorrecte");
        }
    }
}

TEST(RawImage, TheDirectReadGivesThePictureOfTheBmpRoute)
{
    std::vector<std::uint8_t> file(250 * 3 * 5 + 17);
    for (std::size_t i = 0; i < file.size(); ++i)
        file[i] = static_cast<std::uint8_t>(i * 7 + i / 3);
    for (std::int32_t width : {8, 13, 250, 2000})
        for (int options = 0; options < 4; ++options) {
            SCOPED_TRACE(width * 10 + options);
            const bool bottomUp = options & 1, blueFirst = options & 2;
            const auto direct = DecodeRaw(file, width, bottomUp, blueFirst);
            const auto bmp = RawToBmp(file, width, bottomUp, blueFirst);
            ASSERT_EQ(direct.has_value(), bmp.has_value());
            if (!direct)
                continue;
            const Picture routed = DecodeBmp(*bmp);
            ASSERT_EQ(direct->width(), routed.width());
            ASSERT_EQ(direct->height(), routed.height());
            EXPECT_EQ(std::memcmp(direct->data(), routed.data(), routed.stride() * routed.height()), 0);
        }
}
