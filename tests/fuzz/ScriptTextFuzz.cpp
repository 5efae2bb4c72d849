// Any bytes loaded into the editor and saved without edits come back unchanged.
#include "script/ScriptText.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto loaded = tessark::script::DecodeScript(bytes);
    if (tessark::script::EncodeScript(loaded.text, loaded.lineEnd) != bytes)
        std::abort();
    return 0;
}
