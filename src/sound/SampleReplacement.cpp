#include "sound/SampleReplacement.h"

#include "util/Win32.h"
#include "util/FmxUtils.h"
#include "util/ReplacementFile.h"

#include <functional>
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

[[noreturn]] void Refuse(std::wstring_view pattern, std::wstring_view path)
{
    throw ReplacementRefused(FormatMessageText(pattern, path));
}

// Moves the old backup out of the way, so that it can come back if the
// replacement fails. Returns where it went, or nothing when there was none.
std::optional<std::wstring> SetOldBackupAside(const std::wstring& backup)
{
    const DWORD attributes = GetFileAttributesW(backup.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return std::nullopt;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        Refuse(msg::BackupIsFolder, backup);
    if (FileHasAttributes(backup, FILE_ATTRIBUTE_READONLY))
        Refuse(msg::OldBackupNotDeleted, backup);
    std::wstring aside = UnusedNameBeside(backup, L".~old");
    if (!RenameFile(backup, aside))
        Refuse(msg::OldBackupNotDeleted, backup);
    return aside;
}

// Sets the original aside as the backup, then has `writeNew` write the new
// content under its name; puts everything back if that fails.
void ReplaceWith(const std::wstring& original, const std::wstring& backup, const std::function<void()>& writeNew)
{
    if (FileHasAttributes(original, FILE_ATTRIBUTE_READONLY))
        Refuse(msg::OriginalReadOnly, original);
    const std::optional<std::wstring> oldBackup = SetOldBackupAside(backup);
    auto putOldBackupBack = [&] {
        if (oldBackup)
            RenameFile(*oldBackup, backup);
    };
    if (!RenameFile(original, backup)) {
        putOldBackupBack();
        Refuse(msg::OriginalNotRenamed, original);
    }
    try {
        writeNew();
    } catch (...) {
        RenameFile(backup, original);
        putOldBackupBack();
        throw;
    }
    if (oldBackup)
        DeleteFileW(oldBackup->c_str());
}

} // namespace

bool IsSameFile(const std::wstring& a, const std::wstring& b)
{
    const auto first = IdentityOf(a);
    return first && first == IdentityOf(b);
}

void ReplaceSample(const std::wstring& original, const std::wstring& replacement, const std::wstring& backup)
{
    ReplaceWith(original, backup, [&] { CopyOneFile(replacement, original); });
}

void ReplaceSampleWithContent(const std::wstring& original, const std::string& content, const std::wstring& backup)
{
    ReplaceWith(original, backup, [&] {
        ReplacementFile out(original);
        out.Write(content.data(), content.size());
        out.Commit(false);
    });
}

} // namespace tessark
