#pragma once
// Replacing one sample by another, keeping the former content as ".bak".
#include "util/BackupReplacement.h"

#include <string>

namespace tessark {

// True when both paths lead to the same file, however they are spelt
// (letter case, short names, "..", links). False when either cannot be opened.
bool IsSameFile(const std::wstring& a, const std::wstring& b);

// Renames `original` to `backup`, replacing an older backup, then writes a copy
// of `replacement` under the original's name. Raises ReplacementRefused,
// before anything is touched, when the original is read-only, a folder has the
// backup's name, or the old backup or the original cannot be renamed. When the copy fails, the original and the
// old backup are put back under their own names and the copy's error is raised.
void ReplaceSample(const std::wstring& original, const std::wstring& replacement, const std::wstring& backup);

// The same, with `content` written under the original's name instead of a copy.
void ReplaceSampleWithContent(const std::wstring& original, const std::string& content, const std::wstring& backup);

} // namespace tessark
