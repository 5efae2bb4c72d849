#pragma once
// The WAD chooser: the entries of the installation's WAD list, one of which
// the sound-set builder is run for.
#include "ui/Dialogs.h"
#include "ui/Window.h"

#include <string>

namespace tessark {

class TFicheChoixWad final : public Window, public IModalForm {
public:
    TFicheChoixWad(IDialogs& dialogs, std::wstring installationRoot);

    HWND hwnd() const override { return Window::hwnd(); }
    void BeginShow(HWND owner) override;
    ModalResult RunModal(HWND owner) override;
    ModalResult Result() const override { return result_; }

    // Fills the list from the WAD list file, when there is one.
    void FormShow();
    void BitBtn1Click();
    const std::wstring& WadChoisi() const { return wadChoisi_; }
    HWND ListeWADs() const { return listeWads_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    IDialogs& dialogs() override { return dialogs_; }
    void DpiChanged() override;

private:
    void CreateControls();
    void FitHorizontalExtent();
    void EndModal(ModalResult result);

    IDialogs& dialogs_;
    std::wstring installationRoot_;
    std::wstring wadChoisi_;
    ModalResult result_ = ModalResult::None;
    HWND listeWads_ = nullptr;
};

} // namespace tessark
