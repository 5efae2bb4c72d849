#pragma once
// The about box.
#include "ui/Dialogs.h"
#include "ui/Window.h"

#include <array>

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
    void DpiChanged() override;

private:
    void UseLineFonts();
    void DeleteLineFonts();

    IDialogs& dialogs_;
    ModalResult result_ = ModalResult::None;
    // The address, the title, the subtitle and the version, in fonts made for the DPI.
    std::array<HWND, 4> lines_{};
    std::array<HFONT, 4> lineFonts_{};
};

} // namespace tessark
