#include "sound/SoundSetReport.h"

#include "sound/SoundFileCheck.h"
#include "sound/SoundSet.h"
#include "sound/WaveConversion.h"
#include "util/FileIO.h"
#include "util/FileNames.h"
#include "util/Messages.h"

#include <span>
#include <vector>

namespace tessark {
namespace {

std::vector<std::wstring> SampleFolders(const std::wstring& builderFolder)
{
    const std::wstring folder = IncludeTrailingBackslash(builderFolder);
    const std::wstring parent = ExtractFilePath(folder.substr(0, folder.size() - 1));
    return {folder, parent + L"Samples\\"};
}

// The first copy of the sample the builder would take, checked as WAV.
std::optional<sound::SoundCheck> FindSample(const std::vector<std::wstring>& folders, const std::string& name)
{
    for (const std::wstring& folder : folders)
        if (auto check = CheckWaveOnDisk(folder + sound::SampleFileName(name)))
            return check;
    return std::nullopt;
}

sound::SampleFindings LookForSamples(const std::vector<std::string>& samples, const std::vector<std::wstring>& folders)
{
    sound::SampleFindings findings;
    for (const std::string& name : samples) {
        const auto check = FindSample(folders, name);
        if (!check)
            findings.missing.push_back(name);
        else if (!check->Good() || !sound::IsEngineFormat(check->wave))
            findings.wrongFormat.push_back(name);
    }
    return findings;
}

std::wstring FolderList(const std::vector<std::wstring>& folders)
{
    std::wstring list;
    for (const std::wstring& folder : folders)
        list += L"\r\n  " + folder;
    return list;
}

} // namespace

SoundSetReport ReportBuiltSoundSet(const std::wstring& sfxPath, const std::wstring& samPath,
                                   const std::wstring& builderFolder)
{
    std::string sfx;
    std::string sam;
    try {
        sfx = ReadWholeFile(sfxPath);
        sam = ReadWholeFile(samPath);
    } catch (const UserError& unreadable) {
        return {FormatMessageText(msg::SoundSetUnreadable, unreadable.text()), true};
    }
    const auto bytes = std::as_bytes(std::span(sfx));
    const sound::SoundSet set = sound::ReadSoundSet(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), sam);
    if (!set.Good())
    {
        const std::wstring& culprit = set.fault == sound::SfxFault::SamplePastSam ? samPath : sfxPath;
        return {FormatMessageText(msg::SoundSetDamaged, culprit + L"\n" + sound::SfxFaultReason(set.fault)), true};
    }
    const auto folders = SampleFolders(builderFolder);
    return {sound::SoundSetSummary(set, LookForSamples(set.samples, folders), FolderList(folders)), false};
}

} // namespace tessark
