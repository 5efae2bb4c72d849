// Any bytes compiled as a script (before the first NUL) with any bytes as its
// language files (after it; a name of odd length cannot be read): either an
// error on a line of the script and no file, or files that read back whole:
// the SCRIPT.DAT described without a fault, each language .DAT giving back
// the strings of its text (up to a byte 0xA5, which the format's XOR turns
// into the NUL that ends a string, in the original's files as in ours).
#include "script/LanguageStrings.h"
#include "script/ScriptCompiler.h"
#include "script/ScriptDatReport.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace {

using namespace tessark::script;

int LineCount(std::string_view text)
{
    int lines = 1;
    for (const char c : text)
        lines += c == '\n';
    return lines;
}

void CheckLanguageRoundTrip(std::string_view languageText, const std::string& dat)
{
    const LanguageStrings strings = ReadLanguageText(languageText);
    const auto readBack = ReadLanguageDat(dat);
    if (!readBack)
        __builtin_trap();
    for (std::size_t g = 0; g < StringGroupCount; ++g) {
        if ((*readBack)[g].size() != strings.groups[g].size())
            __builtin_trap();
        for (std::size_t i = 0; i < strings.groups[g].size(); ++i)
            if ((*readBack)[g][i] != strings.groups[g][i].text.substr(0, strings.groups[g][i].text.find('\xA5')))
                __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = std::min(input.find('\0'), size);
    const std::string_view script = input.substr(0, split);
    const std::string_view language = split < size ? input.substr(split + 1) : std::string_view{};
    const LanguageFileSource source = [&](std::string_view name) -> std::optional<std::string> {
        if (name.size() % 2 != 0)
            return std::nullopt;
        return std::string(language);
    };
    const CompileResult result = CompileScript(script, source, {CompileDate{9, 12, 2026}});
    if (result.error) {
        const int line = result.error->scriptLine;
        if (!result.files.empty() || line < 1 || line > LineCount(script) ||
            !result.error->text.starts_with("Ligne " + std::to_string(line) + " : "))
            __builtin_trap();
        return 0;
    }
    if (result.files.empty() || result.files[0].name != ScriptDatName)
        __builtin_trap();
    const std::string* firstLanguage =
        result.files.size() > 1 && result.files[1].name != StringsHeaderName ? &result.files[1].bytes : nullptr;
    const auto description = DescribeScriptDat(
        result.files[0].bytes, firstLanguage ? std::optional<std::string_view>(*firstLanguage) : std::nullopt);
    for (const auto& line : description)
        if (line.error)
            __builtin_trap();
    for (std::size_t i = 1; i < result.files.size(); ++i)
        if (result.files[i].name != StringsHeaderName)
            CheckLanguageRoundTrip(language, result.files[i].bytes);
    return 0;
}
