#include "image/Picture.h"

#include "image/PictureMessages.h"
#include "util/Messages.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>

namespace tessark::image {
namespace {

std::wstring SizeText(std::int64_t width, std::int64_t height)
{
    return std::to_wstring(width) + L" x " + std::to_wstring(height);
}

} // namespace

void Picture::CheckSize(std::int64_t width, std::int64_t height)
{
    if (width < 0 || height < 0)
        throw UserError(FormatMessageText(msg::InvalidPictureSize, SizeText(width, height)));
    if (width > 0 && height > MaxPixels / width)
        TooLarge(width, height);
}

void Picture::TooLarge(std::int64_t width, std::int64_t height)
{
    throw UserError(FormatMessageText(msg::PictureTooLarge, SizeText(width, height)));
}

Picture::Picture(std::int32_t width, std::int32_t height)
{
    CheckSize(width, height);
    width_ = width;
    height_ = height;
    stride_ = StrideOf(width);
    try {
        pixels_.assign(stride_ * static_cast<std::size_t>(height), 0);
    } catch (const std::bad_alloc&) {
        // Within MaxPixels, but more than this process can get now.
        TooLarge(width, height);
    }
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
    std::vector<std::uint8_t> fillRow(static_cast<std::size_t>(width) * 3);
    for (std::size_t i = 0; i < fillRow.size(); i += 3) {
        fillRow[i] = fill.blue;
        fillRow[i + 1] = fill.green;
        fillRow[i + 2] = fill.red;
    }
    const std::int32_t keptHeight = std::min(height, height_);
    const std::size_t keptBytes = static_cast<std::size_t>(std::min(width, width_)) * 3;
    for (std::int32_t y = 0; y < height; ++y) {
        const std::size_t kept = y < keptHeight ? keptBytes : 0;
        if (kept > 0)
            std::memcpy(resized.Row(y), Row(y), kept);
        std::copy(fillRow.begin() + static_cast<std::ptrdiff_t>(kept), fillRow.end(), resized.Row(y) + kept);
    }
    *this = std::move(resized);
}

} // namespace tessark::image
