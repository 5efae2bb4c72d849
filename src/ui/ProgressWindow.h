#pragma once
// A long piece of work done on the window's own thread, with a gauge and an
// "Annuler" button over the window it was asked from. The window stays
// painted, the user can stop the work, and nothing else takes input meanwhile.
#include "ui/Gauge.h"
#include "ui/Window.h"

#include <string>
#include <string_view>

namespace tessark {

inline constexpr wchar_t ProgressWindowClass[] = L"TessarkProgression";

class ProgressWindow final : public Window {
public:
    // Nothing shows before the work has run for `showAfter` ms: a short one
    // goes by without a flash.
    ProgressWindow(IDialogs& dialogs, HWND owner, std::wstring_view caption, std::wstring_view text,
                   DWORD showAfter = 300);
    ~ProgressWindow() override;

    // Tells how much is done (0 to 1) and answers the window; false once the
    // user has asked to cancel.
    bool Step(double done);
    HWND CancelButton() const { return cancel_; }
    const TGauge& Gauge() const { return gauge_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    IDialogs& dialogs() override { return dialogs_; }

private:
    void ShowOverOwner();
    void AnswerMessages();

    IDialogs& dialogs_;
    HWND owner_;
    bool ownerWasEnabled_ = false;
    DWORD showAfter_;
    ULONGLONG started_;
    ULONGLONG answered_ = 0;
    bool shown_ = false;
    bool cancelled_ = false;
    HWND text_ = nullptr;
    HWND cancel_ = nullptr;
    TGauge gauge_;
};

} // namespace tessark
