#include "image/BmpImage.h"

#include "util/Messages.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

namespace tessark::image {
namespace {

enum Compression : std::uint32_t { Uncompressed = 0, Rle8 = 1, Rle4 = 2, BitFields = 3, AlphaBitFields = 6 };

constexpr std::size_t FileHeaderSize = 14;

[[noreturn]] void Invalid()
{
    throw UserError(std::wstring(msg::InvalidBitmap));
}

std::uint32_t U16(std::span<const std::uint8_t> bytes, std::size_t at)
{
    if (at + 2 > bytes.size())
        Invalid();
    return bytes[at] | (bytes[at + 1] << 8);
}

std::uint32_t U32(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return U16(bytes, at) | (U16(bytes, at + 2) << 16);
}

struct Header {
    std::int64_t width = 0;
    std::int64_t height = 0;  // negative: top row first
    std::uint32_t bits = 0;
    std::uint32_t compression = Uncompressed;
    std::uint32_t coloursUsed = 0;
    std::size_t size = 0;      // of the info header
    std::size_t pixelsAt = 0;
    bool core = false;         // OS/2 header, 3-byte palette entries
};

Header ReadHeader(std::span<const std::uint8_t> file)
{
    if (file.size() < FileHeaderSize + 12 || file[0] != 'B' || file[1] != 'M')
        Invalid();
    Header h;
    h.pixelsAt = U32(file, 10);
    h.size = U32(file, 14);
    if (h.size == 12) {
        h.core = true;
        h.width = U16(file, 18);
        h.height = static_cast<std::int16_t>(U16(file, 20));
        h.bits = U16(file, 24);
    } else if (h.size >= 40 && h.size <= 124) {
        h.width = static_cast<std::int32_t>(U32(file, 18));
        h.height = static_cast<std::int32_t>(U32(file, 22));
        h.bits = U16(file, 28);
        h.compression = U32(file, 30);
        h.coloursUsed = U32(file, 46);
    } else {
        Invalid();
    }
    return h;
}

struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    explicit Channel(std::uint32_t m) : mask(m)
    {
        if (mask) {
            shift = std::countr_zero(mask);
            bits = std::popcount(mask >> shift);
        }
    }
    std::uint8_t Of(std::uint32_t pixel) const
    {
        if (bits == 0)
            return 0;
        const std::uint32_t value = (pixel & mask) >> shift;
        if (bits >= 8)
            return static_cast<std::uint8_t>(value >> (bits - 8));
        return static_cast<std::uint8_t>(value * 255 / ((1u << bits) - 1));
    }
};

struct Masks {
    Channel red, green, blue;
};

Masks ReadMasks(std::span<const std::uint8_t> file, const Header& h)
{
    if (h.compression == BitFields || h.compression == AlphaBitFields) {
        const std::size_t at = FileHeaderSize + 40;  // after the header, or inside a larger one
        return {Channel(U32(file, at)), Channel(U32(file, at + 4)), Channel(U32(file, at + 8))};
    }
    if (h.bits == 16)
        return {Channel(0x7C00), Channel(0x03E0), Channel(0x001F)};
    return {Channel(0xFF0000), Channel(0x00FF00), Channel(0x0000FF)};
}

std::vector<Rgb> ReadPalette(std::span<const std::uint8_t> file, const Header& h)
{
    const std::uint32_t most = 1u << h.bits;
    const std::size_t entry = h.core ? 3 : 4;
    std::size_t at = FileHeaderSize + h.size;
    std::uint32_t count = h.coloursUsed == 0 || h.coloursUsed > most ? most : h.coloursUsed;
    // Without a colour count, writers often give a shorter palette: what lies
    // before the pixels.
    if (h.coloursUsed == 0 && h.pixelsAt > at)
        count = static_cast<std::uint32_t>(std::min<std::size_t>(count, (h.pixelsAt - at) / entry));
    if (at + count * entry > file.size())
        Invalid();
    std::vector<Rgb> palette(most);  // indices past the given colours read as black
    for (std::uint32_t i = 0; i < count; ++i, at += entry)
        palette[i] = {file[at + 2], file[at + 1], file[at]};
    return palette;
}

std::int32_t PictureRow(const Header& h, std::int64_t fileRow)
{
    const std::int64_t rows = h.height < 0 ? -h.height : h.height;
    return static_cast<std::int32_t>(h.height < 0 ? fileRow : rows - 1 - fileRow);
}

void DecodeRows(std::span<const std::uint8_t> file, const Header& h, Picture& picture)
{
    const std::size_t width = static_cast<std::size_t>(h.width);
    const std::size_t rowBytes = (width * h.bits + 31) / 32 * 4;
    const std::size_t rows = static_cast<std::size_t>(picture.height());
    if (h.pixelsAt > file.size() || (file.size() - h.pixelsAt) / rowBytes < rows)
        Invalid();
    std::vector<Rgb> palette;
    if (h.bits <= 8)
        palette = ReadPalette(file, h);
    const Masks masks = ReadMasks(file, h);
    for (std::size_t r = 0; r < rows; ++r) {
        const std::uint8_t* source = file.data() + h.pixelsAt + r * rowBytes;
        std::uint8_t* target = picture.Row(PictureRow(h, static_cast<std::int64_t>(r)));
        switch (h.bits) {
        case 24:
            std::memcpy(target, source, width * 3);
            break;
        case 32:
        case 16:
            for (std::size_t x = 0; x < width; ++x, target += 3) {
                const std::uint32_t pixel =
                    h.bits == 32 ? source[4 * x] | source[4 * x + 1] << 8 | source[4 * x + 2] << 16 |
                                       static_cast<std::uint32_t>(source[4 * x + 3]) << 24
                                 : source[2 * x] | source[2 * x + 1] << 8;
                target[0] = masks.blue.Of(pixel);
                target[1] = masks.green.Of(pixel);
                target[2] = masks.red.Of(pixel);
            }
            break;
        default: {  // 1, 4 or 8 bits
            const unsigned perByte = 8 / h.bits, keep = (1u << h.bits) - 1;
            for (std::size_t x = 0; x < width; ++x, target += 3) {
                const unsigned shift = 8 - h.bits * (1 + x % perByte);
                const Rgb colour = palette[(source[x / perByte] >> shift) & keep];
                target[0] = colour.blue;
                target[1] = colour.green;
                target[2] = colour.red;
            }
        }
        }
    }
}

// Run-length data: pairs of a count and a value, or an escape (count 0) for
// the end of a line, the end of the picture, a jump, or literal pixels.
void DecodeRle(std::span<const std::uint8_t> file, const Header& h, Picture& picture)
{
    if (h.pixelsAt > file.size())
        Invalid();
    const std::vector<Rgb> palette = ReadPalette(file, h);
    const bool four = h.compression == Rle4;
    std::size_t at = h.pixelsAt;
    std::int64_t x = 0, y = 0;  // y counts from the bottom row
    // Pixels past the right edge are dropped.
    auto put = [&](unsigned index) {
        if (x < picture.width() && y < picture.height())
            picture.Set(static_cast<std::int32_t>(x), picture.height() - 1 - static_cast<std::int32_t>(y),
                        palette[index]);
        ++x;
    };
    while (at + 2 <= file.size() && y < picture.height()) {
        const unsigned count = file[at], value = file[at + 1];
        at += 2;
        if (count > 0) {
            for (unsigned i = 0; i < count; ++i)
                put(four ? (i % 2 == 0 ? value >> 4 : value & 15) : value);
        } else if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            break;
        } else if (value == 2) {
            if (at + 2 > file.size())
                break;
            x += file[at];
            y += file[at + 1];
            at += 2;
        } else {
            const std::size_t bytes = four ? (value + 1) / 2 : value;
            if (at + bytes > file.size())
                break;
            for (unsigned i = 0; i < value; ++i)
                put(four ? (i % 2 == 0 ? file[at + i / 2] >> 4 : file[at + i / 2] & 15) : file[at + i]);
            at += bytes + (bytes % 2);
        }
    }
}

