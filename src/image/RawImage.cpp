#include "image/RawImage.h"

#include "image/BmpImage.h"

#include <algorithm>
#include <limits>

namespace tessark::image {
namespace {

constexpr std::int32_t MaxRawColumns = 1024;
constexpr std::size_t BmpHeadersSize = 54;

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

void EncodeRaw(Picture& picture, std::int32_t width, std::int32_t height,
               const std::function<void(const std::uint8_t*, std::size_t)>& writeRow)
{
    const std::int32_t keptHeight = std::min(picture.height(), MaxRawColumns);
    Picture::CheckSize(std::max(width, 0), std::max(height, 0));
    if (picture.width() != width || picture.height() != height)
        picture.Resize(std::max(width, 0), std::max(height, 0), Rgb{});
    const std::int32_t columns = std::clamp(width, 0, MaxRawColumns);
    if (columns == 0)
        return;
    std::vector<std::uint8_t> row(static_cast<std::size_t>(columns) * 3);
    for (std::int32_t y = 0; y < height; ++y) {
        if (y < keptHeight) {
            const std::uint8_t* source = picture.Row(y);
            for (std::size_t i = 0; i < row.size(); i += 3) {
                row[i] = source[i + 2];
                row[i + 1] = source[i + 1];
                row[i + 2] = source[i];
            }
        } else if (y == keptHeight) {
            std::fill(row.begin(), row.end(), 0);
        }
        writeRow(row.data(), row.size());
    }
}

std::optional<std::vector<std::uint8_t>> RawToBmp(std::span<const std::uint8_t> file, std::int32_t width,
                                                  bool bottomUpRows, bool blueFirstPixels)
{
    if (width < 1)
        return std::nullopt;
    const std::size_t fileRow = static_cast<std::size_t>(width) * 3;
    const std::size_t rows = file.size() / fileRow;
    if (rows < 1)
        return std::nullopt;
    const std::size_t width8 = static_cast<std::size_t>(width) / 8 * 8;
    const std::size_t bmpRow = width8 * 3;
    const std::size_t pixelBytes = bmpRow * rows;
    // Only a picture DecodeBmp would refuse anyway can overflow the header's fields.
    if (rows > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()) ||
        pixelBytes > std::numeric_limits<std::uint32_t>::max() - BmpHeadersSize)
        Picture::TooLarge(static_cast<std::int64_t>(width8), static_cast<std::int64_t>(rows));

    std::vector<std::uint8_t> bmp(BmpHeadersSize + pixelBytes);
    std::uint8_t* header = bmp.data();
    header[0] = 'B';
    header[1] = 'M';
    PutU32(header + 2, static_cast<std::uint32_t>(bmp.size()));
    PutU32(header + 10, BmpHeadersSize);
    PutU32(header + 14, 40);
    PutU32(header + 18, static_cast<std::uint32_t>(width8));
    PutU32(header + 22, static_cast<std::uint32_t>(rows));
    PutU16(header + 26, 1);
    PutU16(header + 28, 24);
    PutU32(header + 34, static_cast<std::uint32_t>(pixelBytes));

    // The BMP holds the bottom row first.
    for (std::size_t stored = 0; stored < rows; ++stored) {
        const std::size_t fileRowIndex = bottomUpRows ? stored : rows - 1 - stored;
        const std::uint8_t* source = file.data() + fileRowIndex * fileRow;
        std::uint8_t* target = bmp.data() + BmpHeadersSize + stored * bmpRow;
        if (blueFirstPixels) {
            std::copy(source, source + bmpRow, target);
            continue;
        }
        for (std::size_t i = 0; i < bmpRow; i += 3) {
            target[i] = source[i + 2];
            target[i + 1] = source[i + 1];
            target[i + 2] = source[i];
        }
    }
    return bmp;
}

} // namespace tessark::image
