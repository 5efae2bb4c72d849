// Any bytes as a RAW file: the first two bytes choose the width and the
// options. The file is read, shown, and saved again at a small size.
#include "image/BmpImage.h"
#include "image/RawImage.h"
#include "util/Messages.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const std::int32_t width = static_cast<std::int32_t>(data[0] | (data[1] & 0x0F) << 8) - 16;
    const bool bottomUp = data[1] & 0x10, blueFirst = data[1] & 0x20;
    const std::span file(data + 2, size - 2);
    try {
        auto bmp = tessark::image::RawToBmp(file, width, bottomUp, blueFirst);
        if (!bmp)
            return 0;
        auto picture = tessark::image::DecodeBmp(*bmp);
        std::size_t written = 0;
        tessark::image::EncodeRaw(picture, width, 3, [&](const std::uint8_t*, std::size_t n) { written += n; });
        if (width > 0 && written != static_cast<std::size_t>(width < 1024 ? width : 1024) * 3 * 3)
            __builtin_trap();
    } catch (const tessark::UserError&) {
    }
    return 0;
}
