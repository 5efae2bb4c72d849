#pragma once
// File and shell helpers shared by the tools. Paths are Windows paths; a
// relative one is taken from the process's current folder.
#include "util/Win32.h"
#include "util/FileErrors.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessark {

// Copies the contents of `source` to `destination`, a file or an existing
// folder (the source's name is then kept). The copy streams through one small
// buffer and goes to a temporary file beside the destination, which takes the
// destination's place only once it is complete: a failure leaves whatever was
// there before untouched. Raises EFOpenError (source), EFCreateError
// (destination), EReadError or EWriteError.
void CopyOneFile(std::wstring_view source, std::wstring_view destination);

// Renames `source` to `destination`, never replacing an existing file. When the
// rename fails, a read-only source raises EFCantMove; otherwise the contents
// are copied (CopyOneFile) and the source stays where it was.
void MoveOneFile(std::wstring_view source, std::wstring_view destination);

// The names of the files (not folders) of `folder`, a path without the final
// '\\', that match `pattern` ("*", "*.txt"), in the order the system lists them;
// none when the folder cannot be read.
std::vector<std::wstring> FileNamesIn(const std::wstring& folder, std::wstring_view pattern = L"*");

// The size of the first directory entry matching `path` (wildcards allowed),
// or -1 when nothing matches.
std::int64_t FileSizeOf(std::wstring_view path);

// True when every bit of `mask` is set in the path's attributes; a missing
// path has none.
bool FileHasAttributes(std::wstring_view path, std::uint16_t mask);

// Asks the shell to open `file` with its default verb; does not wait. Returns
// the shell's code: above 32 the program was started, otherwise the failure.
std::intptr_t ShellStart(HWND owner, std::wstring_view file, std::wstring_view parameters,
                         std::wstring_view folder, int showCommand);

// Renames a file or folder, never replacing an existing one; false when the
// rename failed.
bool RenameFile(const std::wstring& from, const std::wstring& to);

// A name beside `path` (so on the same volume) that nothing uses yet: `path`
// followed by `mark` and, when that is taken, a number.
std::wstring UnusedNameBeside(const std::wstring& path, std::wstring_view mark);

// True when `path` names an existing file (not a folder).
bool FileExists(std::wstring_view path);

// The absolute form of a path, as the platform expands it.
std::wstring ExpandFileName(std::wstring_view path);

} // namespace tessark
