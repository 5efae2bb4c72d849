#include "image/RawImage.h"

#include "image/BmpImage.h"
#include "image/PictureMessages.h"
#include "util/Messages.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <string>

namespace tessark::image {
namespace {

constexpr std::int32_t MaxRawSide = 1024;

std::uint64_t Load64(const std::uint8_t* at)
{
    std::uint64_t word;
    std::memcpy(&word, at, sizeof word);
    return word;
}

void Store64(std::uint8_t* at, std::uint64_t word)
{
    std::memcpy(at, &word, sizeof word);
}

// The 24 bytes of 8 pixels as one little-endian number: each pixel's first
// byte moves up two places, its last down two, its middle one stays.
void SwapRedBlueOf8(const std::uint8_t* from, std::uint8_t* to)
{
    constexpr std::uint64_t Bytes036 = 0x00FF0000FF0000FF, Bytes147 = 0xFF0000FF0000FF00, Bytes25 = 0x0000FF0000FF0000;
    const std::uint64_t w0 = Load64(from), w1 = Load64(from + 8), w2 = Load64(from + 16);
    Store64(to, (((w0 >> 16) | (w1 << 48)) & Bytes036) | (w0 & Bytes147) | ((w0 << 16) & Bytes25));
    Store64(to + 8, (((w1 >> 16) | (w2 << 48)) & Bytes147) | (w1 & Bytes25) | (((w1 << 16) | (w0 >> 48)) & Bytes036));
    Store64(to + 16, ((w2 >> 16) & Bytes25) | (w2 & Bytes036) | (((w2 << 16) | (w1 >> 48)) & Bytes147));
}

// Red-green-blue pixels to blue-green-red ones, or back.
void SwapRedBlue(const std::uint8_t* from, std::uint8_t* to, std::size_t pixels)
{
    std::size_t i = 0;
    if constexpr (std::endian::native == std::endian::little)
        for (; i + 8 <= pixels; i += 8)
            SwapRedBlueOf8(from + i * 3, to + i * 3);
    for (; i < pixels; ++i) {
        const std::uint8_t first = from[i * 3];
        to[i * 3] = from[i * 3 + 2];
        to[i * 3 + 1] = from[i * 3 + 1];
        to[i * 3 + 2] = first;
    }
}

void ToBlueGreenRed(const std::uint8_t* from, std::uint8_t* to, std::size_t pixels, bool blueFirst)
{
    if (blueFirst)
        std::memcpy(to, from, pixels * 3);
    else
        SwapRedBlue(from, to, pixels);
}

struct RawLayout {
    std::size_t fileRowBytes = 0;
    std::size_t rows = 0;
    std::size_t width8 = 0;  // the picture's width
};

std::optional<RawLayout> LayoutOf(std::size_t fileSize, std::int32_t width)
{
    if (width < 1)
        return std::nullopt;
    RawLayout layout;
    layout.fileRowBytes = static_cast<std::size_t>(width) * 3;
    layout.rows = fileSize / layout.fileRowBytes;
    if (layout.rows < 1)
        return std::nullopt;
    layout.width8 = static_cast<std::size_t>(width) / 8 * 8;
    if (layout.width8 > 0 && layout.rows > static_cast<std::size_t>(Picture::MaxPixels) / layout.width8)
        Picture::TooLarge(static_cast<std::int64_t>(layout.width8), static_cast<std::int64_t>(layout.rows));
    return layout;
}

} // namespace

void EncodeRaw(Picture& picture, std::int32_t width, std::int32_t height,
               const std::function<void(const std::uint8_t*, std::size_t)>& writeRow)
{
    const std::int32_t shownWidth = std::min(picture.width(), MaxRawSide);
    const std::int32_t shownHeight = std::min(picture.height(), MaxRawSide);
    // Each side changes only when it differs, as counted for RAW files.
    picture.Resize(shownWidth != width ? width : picture.width(), shownHeight != height ? height : picture.height(),
                   Rgb{});
    const std::int32_t columns = std::min(width, MaxRawSide);
    if (columns == 0)
        return;
    std::vector<std::uint8_t> row(static_cast<std::size_t>(columns) * 3);
    for (std::int32_t y = 0; y < height; ++y) {
        if (y < shownHeight)
            SwapRedBlue(picture.Row(y), row.data(), static_cast<std::size_t>(columns));
        else if (y == shownHeight)
            std::fill(row.begin(), row.end(), 0);
        writeRow(row.data(), row.size());
    }
}

std::optional<std::vector<std::uint8_t>> RawToBmp(std::span<const std::uint8_t> file, std::int32_t width,
                                                  bool bottomUpRows, bool blueFirstPixels)
{
    const auto layout = LayoutOf(file.size(), width);
    if (!layout)
        return std::nullopt;
    // Only a picture 0 pixels wide can have more rows than the header holds.
    const std::size_t rows =
        std::min<std::size_t>(layout->rows, static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()));
    const std::size_t bmpRowBytes = layout->width8 * 3;  // a multiple of 4: no padding
    std::vector<std::uint8_t> bmp(Bmp24HeadersSize + bmpRowBytes * rows);
    PutBmp24Headers(bmp.data(), layout->width8, rows, bmpRowBytes * rows);
    // The BMP holds the bottom row first.
    for (std::size_t stored = 0; stored < rows && bmpRowBytes > 0; ++stored) {
        const std::size_t fileRow = bottomUpRows ? stored : rows - 1 - stored;
        ToBlueGreenRed(file.data() + fileRow * layout->fileRowBytes, bmp.data() + Bmp24HeadersSize + stored * bmpRowBytes,
                       layout->width8, blueFirstPixels);
    }
    return bmp;
}

std::optional<Picture> DecodeRaw(std::span<const std::uint8_t> file, std::int32_t width, bool bottomUpRows,
                                 bool blueFirstPixels)
{
    const auto layout = LayoutOf(file.size(), width);
    if (!layout)
        return std::nullopt;
    if (layout->width8 == 0)
        throw UserError(std::wstring(msg::InvalidBitmap));
    const auto rows = static_cast<std::int32_t>(layout->rows);
    Picture picture(static_cast<std::int32_t>(layout->width8), rows);
    for (std::int32_t fileRow = 0; fileRow < rows; ++fileRow)
        ToBlueGreenRed(file.data() + static_cast<std::size_t>(fileRow) * layout->fileRowBytes,
                       picture.Row(bottomUpRows ? rows - 1 - fileRow : fileRow), layout->width8, blueFirstPixels);
    return picture;
}

} // namespace tessark::image
