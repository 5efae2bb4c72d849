#include "image/BmpImage.h"

#include "image/PictureMessages.h"
#include "util/Messages.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace tessark::image {
namespace {

enum Compression : std::uint32_t { Uncompressed = 0, Rle8 = 1, Rle4 = 2, BitFields = 3, AlphaBitFields = 6 };

constexpr std::size_t FileHeaderSize = 14;
constexpr std::size_t CoreHeaderSize = 12;
constexpr std::size_t InfoHeaderSize = 40;
constexpr std::size_t LargestHeaderSize = 124;

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
    std::size_t size = 0;  // of the info header
    std::size_t pixelsAt = 0;
    bool core = false;  // OS/2 header, 3-byte palette entries

    std::int64_t rows() const { return height < 0 ? -height : height; }
    bool rle() const { return compression == Rle8 || compression == Rle4; }
};

Header ReadHeader(std::span<const std::uint8_t> file)
{
    if (file.size() < FileHeaderSize + CoreHeaderSize || file[0] != 'B' || file[1] != 'M')
        Invalid();
    Header h;
    h.pixelsAt = U32(file, 10);
    h.size = U32(file, 14);
    if (h.size == CoreHeaderSize) {
        h.core = true;
        h.width = U16(file, 18);
        h.height = U16(file, 20);
        h.bits = U16(file, 24);
    } else if (h.size >= InfoHeaderSize && h.size <= LargestHeaderSize) {
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

// One colour of a 16- or 32-bit pixel, scaled to 8 bits.
class Channel {
public:
    Channel() = default;
    explicit Channel(std::uint32_t mask)
        : mask_(mask), shift_(mask ? std::countr_zero(mask) : 0), bits_(std::bit_width(mask >> shift_))
    {
    }
    std::uint8_t Of(std::uint32_t pixel) const
    {
        const std::uint32_t value = (pixel & mask_) >> shift_;
        if (bits_ >= 8)
            return static_cast<std::uint8_t>(value >> (bits_ - 8));
        const std::uint32_t most = (1u << bits_) - 1;
        return bits_ == 0 ? 0 : static_cast<std::uint8_t>((value * 255 + most / 2) / most);
    }

private:
    std::uint32_t mask_ = 0;
    int shift_ = 0;
    int bits_ = 0;
};

struct Masks {
    Channel red, green, blue;
};

Masks ReadMasks(std::span<const std::uint8_t> file, const Header& h)
{
    if (h.compression == BitFields || h.compression == AlphaBitFields) {
        // Right after a 40-byte header, or inside a larger one at the same place.
        const std::size_t at = FileHeaderSize + InfoHeaderSize;
        return {Channel(U32(file, at)), Channel(U32(file, at + 4)), Channel(U32(file, at + 8))};
    }
    if (h.bits == 16)
        return {Channel(0x7C00), Channel(0x03E0), Channel(0x001F)};
    return {Channel(0xFF0000), Channel(0x00FF00), Channel(0x0000FF)};
}

// Always 2^bits entries: indices past the given colours read as black.
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
    std::vector<Rgb> palette(most);
    for (std::uint32_t i = 0; i < count; ++i, at += entry)
        palette[i] = {file[at + 2], file[at + 1], file[at]};
    return palette;
}

struct RowLayout {
    std::size_t bytes = 0;  // padded to 4
    std::size_t used = 0;   // bytes holding pixels
};

RowLayout RowLayoutOf(const Header& h)
{
    const std::size_t rowBits = static_cast<std::size_t>(h.width) * h.bits;
    return {(rowBits + 31) / 32 * 4, (rowBits + 7) / 8};
}

// Before the picture is allocated, so that a short file claiming a big
// picture costs nothing.
void CheckRowsPresent(std::span<const std::uint8_t> file, const Header& h)
{
    const RowLayout row = RowLayoutOf(h);
    const std::size_t needed = static_cast<std::size_t>(h.rows() - 1) * row.bytes + row.used;
    if (h.pixelsAt > file.size() || file.size() - h.pixelsAt < needed)
        Invalid();
}

void PutPixel(std::uint8_t* target, Rgb colour)
{
    target[0] = colour.blue;
    target[1] = colour.green;
    target[2] = colour.red;
}

void DecodeMaskedRow(const std::uint8_t* source, std::uint8_t* target, std::size_t width, std::uint32_t bits,
                     const Masks& masks)
{
    for (std::size_t x = 0; x < width; ++x, target += 3) {
        const std::uint32_t pixel =
            bits == 32 ? source[4 * x] | source[4 * x + 1] << 8 | source[4 * x + 2] << 16 |
                             static_cast<std::uint32_t>(source[4 * x + 3]) << 24
                       : source[2 * x] | source[2 * x + 1] << 8;
        target[0] = masks.blue.Of(pixel);
        target[1] = masks.green.Of(pixel);
        target[2] = masks.red.Of(pixel);
    }
}

// 1, 4 or 8 bits a pixel, the leftmost pixel in the high bits of a byte.
void DecodeIndexedRow(const std::uint8_t* source, std::uint8_t* target, std::size_t width, std::uint32_t bits,
                      const std::vector<Rgb>& palette)
{
    const unsigned perByte = 8 / bits, keep = (1u << bits) - 1;
    for (std::size_t x = 0; x < width; ++x, target += 3) {
        const unsigned shift = 8 - bits * (1 + x % perByte);
        PutPixel(target, palette[(source[x / perByte] >> shift) & keep]);
    }
}

void DecodeRows(std::span<const std::uint8_t> file, const Header& h, const std::vector<Rgb>& palette,
                const Masks& masks, Picture& picture)
{
    const std::size_t width = static_cast<std::size_t>(h.width), rowBytes = RowLayoutOf(h).bytes;
    const std::int32_t rows = picture.height();
    for (std::int32_t r = 0; r < rows; ++r) {
        const std::uint8_t* source = file.data() + h.pixelsAt + static_cast<std::size_t>(r) * rowBytes;
        std::uint8_t* target = picture.Row(h.height < 0 ? r : rows - 1 - r);
        if (h.bits == 24)
            std::memcpy(target, source, width * 3);
        else if (h.bits >= 16)
            DecodeMaskedRow(source, target, width, h.bits, masks);
        else
            DecodeIndexedRow(source, target, width, h.bits, palette);
    }
}

// Where run-length data puts its pixels: rows counted from the bottom, pixels
// outside the picture dropped.
class RlePainter {
public:
    RlePainter(Picture& picture, const std::vector<Rgb>& palette) : picture_(picture), palette_(palette) {}

    void Put(unsigned index)
    {
        if (x_ < picture_.width() && !Done())
            PutPixel(picture_.Row(picture_.height() - 1 - static_cast<std::int32_t>(y_)) + x_ * 3, palette_[index]);
        ++x_;
    }
    void NextLine()
    {
        x_ = 0;
        ++y_;
    }
    void Move(unsigned right, unsigned up)
    {
        x_ += right;
        y_ += up;
    }
    bool Done() const { return y_ >= picture_.height(); }

private:
    Picture& picture_;
    const std::vector<Rgb>& palette_;
    std::int64_t x_ = 0, y_ = 0;
};

unsigned Nibble(std::uint8_t byte, unsigned i)
{
    return i % 2 == 0 ? byte >> 4 : byte & 15;
}

// Pairs of a count and a value, or an escape (count 0) for the end of a line,
// the end of the picture, a jump, or literal pixels padded to 2 bytes.
void DecodeRle(std::span<const std::uint8_t> file, const Header& h, const std::vector<Rgb>& palette,
               Picture& picture)
{
    if (h.pixelsAt > file.size())
        Invalid();
    const bool four = h.compression == Rle4;
    RlePainter painter(picture, palette);
    std::size_t at = h.pixelsAt;
    while (at + 2 <= file.size() && !painter.Done()) {
        const unsigned count = file[at], value = file[at + 1];
        at += 2;
        if (count > 0) {
            for (unsigned i = 0; i < count; ++i)
                painter.Put(four ? Nibble(static_cast<std::uint8_t>(value), i) : value);
        } else if (value == 0) {
            painter.NextLine();
        } else if (value == 1) {
            return;
        } else if (value == 2) {
            if (at + 2 > file.size())
                return;
            painter.Move(file[at], file[at + 1]);
            at += 2;
        } else {
            const std::size_t bytes = four ? (value + 1) / 2 : value;
            if (at + bytes > file.size())
                return;
            for (unsigned i = 0; i < value; ++i)
                painter.Put(four ? Nibble(file[at + i / 2], i) : file[at + i]);
            at += bytes + bytes % 2;
        }
    }
}

void PutU16(std::uint8_t* at, std::uint32_t value)
{
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}

void PutU32(std::uint8_t* at, std::uint32_t value)
{
    PutU16(at, value & 0xFFFF);
    PutU16(at + 2, value >> 16);
}

} // namespace

