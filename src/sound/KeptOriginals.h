#pragma once
// The game's own samples, kept once in a folder "Originaux" beside them
// before the first replacement, so that no chain of replacements (whose
// ".bak" holds only the content before the last one) can lose them.
#include <optional>
#include <string>

namespace tessark {

inline constexpr wchar_t KeptOriginalsFolderName[] = L"Originaux";

// "...\Samples\Originaux\porte.wav" for "...\Samples\porte.wav".
std::wstring KeptOriginalPath(const std::wstring& sample);
// True when `sample` lies in a folder "Originaux": it is a kept original itself.
bool IsInKeptOriginalsFolder(const std::wstring& sample);
// True when a kept original of `sample` stands in "Originaux".
bool HasKeptOriginal(const std::wstring& sample);
// True when `sample` has a kept original whose bytes differ from its own.
bool DiffersFromKeptOriginal(const std::wstring& sample);

// What KeepOriginal made, so that a replacement that fails afterwards can
// leave the folder as it found it.
struct NewlyKept {
    std::wstring copy;
    std::wstring createdFolder;  // empty when "Originaux" was there already
};

// Keeps an exact copy of `sample` in "Originaux" unless one is kept already
// (then nothing is made and nothing returned). The copy is written under a
// temporary name and only then given its own, never over an existing file.
// Raises ReplacementRefused, with nothing left behind, when the sample cannot
// be read, a file is named "Originaux", the folder is read-only, or the copy
// cannot be written (a full disk included).
std::optional<NewlyKept> KeepOriginal(const std::wstring& sample);
// Removes what KeepOriginal made; the sample itself is never touched.
void DropNewlyKept(const NewlyKept& kept);

} // namespace tessark
