// Any bytes given as a BMP file: a picture or "Image bitmap incorrecte",
// nothing else.
#include "image/BmpImage.h"
#include "util/Messages.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

namespace {

std::int64_t Field(const std::uint8_t* data, std::size_t at, int bytes)
{
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | data[at + i];
    return bytes == 2 ? static_cast<std::int16_t>(value) : static_cast<std::int32_t>(value);
}

// Pictures that claim millions of pixels are legitimate (and tested) but slow
// to allocate; the fuzzer spends its time on the parsing instead.
bool ClaimsHugePicture(const std::uint8_t* data, std::size_t size)
{
    if (size < 26)
        return false;
    const bool core = data[14] == 12;
    const std::int64_t width = Field(data, 18, core ? 2 : 4), height = Field(data, core ? 20 : 22, core ? 2 : 4);
    return std::llabs(width) * std::llabs(height) > (1 << 16);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (ClaimsHugePicture(data, size))
        return 0;
    try {
        const auto picture = tessark::image::DecodeBmp(std::span(data, size));
        if (picture.width() <= 0 || picture.height() <= 0)
            __builtin_trap();
    } catch (const tessark::UserError&) {
    }
    return 0;
}
