#pragma once
// Today's editors save UTF-8, which the game reads byte by byte as
// Windows-1252: the script and its language files are offered a conversion
// before they are compiled.
#include <string>
#include <vector>

namespace tessark {

class IAreaHost;

// For each file of `paths` that is UTF-8, asks whether to save it in
// Windows-1252, listing what Windows-1252 lacks; Oui keeps the UTF-8 text as
// the file's ".bak" and writes the converted one, Non leaves it as it is.
// A refused or failed conversion is reported and changes nothing.
void OfferWindows1252(IAreaHost& host, const std::vector<std::wstring>& paths);

} // namespace tessark
