#include "script/TrngScript.h"

#include "script/CheckText.h"
#include "script/NgTables.h"
#include "util/Utf8.h"

#include <cstdint>

namespace tessark::script {
namespace {

using namespace check;

std::uint32_t U32At(std::string_view bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    return value;
}

// The NG word a line begins with, if any: a directive, or the name of an NG command.
std::optional<std::string_view> NgWordOf(std::string_view line)
{
    if (line.starts_with('#')) {
        const std::string_view word = line.substr(0, line.find_first_of(" \t\""));
        return IsNgDirective(word) ? std::optional(word) : std::nullopt;
    }
    const auto equals = line.find('=');
    if (line.starts_with('[') || equals == std::string_view::npos)
        return std::nullopt;
    const std::string_view command = Trim(line.substr(0, equals));
    return FindNgCommand(command) ? std::optional(command) : std::nullopt;
}

} // namespace

bool IsNgDirective(std::string_view word)
{
    return SameWord(word, "#INCLUDE") || SameWord(word, "#DEFINE") || SameWord(word, "#FIRST_ID");
}

std::optional<TrngSign> TrngSignOf(std::string_view scriptText)
{
    LineReader lines(utf8::WithoutMark(scriptText));
    int number = 0;
    while (const auto line = lines.Next()) {
        ++number;
        if (const auto word = NgWordOf(WithoutComment(*line)))
            return TrngSign{number, std::string(*word)};
    }
    return std::nullopt;
}

bool HasNgBlock(std::string_view compiledBytes)
{
    constexpr std::size_t TrailerSize = 8;
    const std::size_t size = compiledBytes.size();
    if (size < TrailerSize + 2 || compiledBytes.substr(size - TrailerSize, 4) != "NGLE")
        return false;
    const std::uint32_t blockSize = U32At(compiledBytes, size - 4);
    return blockSize >= TrailerSize + 2 && blockSize <= size && compiledBytes.substr(size - blockSize, 2) == "NG";
}

bool IsTrngScript(std::string_view scriptText, std::string_view existingScriptDat, bool ngCenterInstalled)
{
    return ngCenterInstalled || HasNgBlock(existingScriptDat) || TrngSignOf(scriptText).has_value();
}

} // namespace tessark::script
