#pragma once
// Windows-1252, the code page of every text file this system reads or writes.
// The five bytes the code page leaves undefined map to the C1 controls of the
// same value, as Windows itself does, so every byte survives a round trip.
#include <optional>

namespace tessark::cp1252 {

wchar_t ToUnicode(unsigned char byte);
// The byte of a character, or nothing when the code page has no such character.
std::optional<unsigned char> FromUnicode(wchar_t c);

} // namespace tessark::cp1252
