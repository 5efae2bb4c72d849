#pragma once
// Putting a kept original back in place of its sample, one or all of a folder.
#include <string>
#include <vector>

namespace tessark {

// Puts the kept original of `sample` back under the sample's name by the
// one-level backup: the current content becomes the ".bak". Raises
// ReplacementRefused when nothing was touched, or the copy's error once the
// sample and its old backup are back in place. The kept original stays.
void RestoreKeptOriginal(const std::wstring& sample);

// The samples of `folder` whose content differs from their kept original,
// by name.
std::vector<std::wstring> ChangedSamplesIn(const std::wstring& folder);

// What a restore would change, on three lines: the sample's name, then
// "    original : 22050 Hz · 16 bits · mono · PCM · 0,45 s, 19890 octets" and
// "    actuel : ..." below it.
std::wstring ChangedSampleLine(const std::wstring& sample);

// The format of the kept original of `sample`, as shown beside the sample's
// own when they differ; empty when they do not.
std::wstring KeptOriginalNote(const std::wstring& sample);

} // namespace tessark
