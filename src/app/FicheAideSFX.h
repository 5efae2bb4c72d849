#pragma once
// The help window: the help document with its formatting, searched forward
// with case counting, printed whole, and hidden rather than closed.
#include "ui/Dialogs.h"
#include "ui/Window.h"

#include <commdlg.h>

#include <string>
#include <string_view>

namespace tessark {

class TFicheAide final : public Window {
public:
    explicit TFicheAide(IDialogs& dialogs);
    ~TFicheAide() override;

    HWND RichEdit1() const { return richEdit1_; }
    HWND FindDialog() const { return findDialog_; }

    // Replaces the text by the document, read as rich text, or as plain
    // text when it is not. Raises the file's open error, or UserError when
    // the document is over 4 MB (the text then stays as it was).
    void LoadDocument(const std::wstring& path);
    // Shows the window in front.
    void ShowInFront();
    void ShowHelpKeyword(std::wstring_view keyword);
    void Rechercher1Click();
    void FindDialog1Find();
    void Imprimer1Click();
    void Quitter1Click();
    bool IsDialogMessageOfFind(MSG& message);
    // Escape pressed anywhere in this window closes it, as "Fermer" does.
    bool CloseOnEscape(const MSG& message);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    IDialogs& dialogs() override { return dialogs_; }
    void DpiChanged() override;

private:
    bool SelectNext(std::wstring_view keyword);
    void StreamInPlainText(const std::string& bytes);
    void ShowTop();

    IDialogs& dialogs_;
    HWND richEdit1_ = nullptr;
    HWND findDialog_ = nullptr;
    FINDREPLACEW find_{};
    wchar_t findText_[256] = {};
};

} // namespace tessark
