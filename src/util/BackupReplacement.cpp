#include "util/BackupReplacement.h"

#include "util/FmxUtils.h"
#include "util/Win32.h"

#include <optional>

namespace tessark {
namespace {

[[noreturn]] void Refuse(std::wstring_view pattern, std::wstring_view path)
{
    throw ReplacementRefused(FormatMessageText(pattern, path));
}

// Moves the old backup out of the way, so that it can come back if the
// replacement fails. Returns where it went, or nothing when there was none.
std::optional<std::wstring> SetOldBackupAside(const std::wstring& backup, const BackupRefusalTexts& texts)
{
    const DWORD attributes = GetFileAttributesW(backup.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return std::nullopt;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        Refuse(texts.backupIsFolder, backup);
    if (FileHasAttributes(backup, FILE_ATTRIBUTE_READONLY))
        Refuse(texts.oldBackupNotDeleted, backup);
    std::wstring aside = UnusedNameBeside(backup, L".~old");
    if (!RenameFile(backup, aside))
        Refuse(texts.oldBackupNotDeleted, backup);
    return aside;
}

} // namespace

void ReplaceKeepingBackup(const std::wstring& original, const std::wstring& backup, const BackupRefusalTexts& texts,
                          const std::function<void()>& writeNew)
{
    if (FileHasAttributes(original, FILE_ATTRIBUTE_READONLY))
        Refuse(texts.originalReadOnly, original);
    const std::optional<std::wstring> oldBackup = SetOldBackupAside(backup, texts);
    auto putOldBackupBack = [&] {
        if (oldBackup)
            RenameFile(*oldBackup, backup);
    };
    if (!RenameFile(original, backup)) {
        putOldBackupBack();
        Refuse(texts.originalNotRenamed, original);
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

} // namespace tessark
