// Any bytes as a RAW file: the first two bytes choose the width and the
// options. The file is read through a BMP and directly, which must agree, and
// the picture is saved again.
#include "image/BmpImage.h"
#include "image/PictureMessages.h"
#include "image/RawImage.h"
#include "util/Messages.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <vector>

namespace {

using tessark::image::Picture;

// What the reader gave, or nothing when it raised "Image bitmap incorrecte".
template <class Read>
auto Shown(Read read) -> std::optional<decltype(read())>
{
    try {
        return read();
    } catch (const tessark::UserError& error) {
        if (error.text() != tessark::msg::InvalidBitmap)
            __builtin_trap();
        return std::nullopt;
    }
}

bool SamePixels(const Picture& a, const Picture& b)
{
    return a.width() == b.width() && a.height() == b.height() &&
           std::memcmp(a.data(), b.data(), a.stride() * static_cast<std::size_t>(a.height())) == 0;
}

std::vector<std::uint8_t> Saved(Picture& picture, std::int32_t width, std::int32_t height)
{
    std::vector<std::uint8_t> bytes;
    tessark::image::EncodeRaw(picture, width, height, [&](const std::uint8_t* row, std::size_t n) {
        if (n != static_cast<std::size_t>(std::min(width, 1024)) * 3)
            __builtin_trap();
        bytes.insert(bytes.end(), row, row + n);
    });
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const std::int32_t width = static_cast<std::int32_t>(data[0] | (data[1] & 0x0F) << 8) - 16;
    const bool bottomUp = data[1] & 0x10, blueFirst = data[1] & 0x20;
    const std::span file(data + 2, size - 2);

    const auto bmp = tessark::image::RawToBmp(file, width, bottomUp, blueFirst);
    const auto direct = Shown([&] { return tessark::image::DecodeRaw(file, width, bottomUp, blueFirst); });
    if (!bmp) {
        if (!direct || *direct)
            __builtin_trap();
        return 0;
    }
    auto routed = Shown([&] { return tessark::image::DecodeBmp(*bmp); });
    if (routed.has_value() != direct.has_value() || (routed && !(*direct && SamePixels(*routed, **direct))))
        __builtin_trap();
    if (!routed)
        return 0;

    Picture& picture = *routed;
    // Unchanged pictures save back to the bytes they were read from.
    if (!bottomUp && !blueFirst && width % 8 == 0 && width <= 1024 && picture.height() <= 1024) {
        const auto again = Saved(picture, picture.width(), picture.height());
        if (again.size() > file.size() || !std::equal(again.begin(), again.end(), file.begin()))
            __builtin_trap();
    }
    if (Saved(picture, width, 3).size() != static_cast<std::size_t>(std::min(width, 1024)) * 3 * 3)
        __builtin_trap();
    return 0;
}