bool ValidKind(const Header& h)
{
    switch (h.compression) {
    case Uncompressed: return h.bits == 1 || h.bits == 4 || h.bits == 8 || h.bits == 16 || h.bits == 24 || h.bits == 32;
    case Rle8: return h.bits == 8 && h.height > 0;
    case Rle4: return h.bits == 4 && h.height > 0;
    case BitFields:
    case AlphaBitFields: return h.bits == 16 || h.bits == 32;
    default: return false;
    }
}

void PutU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

} // namespace

Picture DecodeBmp(std::span<const std::uint8_t> file)
{
    const Header h = ReadHeader(file);
    const std::int64_t rows = h.height < 0 ? -h.height : h.height;
    if (h.width <= 0 || rows == 0 || !ValidKind(h) || h.width > Picture::MaxPixels / rows)
        Invalid();
    Picture picture(static_cast<std::int32_t>(h.width), static_cast<std::int32_t>(rows));
    if (h.compression == Rle8 || h.compression == Rle4)
        DecodeRle(file, h, picture);
    else
        DecodeRows(file, h, picture);
    return picture;
}

std::vector<std::uint8_t> EncodeBmp24(const Picture& picture)
{
    const std::size_t stride = picture.stride(), rows = static_cast<std::size_t>(picture.height());
    std::vector<std::uint8_t> bytes(54 + stride * rows);
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutU32(bytes, 2, static_cast<std::uint32_t>(bytes.size()));
    PutU32(bytes, 10, 54);
    PutU32(bytes, 14, 40);
    PutU32(bytes, 18, static_cast<std::uint32_t>(picture.width()));
    PutU32(bytes, 22, static_cast<std::uint32_t>(picture.height()));
    bytes[26] = 1;
    bytes[28] = 24;
    PutU32(bytes, 34, static_cast<std::uint32_t>(stride * rows));
    for (std::size_t r = 0; r < rows; ++r)
        std::memcpy(bytes.data() + 54 + r * stride, picture.Row(static_cast<std::int32_t>(rows - 1 - r)), stride);
    return bytes;
}

} // namespace tessark::image
