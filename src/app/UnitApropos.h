#pragma once
// The about box.
#include "app/Dialogs.h"
#include "app/Window.h"

namespace tessark {

class TFicheAPropos final : public Window, public IModalForm {
public:
    explicit TFicheAPropos(IDialogs& dialogs);
    ~TFicheAPropos() override;

    HWND hwnd() const override { return Window::hwnd(); }
    void BeginShow(HWND) override { result_ = ModalResult::None; }
    ModalResult RunModal(HWND owner) override;
    ModalResult Result() const override { return result_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    IDialogs& dialogs() override { return dialogs_; }

private:
    IDialogs& dialogs_;
    ModalResult result_ = ModalResult::None;
    HWND address_ = nullptr;
    HFONT addressFont_ = nullptr;
    HFONT titleFont_ = nullptr;
    HFONT subtitleFont_ = nullptr;
};

} // namespace tessark
