#include "sound/SampleReplacement.h"

#include "util/Win32.h"
#include "util/FmxUtils.h"
#include "util/ReplacementFile.h"

#include <optional>

namespace tessark {
namespace {

struct FileIdentity {
    DWORD volume;
    DWORD indexHigh;
    DWORD indexLow;
    bool operator==(const FileIdentity&) const = default;
};

std::optional<FileIdentity> IdentityOf(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION information{};
    const bool known = GetFileInformationByHandle(file, &information) != FALSE;
    CloseHandle(file);
    if (!known)
        return std::nullopt;
    return FileIdentity{information.dwVolumeSerialNumber, information.nFileIndexHigh, information.nFileIndexLow};
}

constexpr BackupRefusalTexts SampleRefusals{msg::OriginalReadOnly, msg::OldBackupNotDeleted,
                                            msg::OriginalNotRenamed, msg::BackupIsFolder};

} // namespace

bool IsSameFile(const std::wstring& a, const std::wstring& b)
{
    const auto first = IdentityOf(a);
    return first && first == IdentityOf(b);
}

void ReplaceSample(const std::wstring& original, const std::wstring& replacement, const std::wstring& backup)
{
    ReplaceKeepingBackup(original, backup, SampleRefusals, [&] { CopyOneFile(replacement, original); });
}

void ReplaceSampleWithContent(const std::wstring& original, const std::string& content, const std::wstring& backup)
{
    ReplaceKeepingBackup(original, backup, SampleRefusals, [&] {
        ReplacementFile out(original);
        out.Write(content.data(), content.size());
        out.Commit(false);
    });
}

} // namespace tessark
