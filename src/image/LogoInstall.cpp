#include "image/LogoInstall.h"

#include "image/PictureMessages.h"
#include "util/BackupReplacement.h"
#include "util/FileNames.h"
#include "util/InstallLayout.h"
#include "util/Messages.h"
#include "util/ReplacementFile.h"
#include "util/Win32.h"

namespace tessark {
namespace {

constexpr BackupRefusalTexts GameLogoRefusals{msg::GameLogoReadOnly, msg::GameLogoOldBackupNotDeleted,
                                              msg::GameLogoNotRenamed, msg::GameLogoBackupIsFolder};

bool IsFolder(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFile(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void WriteComplete(const std::wstring& target, const std::string& bytes)
{
    ReplacementFile out(target);
    out.Write(bytes.data(), bytes.size());
    out.Commit(true);
}

void Report(IDialogs& dialogs, HWND owner, const std::wstring& text, DialogKind kind)
{
    dialogs.MessageDlg(owner, text, kind, {DialogButton::Ok});
}

} // namespace

std::optional<std::wstring> MissingGameDataFolder(const std::wstring& installationRoot)
{
    const std::wstring dataFolder = layout::InstallPath(installationRoot, layout::GameDataFolder);
    if (IsFolder(dataFolder))
        return std::nullopt;
    return FormatMessageText(msg::GameDataFolderMissing, dataFolder);
}

void OfferLogoInstall(IDialogs& dialogs, HWND owner, const std::wstring& installationRoot, const std::string& pak)
{
    const std::wstring target = layout::InstallPath(installationRoot, layout::GameLogo);
    const bool replacing = IsFile(target);
    const std::wstring question =
        FormatMessageText(msg::InstallLogoQuestion, target) + std::wstring(replacing ? msg::InstallLogoKeepsOld : L"");
    if (dialogs.MessageDlg(owner, question, DialogKind::Confirmation, {DialogButton::Yes, DialogButton::No}) !=
        DialogButton::Yes)
        return;
    if (IsFolder(target))
        return Report(dialogs, owner, FormatMessageText(msg::GameLogoIsFolder, target), DialogKind::Error);
    try {
        if (replacing)
            ReplaceKeepingBackup(target, ChangeFileExt(target, L".bak"), GameLogoRefusals,
                                 [&] { WriteComplete(target, pak); });
        else
            WriteComplete(target, pak);
    } catch (const ReplacementRefused& refused) {
        return Report(dialogs, owner, refused.text(), DialogKind::Error);
    } catch (const UserError& failure) {
        return Report(dialogs, owner, std::wstring(msg::LogoNotInstalled) + ErrorDisplayText(failure.text()),
                      DialogKind::Error);
    }
    Report(dialogs, owner, FormatMessageText(msg::LogoInstalled, target) + std::wstring(replacing ? msg::OldLogoKept : L""),
           DialogKind::Information);
}

} // namespace tessark
