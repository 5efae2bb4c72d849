#include "image/Picture.h"

#include "util/Messages.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace tessark::image {

void Picture::CheckSize(std::int64_t width, std::int64_t height)
{
    if (width < 0 || height < 0 || (width > 0 && height > MaxPixels / width))
        TooLarge(width, height);
}

void Picture::TooLarge(std::int64_t width, std::int64_t height)
{
    throw UserError(FormatMessageText(msg::PictureTooLarge, std::to_wstring(width) + L" x " + std::to_wstring(height)));
}

Picture::Picture(std::int32_t width, std::int32_t height)
{
    CheckSize(width, height);
    width_ = width;
    height_ = height;
    stride_ = StrideOf(width);
    pixels_.assign(stride_ * static_cast<std::size_t>(height), 0);
}

Rgb Picture::At(std::int32_t x, std::int32_t y) const
{
    const std::uint8_t* pixel = Row(y) + static_cast<std::size_t>(x) * 3;
    return {pixel[2], pixel[1], pixel[0]};
}

void Picture::Set(std::int32_t x, std::int32_t y, Rgb colour)
{
    std::uint8_t* pixel = Row(y) + static_cast<std::size_t>(x) * 3;
    pixel[0] = colour.blue;
    pixel[1] = colour.green;
    pixel[2] = colour.red;
}

void Picture::Resize(std::int32_t width, std::int32_t height, Rgb fill)
{
    if (width == width_ && height == height_)
        return;
    Picture resized(width, height);
    const std::int32_t keptWidth = std::min(width, width_), keptHeight = std::min(height, height_);
    for (std::int32_t y = 0; y < height; ++y) {
        std::int32_t x = 0;
        if (y < keptHeight && keptWidth > 0) {
            std::memcpy(resized.Row(y), Row(y), static_cast<std::size_t>(keptWidth) * 3);
            x = keptWidth;
        }
        for (; x < width; ++x)
            resized.Set(x, y, fill);
    }
    *this = std::move(resized);
}

} // namespace tessark::image
