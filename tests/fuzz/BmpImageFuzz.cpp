// Any bytes given as a BMP file: a picture or "Image bitmap incorrecte",
// nothing else.
#include "image/BmpImage.h"
#include "util/Messages.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        const auto picture = tessark::image::DecodeBmp(std::span(data, size));
        if (picture.width() <= 0 || picture.height() <= 0)
            __builtin_trap();
    } catch (const tessark::UserError&) {
    }
    return 0;
}
