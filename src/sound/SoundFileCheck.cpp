#include "sound/SoundFileCheck.h"

#include "sound/FileBytes.h"
#include "util/FileNames.h"

namespace tessark {

std::optional<std::wstring> DamagedSoundMessage(const std::wstring& path)
{
    const FileBytes file(path);
    if (!file.IsOpen())
        return std::nullopt;
    const bool midi = AsciiUpper(ExtractFileExt(path)) == L".MID";
    const sound::SoundCheck check = midi ? sound::ReadMidiFile(file) : sound::ReadWaveFile(file);
    if (check.Good() || check.fault == sound::SoundFault::Unreadable)
        return std::nullopt;
    return sound::DamagedSoundText(ExtractFileName(path), check);
}

std::optional<sound::SampleDescription> DescribeSampleOnDisk(const std::wstring& path)
{
    const FileBytes file(path);
    if (!file.IsOpen())
        return std::nullopt;
    const sound::SoundCheck check = sound::ReadWaveFile(file);
    if (check.fault == sound::SoundFault::Unreadable)
        return std::nullopt;
    return sound::DescribeSample(check, file.Size());
}

std::optional<sound::SoundCheck> CheckWaveOnDisk(const std::wstring& path)
{
    const FileBytes file(path);
    if (!file.IsOpen())
        return std::nullopt;
    return sound::ReadWaveFile(file);
}

} // namespace tessark
