#pragma once
// The WAD list and the names of a sound-set build, worked out on the text alone.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessark::wad {

// The entries shown by the WAD chooser, one per line of the list file (8-bit
// Windows-1252 text): lines are kept as they are, empty ones included, each
// with its first '.' shown as a blank. An empty file gives one empty entry; a
// line break that ends the file starts no further entry.
std::vector<std::wstring> ShownEntries(std::string_view listFile);

// A line as the chooser shows it: its first '.' turned into a blank.
std::wstring ShownEntry(std::wstring_view line);

// The WAD's name from the chosen entry: its first blank turned back into '.'.
std::wstring WadNameOf(std::wstring_view chosenEntry);

// True when the WAD's name names a file right in the folder it is joined to:
// no folder part ("\\", "/", a drive's ":"), none of the characters Windows
// refuses in a file name, and not a device such as "NUL" or "COM1", which
// Windows takes in every folder whatever the extension.
bool IsPlainFileName(std::wstring_view name);

// The name of a start failure that the shell reported, for the codes that
// have one.
std::optional<std::wstring_view> StartFailureName(long long shellCode);

} // namespace tessark::wad
