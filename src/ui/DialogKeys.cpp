#include "ui/DialogKeys.h"

#include <iterator>

namespace tessark {
namespace {

bool IsDown(int virtualKey)
{
    return (GetKeyState(virtualKey) & 0x8000) != 0;
}

bool IsInside(HWND window, HWND control)
{
    return control && (control == window || IsChild(window, control));
}

// Asked with the key alone, without the message: Wine's rich edit control
// switches to a dialog behaviour for good once it is shown the message.
UINT DialogCode(HWND control, WPARAM virtualKey)
{
    return static_cast<UINT>(SendMessageW(control, WM_GETDLGCODE, virtualKey, 0));
}

bool IsPushButton(HWND control)
{
    if (DialogCode(control, VK_RETURN) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))
        return true;
    wchar_t className[16] = {};
    GetClassNameW(control, className, static_cast<int>(std::size(className)));
    return lstrcmpiW(className, L"BUTTON") == 0 &&
           (GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW;
}

void ShowFocusMarks(HWND window)
{
    SendMessageW(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

bool MoveFocus(HWND window, HWND focus, bool backwards)
{
    if (!IsDown(VK_CONTROL) && focus != window && (DialogCode(focus, VK_TAB) & DLGC_WANTTAB))
        return false;
    HWND next = GetNextDlgTabItem(window, focus == window ? nullptr : focus, backwards);
    if (next) {
        SetFocus(next);
        ShowFocusMarks(window);
    }
    return true;
}

bool IsRadioButton(HWND control)
{
    return (DialogCode(control, VK_DOWN) & DLGC_RADIOBUTTON) != 0;
}

// Tab reaches the checked button of a row of radio buttons; the arrows check
// the next or previous one of the row, round to the other end.
bool MoveAmongRadios(HWND window, HWND focus, bool backwards)
{
    if (!IsRadioButton(focus))
        return false;
    const UINT step = backwards ? GW_HWNDPREV : GW_HWNDNEXT;
    const UINT wrap = backwards ? GW_HWNDLAST : GW_HWNDFIRST;
    for (HWND next = GetWindow(focus, step);; next = GetWindow(next, step)) {
        if (!next)
            next = GetWindow(focus, wrap);
        if (next == focus)
            return true;
        if (IsRadioButton(next) && IsWindowVisible(next) && IsWindowEnabled(next)) {
            SetFocus(next);
            ShowFocusMarks(window);
            SendMessageW(next, BM_CLICK, 0, 0);
            return true;
        }
    }
}

bool PressFocusedButton(HWND window, HWND focus)
{
    if (focus == window || !IsPushButton(focus))
        return false;
    ShowFocusMarks(window);
    SendMessageW(focus, BM_CLICK, 0, 0);
    return true;
}

} // namespace

bool HandleDialogKeys(HWND window, const MSG& message)
{
    if (message.message != WM_KEYDOWN || !IsInside(window, message.hwnd))
        return false;
    HWND focus = GetFocus();
    if (!IsInside(window, focus))
        return false;
    switch (message.wParam) {
    case VK_TAB: return MoveFocus(window, focus, IsDown(VK_SHIFT));
    case VK_RETURN: return PressFocusedButton(window, focus);
    case VK_LEFT:
    case VK_UP: return MoveAmongRadios(window, focus, true);
    case VK_RIGHT:
    case VK_DOWN: return MoveAmongRadios(window, focus, false);
    default: return false;
    }
}

void SetTabOrder(std::initializer_list<HWND> controls)
{
    HWND previous = nullptr;
    for (HWND control : controls) {
        if (previous)
            SetWindowPos(control, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = control;
    }
}

} // namespace tessark
