#pragma once
// Pieces of Windows file names, worked out on the text alone (no file system).
#include <string>
#include <string_view>

namespace tessark {

// Everything up to and including the last '\' or ':' (empty when there is none).
std::wstring ExtractFilePath(std::wstring_view path);
// The part after the last '\' or ':'.
std::wstring ExtractFileName(std::wstring_view path);
// From the last '.' that follows the last '\' or ':' (empty when there is none).
std::wstring ExtractFileExt(std::wstring_view path);
// Replaces the extension, or appends the new one when there is none.
std::wstring ChangeFileExt(std::wstring_view path, std::wstring_view ext);
// ASCII-only upper casing, as the extension tests use it.
std::wstring AsciiUpper(std::wstring_view text);
std::wstring IncludeTrailingBackslash(std::wstring_view path);

// The installation root: the folder of the program's own path, ending in '\'.
std::wstring InstallationRootFrom(std::wstring_view programPath);

} // namespace tessark
