// Any bytes given as a BMP file: a picture that saves and reads back the same,
// or "Image bitmap incorrecte", nothing else.
#include "image/BmpImage.h"
#include "image/PictureMessages.h"
#include "util/Messages.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>

namespace {

std::uint32_t Field(const std::uint8_t* data, std::size_t at, int bytes)
{
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | data[at + i];
    return value;
}

// Run-length pictures may claim millions of pixels in a few bytes, and are
// then allocated whole; the fuzzer spends its time on the parsing instead.
// Claims past Picture::MaxPixels are refused before any allocation and stay in.
bool ClaimsBigRunLengthPicture(const std::uint8_t* data, std::size_t size)
{
    if (size < 34 || Field(data, 14, 4) == 12)
        return false;
    const std::uint32_t compression = Field(data, 30, 4);
    if (compression != 1 && compression != 2)
        return false;
    const std::int64_t width = static_cast<std::int32_t>(Field(data, 18, 4));
    const std::int64_t height = static_cast<std::int32_t>(Field(data, 22, 4));
    const std::int64_t pixels = std::llabs(width) * std::llabs(height);
    return pixels > (1 << 16) && pixels <= tessark::image::Picture::MaxPixels;
}

bool SamePixels(const tessark::image::Picture& a, const tessark::image::Picture& b)
{
    return a.width() == b.width() && a.height() == b.height() &&
           std::memcmp(a.data(), b.data(), a.stride() * static_cast<std::size_t>(a.height())) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (ClaimsBigRunLengthPicture(data, size))
        return 0;
    tessark::image::Picture picture;
    try {
        picture = tessark::image::DecodeBmp(std::span(data, size));
    } catch (const tessark::UserError& error) {
        if (error.text() != tessark::msg::InvalidBitmap)
            __builtin_trap();
        return 0;
    }
    if (picture.width() <= 0 || picture.height() <= 0 ||
        !SamePixels(picture, tessark::image::DecodeBmp(tessark::image::EncodeBmp24(picture))))
        __builtin_trap();
    return 0;
}
