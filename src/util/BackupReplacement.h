#pragma once
// The program's one-level backup: before a file is replaced, an older backup
// of it is deleted and the file takes the backup's name; the new content then
// goes under the file's name. A failure at any step puts both back.
#include "util/Messages.h"

#include <functional>
#include <string>
#include <string_view>

namespace tessark {

// A replacement that was not started, for a reason the user can act on;
// no file was changed.
class ReplacementRefused : public UserError {
public:
    using UserError::UserError;
};

// What each refusal says (each with "%s" for the path concerned).
struct BackupRefusalTexts {
    std::wstring_view originalReadOnly;
    std::wstring_view oldBackupNotDeleted;
    std::wstring_view originalNotRenamed;
    std::wstring_view backupIsFolder;
};

// Renames `original` to `backup`, replacing an older backup, then has
// `writeNew` write the new content under the original's name. Raises
// ReplacementRefused, before anything is touched, when the original is
// read-only, a folder has the backup's name, or the old backup or the original
// cannot be renamed. When `writeNew` raises, the original and the old backup
// are put back under their own names and its error goes on.
void ReplaceKeepingBackup(const std::wstring& original, const std::wstring& backup, const BackupRefusalTexts& texts,
                          const std::function<void()>& writeNew);

} // namespace tessark
