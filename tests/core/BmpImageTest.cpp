#include "image/BmpImage.h"
#include "util/Messages.h"

#include <gtest/gtest.h>

#include <functional>

using namespace tessark;
using namespace tessark::image;

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put(Bytes& bytes, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

struct BmpSpec {
    std::int32_t width = 2, height = 2;
    int bits = 24;
    std::uint32_t compression = 0;
    std::uint32_t headerSize = 40;
    Bytes extra;   // palette, or masks after a 40-byte header
    Bytes masks;   // inside a larger header
    Bytes pixels;
    std::int64_t coloursUsed = -1;  // -1: as many as `extra` holds
};

BmpSpec Spec(std::int32_t width, std::int32_t height, int bits, std::uint32_t compression = 0,
             std::uint32_t headerSize = 40)
{
    BmpSpec s;
    s.width = width, s.height = height, s.bits = bits, s.compression = compression, s.headerSize = headerSize;
    return s;
}

Bytes Build(const BmpSpec& s)
{
    Bytes b{'B', 'M'};
    const std::uint32_t offset = 14 + s.headerSize + static_cast<std::uint32_t>(s.extra.size());
    Put(b, offset + static_cast<std::uint32_t>(s.pixels.size()), 4);
    Put(b, 0, 4);
    Put(b, offset, 4);
    Put(b, s.headerSize, 4);
    if (s.headerSize == 12) {
        Put(b, static_cast<std::uint32_t>(s.width), 2);
        Put(b, static_cast<std::uint32_t>(s.height), 2);
        Put(b, 1, 2);
        Put(b, static_cast<std::uint32_t>(s.bits), 2);
    } else {
        Put(b, static_cast<std::uint32_t>(s.width), 4);
        Put(b, static_cast<std::uint32_t>(s.height), 4);
        Put(b, 1, 2);
        Put(b, static_cast<std::uint32_t>(s.bits), 2);
        Put(b, s.compression, 4);
        Put(b, static_cast<std::uint32_t>(s.pixels.size()), 4);
        Put(b, 0, 4);
        Put(b, 0, 4);
        const std::int64_t colours = s.coloursUsed >= 0 ? s.coloursUsed : s.bits <= 8 ? s.extra.size() / 4 : 0;
        Put(b, static_cast<std::uint32_t>(colours), 4);
        Put(b, 0, 4);
        b.resize(14 + 40, 0);
        b.insert(b.end(), s.masks.begin(), s.masks.end());
        b.resize(14 + s.headerSize, 0);
    }
    b.insert(b.end(), s.extra.begin(), s.extra.end());
    b.insert(b.end(), s.pixels.begin(), s.pixels.end());
    return b;
}

// A palette of four colours: black, red, green, blue (entries of 4 bytes, or 3).
Bytes Palette(int entrySize = 4)
{
    const Rgb colours[4] = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    Bytes p(4 * static_cast<std::size_t>(entrySize), 0);
    for (std::size_t i = 0; i < 4; ++i) {
        p[i * entrySize] = colours[i].blue;
        p[i * entrySize + 1] = colours[i].green;
        p[i * entrySize + 2] = colours[i].red;
    }
    return p;
}

const Rgb Red{255, 0, 0}, Green{0, 255, 0}, Blue{0, 0, 255}, Black{};

std::wstring ErrorOf(const Bytes& file)
{
    try {
        DecodeBmp(file);
    } catch (const UserError& error) {
        return error.text();
    }
    return L"(accepted)";
}

} // namespace

