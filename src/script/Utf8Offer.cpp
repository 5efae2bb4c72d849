#include "script/Utf8Offer.h"

#include "script/SaveLoss.h"
#include "ui/AreaHost.h"
#include "util/BackupReplacement.h"
#include "util/FileIO.h"
#include "util/FileNames.h"
#include "util/FmxUtils.h"
#include "util/Messages.h"
#include "util/Text1252.h"
#include "util/Utf8.h"

namespace tessark {
namespace {

constexpr BackupRefusalTexts TextRefusals{msg::TextReadOnly, msg::TextOldBackupNotDeleted, msg::TextNotRenamed,
                                          msg::TextBackupIsFolder};
// Far past any script: such a file is not offered.
constexpr std::int64_t LargestText = 64 << 20;

std::wstring Question(const std::wstring& path, const cp1252::LostCharacters& lost)
{
    std::wstring text = FormatMessageText(msg::Utf8TextQuestion, ExtractFileName(path));
    if (!lost.empty())
        text += L"\n\n" + std::wstring(msg::Utf8CharactersLost) + L"\n" + script::LostCharactersText(lost);
    return text;
}

void Offer(IAreaHost& host, const std::wstring& path)
{
    if (!FileExists(path) || FileSizeOf(path) > LargestText)
        return;
    // A text that cannot be read is the compiler's to report, not ours.
    std::string bytes;
    try {
        bytes = ReadWholeFile(path);
    } catch (const UserError&) {
        return;
    }
    if (!utf8::Utf8Line(bytes))
        return;
    const cp1252::Converted converted = cp1252::FromUtf8(bytes);
    if (host.dialogs().MessageDlg(host.hwnd(), Question(path, converted.lost), DialogKind::Confirmation,
                                  {DialogButton::Yes, DialogButton::No}) != DialogButton::Yes)
        return;
    try {
        ReplaceKeepingBackup(path, ChangeFileExt(path, L".bak"), TextRefusals,
                             [&] { WriteFileSafely(path, converted.bytes); });
    } catch (const UserError& refused) {
        host.dialogs().MessageDlg(host.hwnd(), refused.text(), DialogKind::Error, {DialogButton::Ok});
    }
}

} // namespace

void OfferWindows1252(IAreaHost& host, const std::vector<std::wstring>& paths)
{
    for (const std::wstring& path : paths)
        Offer(host, path);
}

} // namespace tessark
