#include "ui/ProgressWindow.h"

#include "ui/Dpi.h"

#include <algorithm>
#include <cmath>

namespace tessark {
namespace {

// Often enough to feel immediate, rarely enough to cost the work nothing.
constexpr ULONGLONG AnswerInterval = 40;
constexpr int GaugeSteps = 1000;
constexpr int GaugeId = 1;

} // namespace

ProgressWindow::ProgressWindow(IDialogs& dialogs, HWND owner, std::wstring_view caption, std::wstring_view text,
                               DWORD showAfter)
    : dialogs_(dialogs), owner_(owner), showAfter_(showAfter), started_(GetTickCount64())
{
    CreateTopLevel(ProgressWindowClass, caption, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, 340, 120,
                   nullptr);
    SetClientSize(hwnd(), 324, 96);
    text_ = CreateChild(hwnd(), L"STATIC", text, WS_VISIBLE | SS_LEFT | SS_ENDELLIPSIS, 12, 10, 300, 18, 0);
    UseGuiFont(text_);
    gauge_.Create(hwnd(), GaugeId, 12, 34, 300, 16);
    gauge_.SetMaxValue(GaugeSteps);
    cancel_ = CreateChild(hwnd(), L"BUTTON", L"Annuler", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 124, 60, 76, 25,
                          IDCANCEL);
    UseGuiFont(cancel_);
}

ProgressWindow::~ProgressWindow()
{
    if (!shown_)
        return;
    // Enabled again before this window goes, so that the owner, not some
    // other program, becomes the active window.
    EnableWindow(owner_, ownerWasEnabled_);
    ShowWindow(hwnd(), SW_HIDE);
    SetActiveWindow(owner_);
}

void ProgressWindow::ShowOverOwner()
{
    if (owner_)
        SetWindowLongPtrW(hwnd(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner_));
    CentreOnScreen(hwnd());
    ownerWasEnabled_ = EnableWindow(owner_, FALSE) == 0;
    ShowWindow(hwnd(), SW_SHOW);
    SetFocus(cancel_);
    shown_ = true;
}

bool ProgressWindow::Step(double done)
{
    const ULONGLONG now = GetTickCount64();
    if (cancelled_ || now - started_ < showAfter_ || now - answered_ < AnswerInterval)
        return !cancelled_;
    if (!shown_)
        ShowOverOwner();
    gauge_.SetProgress(static_cast<std::int32_t>(std::lround(std::clamp(done, 0.0, 1.0) * GaugeSteps)));
    AnswerMessages();
    answered_ = GetTickCount64();
    return !cancelled_;
}

// As a modal dialog's loop does; the owner being disabled, input reaches only
// this window.
void ProgressWindow::AnswerMessages()
{
    MSG message;
    while (!cancelled_ && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            cancelled_ = true;
            break;
        }
        if (IsDialogMessageW(hwnd(), &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

LRESULT ProgressWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL)
            cancelled_ = true;
        return 0;
    case WM_CLOSE:
        cancelled_ = true;
        return 0;
    default:
        return DefaultHandling(message, wParam, lParam);
    }
}

} // namespace tessark
