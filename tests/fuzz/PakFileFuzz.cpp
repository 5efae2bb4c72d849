// Any bytes as a ".pak" title logo. The first byte chooses the size the
// reader expects: the logo's own, or a small one so that short streams reach
// the end checks too. A good reading packs again into a .pak that reads back
// to the same bytes; a bad one names its problem and holds no picture.
#include "image/PakFile.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const std::uint32_t expected = data[0] & 0x80 ? data[0] & 0x7F : tessark::image::LogoPakRawSize;
    const std::span pak(data + 1, size - 1);
    const tessark::image::PakReading reading = tessark::image::ReadPak(pak, expected);
    if (!reading.problem.empty()) {
        if (!reading.raw.empty())
            __builtin_trap();
        return 0;
    }
    if (reading.raw.size() != expected)
        __builtin_trap();
    const tessark::image::PakReading again = tessark::image::ReadPak(tessark::image::PackLogo(reading.raw), expected);
    if (!again.problem.empty() || again.raw != reading.raw)
        __builtin_trap();
    return 0;
}
