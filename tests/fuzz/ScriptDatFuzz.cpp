// Any bytes described as a SCRIPT.DAT (before the first NUL, and whole) with
// any bytes as its language .DAT (after it): no crash, and a report that
// always says something, each line non-empty.
#include "script/LanguageStrings.h"
#include "script/ScriptDatReport.h"

#include <cstdint>
#include <string_view>

namespace {

void Check(const tessark::Report& report)
{
    if (report.empty())
        __builtin_trap();
    for (const auto& line : report)
        if (line.text.empty() || line.scriptLine != 0)
            __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace tessark::script;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    Check(DescribeScriptDat(input));
    const std::size_t split = std::min(input.find('\0'), size);
    if (split < size)
        Check(DescribeScriptDat(input.substr(0, split), input.substr(split + 1)));
    (void)ReadLanguageDat(input);
    return 0;
}
