#include "script/ProgramHeader.h"

#include <cstdint>

namespace tessark::script {
namespace {

constexpr std::size_t DosHeaderSize = 0x40;
// The fixed part of a DOS header, without which DOS loads nothing.
constexpr std::size_t DosFixedHeaderSize = 0x1C;
constexpr std::size_t NewHeaderOffsetField = 0x3C;

std::uint32_t ReadU32(std::string_view bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

bool HasDosSignature(std::string_view start)
{
    // DOS accepts both byte orders of the signature.
    return start.size() >= DosFixedHeaderSize && (start.substr(0, 2) == "MZ" || start.substr(0, 2) == "ZM");
}

bool HasPeHeader(std::string_view start)
{
    if (start.size() < DosHeaderSize)
        return false;
    const std::uint32_t offset = ReadU32(start, NewHeaderOffsetField);
    if (offset < DosHeaderSize || offset > start.size() || start.size() - offset < 4)
        return false;
    return start.substr(offset, 4) == std::string_view("PE\0\0", 4);
}

} // namespace

ProgramKind ProgramKindOf(std::string_view start)
{
    if (!HasDosSignature(start))
        return ProgramKind::NotAProgram;
    return start.substr(0, 2) == "MZ" && HasPeHeader(start) ? ProgramKind::Windows : ProgramKind::Dos;
}

} // namespace tessark::script