TEST(BmpImage, TrueColourKindsGiveTheirColoursWithEveryHeader)
{
    for (std::uint32_t headerSize : {12u, 40u, 52u, 56u, 108u, 124u}) {
        SCOPED_TRACE(headerSize);
        // 24 bits, 2 x 2, rows padded to 8 bytes; bottom row first: blue, green / red, white.
        BmpSpec s = Spec(2, 2, 24, 0, headerSize);
        s.pixels = {255, 0, 0, 0, 255, 0, 0, 0, 0, 0, 255, 255, 255, 255, 0, 0};
        Picture p = DecodeBmp(Build(s));
        EXPECT_EQ(p.At(0, 0), Red);
        EXPECT_EQ(p.At(1, 0), (Rgb{255, 255, 255}));
        EXPECT_EQ(p.At(0, 1), Blue);
        EXPECT_EQ(p.At(1, 1), Green);
        if (headerSize == 12)
            continue;
        s.height = -2;  // top row first
        EXPECT_EQ(DecodeBmp(Build(s)).At(0, 0), Blue);

        BmpSpec t = Spec(1, 1, 32, 0, headerSize);
        t.pixels = {0x10, 0x20, 0x30, 0xFF};
        EXPECT_EQ(DecodeBmp(Build(t)).At(0, 0), (Rgb{0x30, 0x20, 0x10}));
        t.compression = headerSize == 52 || headerSize == 56 ? 6 : 3;  // bit fields, red in the low byte
        Bytes& masks = headerSize == 40 ? t.extra : t.masks;
        Put(masks, 0x000000FF, 4);
        Put(masks, 0x0000FF00, 4);
        Put(masks, 0x00FF0000, 4);
        EXPECT_EQ(DecodeBmp(Build(t)).At(0, 0), (Rgb{0x10, 0x20, 0x30}));
    }

    BmpSpec h = Spec(2, 1, 16);
    h.pixels = {0x00, 0x7C, 0x1F, 0x00};  // 5-5-5: red, blue
    EXPECT_EQ(DecodeBmp(Build(h)).At(0, 0), Red);
    EXPECT_EQ(DecodeBmp(Build(h)).At(1, 0), Blue);
    h.compression = 3;  // 5-6-5
    Put(h.extra, 0xF800, 4);
    Put(h.extra, 0x07E0, 4);
    Put(h.extra, 0x001F, 4);
    h.pixels = {0xE0, 0x07, 0x10, 0x80};
    EXPECT_EQ(DecodeBmp(Build(h)).At(0, 0), Green);
    EXPECT_EQ(DecodeBmp(Build(h)).At(1, 0), (Rgb{132, 0, 132})) << "5 bits scaled to 8";
}

TEST(BmpImage, PaletteKindsGiveTheirColours)
{
    BmpSpec e = Spec(3, 1, 8);
    e.extra = Palette();
    e.pixels = {1, 2, 200, 0};  // 200 lies past the palette: black
    Picture p = DecodeBmp(Build(e));
    EXPECT_EQ(p.At(0, 0), Red);
    EXPECT_EQ(p.At(1, 0), Green);
    EXPECT_EQ(p.At(2, 0), Black);

    BmpSpec f = Spec(3, 1, 4);
    f.extra = Palette();
    f.pixels = {0x31, 0x20, 0, 0};
    p = DecodeBmp(Build(f));
    EXPECT_EQ(p.At(0, 0), Blue);
    EXPECT_EQ(p.At(1, 0), Red);
    EXPECT_EQ(p.At(2, 0), Green);

    BmpSpec m = Spec(10, 1, 1);
    m.extra = Palette();
    m.extra.resize(8);
    m.pixels = {0b10100000, 0b01000000, 0, 0};
    p = DecodeBmp(Build(m));
    EXPECT_EQ(p.At(0, 0), Red);
    EXPECT_EQ(p.At(1, 0), Black);
    EXPECT_EQ(p.At(9, 0), Red);

    BmpSpec core = Spec(2, 1, 8, 0, 12);
    core.extra = Palette(3);
    core.pixels = {3, 1, 0, 0};
    p = DecodeBmp(Build(core));
    EXPECT_EQ(p.At(0, 0), Blue) << "OS/2 header with 3-byte palette entries";
    EXPECT_EQ(p.At(1, 0), Red);
}

TEST(BmpImage, RunLengthKindsFollowRunsEscapesAndJumps)
{
    BmpSpec r = Spec(6, 2, 8, 1);
    r.extra = Palette();
    // Bottom row: 3 red, then literal green blue green; end of line; jump 1 right, 0 up;
    // 2 blue; end of picture.
    r.pixels = {3, 1, 0, 3, 2, 3, 2, 0, 0, 0, 0, 2, 1, 0, 2, 3, 0, 1};
    Picture p = DecodeBmp(Build(r));
    EXPECT_EQ(p.At(0, 1), Red);
    EXPECT_EQ(p.At(2, 1), Red);
    EXPECT_EQ(p.At(3, 1), Green);
    EXPECT_EQ(p.At(4, 1), Blue);
    EXPECT_EQ(p.At(0, 0), Black) << "skipped by the jump";
    EXPECT_EQ(p.At(1, 0), Blue);
    EXPECT_EQ(p.At(2, 0), Blue);

    BmpSpec q = Spec(4, 1, 4, 2);
    q.extra = Palette();
    q.pixels = {4, 0x12, 0, 1};
    p = DecodeBmp(Build(q));
    EXPECT_EQ(p.At(0, 0), Red);
    EXPECT_EQ(p.At(1, 0), Green);
    EXPECT_EQ(p.At(2, 0), Red);

    q.pixels = {200, 0x11};  // a run past the right edge, data ending without its end mark
    EXPECT_EQ(DecodeBmp(Build(q)).At(3, 0), Red);

    // Bottom row: 5 literal pixels in 3 bytes and a padding byte; top row: a run.
    BmpSpec a = Spec(5, 2, 4, 2);
    a.extra = Palette();
    a.pixels = {0, 5, 0x12, 0x31, 0x20, 0x00, 0, 0, 2, 0x33, 0, 1};
    p = DecodeBmp(Build(a));
    EXPECT_EQ(p.At(2, 1), Blue);
    EXPECT_EQ(p.At(4, 1), Green);
    EXPECT_EQ(p.At(1, 0), Blue) << "the literal pixels are padded to 2 bytes";

    r.pixels = {2, 1, 0, 5, 2, 3};  // literal pixels cut short
    p = DecodeBmp(Build(r));
    EXPECT_EQ(p.At(1, 1), Red);
    EXPECT_EQ(p.At(2, 1), Black) << "what the data does not reach stays black";
}

