// Any bytes at the start of a compiler file are told one of the three kinds,
// and the compiler's text of any bytes splits into report lines without fault.
#include "script/CompilerText.h"
#include "script/ProgramHeader.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto kind = tessark::script::ProgramKindOf(bytes);
    if (kind == tessark::script::ProgramKind::Windows && bytes.substr(0, 2) != "MZ")
        std::abort();
    for (const auto& line : tessark::script::CompilerTextToReport(bytes))
        if (line.scriptLine < 0 || line.text.find_first_of("\r\n") != std::string::npos)
            std::abort();
    return 0;
}
