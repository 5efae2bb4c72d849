#pragma once
// The check of a sample on disk before it reaches the media player or the game.
#include "sound/SampleFormat.h"
#include "sound/SoundFile.h"

#include <optional>
#include <string>

namespace tessark {

// "Fichier son incorrect : <name>" and the reason, when the structure of the
// file at `path` is damaged: a ".MID" file is checked as MIDI, anything else
// as WAV. Nothing when the file is sound, or when it cannot be opened or read
// (whoever opens it next reports that).
std::optional<std::wstring> DamagedSoundMessage(const std::wstring& path);

// The format of the WAV sample at `path` and what the game would play
// wrongly; nothing when the file cannot be opened or read.
std::optional<sound::SampleDescription> DescribeSampleOnDisk(const std::wstring& path);

// The structure of the WAV file at `path`; nothing when it cannot be opened.
std::optional<sound::SoundCheck> CheckWaveOnDisk(const std::wstring& path);

} // namespace tessark
