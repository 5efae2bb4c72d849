#include "sound/SampleRestore.h"

#include "sound/KeptOriginals.h"
#include "sound/SoundFileCheck.h"
#include "util/BackupReplacement.h"
#include "util/FileNames.h"
#include "util/FmxUtils.h"
#include "util/Messages.h"
#include "util/Win32.h"

#include <algorithm>

namespace tessark {
namespace {

constexpr BackupRefusalTexts RestoreRefusals{msg::RestoreReadOnly, msg::RestoreOldBackupNotDeleted,
                                             msg::RestoreNotRenamed, msg::RestoreBackupIsFolder};

bool IsSampleName(const std::wstring& name)
{
    const std::wstring ext = AsciiUpper(ExtractFileExt(name));
    return ext == L".WAV" || ext == L".MID";
}

// The format alone: what the game would play wrongly is not the point here.
std::wstring FormatOf(const std::wstring& path)
{
    if (AsciiUpper(ExtractFileExt(path)) == L".MID")
        return L"MIDI";
    const auto described = DescribeSampleOnDisk(path);
    if (!described)
        return std::wstring(msg::SampleNotRead);
    return described->format.empty() ? described->Text() : described->format;
}

std::wstring FormatAndSize(const std::wstring& path)
{
    return FormatOf(path) + L", " + FormatMessageText(msg::SizeInBytes, std::to_wstring(FileSizeOf(path)));
}

} // namespace

void RestoreKeptOriginal(const std::wstring& sample)
{
    const std::wstring kept = KeptOriginalPath(sample);
    ReplaceKeepingBackup(sample, ChangeFileExt(sample, L".bak"), RestoreRefusals, [&] { CopyOneFile(kept, sample); });
}

std::vector<std::wstring> ChangedSamplesIn(const std::wstring& folder)
{
    const std::wstring base = IncludeTrailingBackslash(folder);
    std::vector<std::wstring> names = FileNamesIn(base + KeptOriginalsFolderName);
    std::sort(names.begin(), names.end(),
              [](const std::wstring& a, const std::wstring& b) { return AsciiUpper(a) < AsciiUpper(b); });
    std::vector<std::wstring> changed;
    for (const std::wstring& name : names)
        if (IsSampleName(name) && FileExists(base + name) && DiffersFromKeptOriginal(base + name))
            changed.push_back(base + name);
    return changed;
}

std::wstring ChangedSampleLine(const std::wstring& sample)
{
    constexpr std::wstring_view indent = L"\n    ";
    return ExtractFileName(sample) + std::wstring(indent) + std::wstring(msg::KeptSide) +
           FormatAndSize(KeptOriginalPath(sample)) + std::wstring(indent) + std::wstring(msg::CurrentSide) +
           FormatAndSize(sample);
}

std::wstring KeptOriginalNote(const std::wstring& sample)
{
    if (!DiffersFromKeptOriginal(sample))
        return {};
    return FormatMessageText(msg::ModifiedKeptOriginal, FormatOf(KeptOriginalPath(sample)));
}

} // namespace tessark
