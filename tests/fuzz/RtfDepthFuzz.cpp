// Any bytes: the depth is found without reading outside them and never
// exceeds the number of opening braces, whichever way binary data is read.
#include "util/RtfDepth.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    using tessark::rtf::BinaryData;
    const std::size_t skipped = tessark::rtf::GroupDepth(bytes, BinaryData::Skipped);
    const std::size_t asText = tessark::rtf::GroupDepth(bytes, BinaryData::ReadAsText);
    const auto opening = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '{'));
    if (asText > opening || skipped > opening)
        std::abort();
    return 0;
}