TEST(BmpImage, DamagedFilesAreRefusedWithoutAGiantAllocation)
{
    const std::wstring invalid = L"Image bitmap incorrecte";
    BmpSpec good;
    good.pixels = Bytes(16, 0x80);
    const Bytes file = Build(good);
    EXPECT_EQ(ErrorOf({}), invalid);
    EXPECT_EQ(ErrorOf(Bytes(file.begin(), file.begin() + 20)), invalid) << "cut inside the header";
    EXPECT_EQ(ErrorOf(Bytes(file.begin(), file.end() - 3)), invalid) << "cut inside the pixels";
    EXPECT_EQ(ErrorOf(Bytes(file.begin(), file.end() - 2)), L"(accepted)") << "only the last padding missing";
    Bytes farOffset = file;
    farOffset[13] = 0x40;
    EXPECT_EQ(ErrorOf(farOffset), invalid) << "pixels past the end";
    Bytes notBmp = file;
    notBmp[0] = 'X';
    EXPECT_EQ(ErrorOf(notBmp), invalid);

    auto variant = [&](const std::function<void(BmpSpec&)>& change) {
        BmpSpec s = good;
        change(s);
        return ErrorOf(Build(s));
    };
    EXPECT_EQ(variant([](BmpSpec& s) { s.width = 0; }), invalid);
    EXPECT_EQ(variant([](BmpSpec& s) { s.height = 0; }), invalid);
    EXPECT_EQ(variant([](BmpSpec& s) { s.width = -2; }), invalid);
    EXPECT_EQ(variant([](BmpSpec& s) { s.bits = 7; }), invalid);
    EXPECT_EQ(variant([](BmpSpec& s) { s.compression = 4; }), invalid) << "JPEG inside a BMP";
    EXPECT_EQ(variant([](BmpSpec& s) { s.headerSize = 20; }), invalid);
    EXPECT_EQ(variant([](BmpSpec& s) { s.width = 30000; s.height = 30000; }), invalid) << "claims 2.7 GB";
    EXPECT_EQ(variant([](BmpSpec& s) { s.width = 8000; s.height = -8000; }), invalid) << "claims 192 MB";
    EXPECT_EQ(variant([](BmpSpec& s) { s.height = INT32_MIN; }), invalid);
    EXPECT_EQ(variant([](BmpSpec& s) { s.bits = 8; s.coloursUsed = 256; s.extra = Bytes(100); }), invalid)
        << "palette past the end";
    EXPECT_EQ(variant([](BmpSpec& s) {
                  s.bits = 8, s.compression = 1, s.width = 100000, s.height = 100000, s.extra = Palette();
              }),
              invalid)
        << "a small run-length file claiming ten billion pixels";
    EXPECT_EQ(variant([](BmpSpec& s) { s.bits = 8, s.compression = 1, s.height = -2, s.extra = Palette(); }),
              invalid)
        << "run-length data cannot be top row first";
}

TEST(BmpImage, EncodedPicturesReadBack)
{
    Picture p(5, 3);
    p.Set(4, 0, Red);
    p.Set(0, 2, Blue);
    const Picture back = DecodeBmp(EncodeBmp24(p));
    EXPECT_EQ(back.width(), 5);
    EXPECT_EQ(back.height(), 3);
    EXPECT_EQ(back.At(4, 0), Red);
    EXPECT_EQ(back.At(0, 2), Blue);
    EXPECT_EQ(back.At(1, 1), Black);
}
