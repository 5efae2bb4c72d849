#pragma once
#include "ui/Dialogs.h"

namespace tessark {

// The real dialogs: message boxes with French titles and buttons, a task
// dialog for the questions of several ways, and the common open and save
// dialogs.
class Win32Dialogs final : public IDialogs {
public:
    DialogButton MessageDlg(HWND owner, std::wstring_view text, DialogKind kind,
                            const std::vector<DialogButton>& buttons) override;
    ModalResult ShowModal(HWND owner, IModalForm& form) override;
    void ShowMessage(HWND owner, std::wstring_view text) override;
    void ShowError(HWND owner, std::wstring_view text) override;
    std::optional<std::size_t> ChooseAmong(HWND owner, std::wstring_view text, DialogKind kind,
                                           const std::vector<DialogChoice>& choices) override;
    std::optional<std::wstring> OpenFile(HWND owner, const FileDialogRequest& request) override;
    std::optional<std::wstring> SaveFile(HWND owner, const FileDialogRequest& request) override;
    std::optional<int> AskNumber(HWND owner, const NumberRequest& request) override;
};

} // namespace tessark
