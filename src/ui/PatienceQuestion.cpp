#include "ui/PatienceQuestion.h"

#include "util/Messages.h"

#include <string>

namespace tessark {

KeepWaiting AskWhetherToStop(IDialogs& dialogs, HWND owner, std::wstring_view pattern, DWORD patience)
{
    return [&dialogs, owner, pattern = std::wstring(pattern), patience, waited = ULONGLONG{0}]() mutable {
        waited += patience;
        const std::wstring seconds = std::to_wstring((waited + 999) / 1000);
        return dialogs.MessageDlg(owner, FormatMessageText(pattern, seconds), DialogKind::Confirmation,
                                  {DialogButton::Yes, DialogButton::No}) != DialogButton::Yes;
    };
}

} // namespace tessark