Picture DecodeBmp(std::span<const std::uint8_t> file)
{
    const Header h = ReadHeader(file);
    const std::int64_t rows = h.rows();
    if (h.width <= 0 || rows == 0 || !ValidKind(h) || h.width > Picture::MaxPixels / rows)
        Invalid();
    const std::vector<Rgb> palette = h.bits <= 8 ? ReadPalette(file, h) : std::vector<Rgb>{};
    const Masks masks = h.bits == 16 || h.bits == 32 ? ReadMasks(file, h) : Masks{};
    if (!h.rle())
        CheckRowsPresent(file, h);
    Picture picture(static_cast<std::int32_t>(h.width), static_cast<std::int32_t>(rows));
    if (h.rle())
        DecodeRle(file, h, palette, picture);
    else
        DecodeRows(file, h, palette, masks, picture);
    return picture;
}

void PutBmp24Headers(std::uint8_t* header, std::size_t width, std::size_t rows, std::size_t pixelBytes)
{
    header[0] = 'B';
    header[1] = 'M';
    PutU32(header + 2, static_cast<std::uint32_t>(Bmp24HeadersSize + pixelBytes));
    PutU32(header + 6, 0);
    PutU32(header + 10, Bmp24HeadersSize);
    PutU32(header + 14, InfoHeaderSize);
    PutU32(header + 18, static_cast<std::uint32_t>(width));
    PutU32(header + 22, static_cast<std::uint32_t>(rows));
    PutU16(header + 26, 1);
    PutU16(header + 28, 24);
    PutU32(header + 30, 0);
    PutU32(header + 34, static_cast<std::uint32_t>(pixelBytes));
    std::memset(header + 38, 0, 16);
}

std::vector<std::uint8_t> EncodeBmp24(const Picture& picture)
{
    const std::size_t stride = picture.stride(), rows = static_cast<std::size_t>(picture.height());
    std::vector<std::uint8_t> bytes(Bmp24HeadersSize + stride * rows);
    PutBmp24Headers(bytes.data(), static_cast<std::size_t>(picture.width()), rows, stride * rows);
    for (std::size_t r = 0; r < rows; ++r)
        std::memcpy(bytes.data() + Bmp24HeadersSize + r * stride, picture.Row(static_cast<std::int32_t>(rows - 1 - r)),
                    stride);
    return bytes;
}

} // namespace tessark::image
