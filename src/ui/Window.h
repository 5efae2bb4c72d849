#pragma once
// A thin layer over Win32 windows: a class whose messages reach a C++ object,
// with the one guard that keeps exceptions from crossing the window procedure.
#include "ui/Dialogs.h"
#include "util/Win32.h"

#include <optional>
#include <string>
#include <string_view>

namespace tessark {

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND hwnd() const { return hwnd_; }

protected:
    // Registers the class once and creates the window with `this` attached;
    // its size is given in units (see Dpi.h).
    void CreateTopLevel(const wchar_t* className, std::wstring_view caption, DWORD style,
                        int width, int height, HMENU menu);
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);
    virtual IDialogs& dialogs() = 0;
    // After a change of DPI has placed the controls again and resized the
    // window: what else the window sizes or draws by the DPI.
    virtual void DpiChanged() {}

private:
    void FollowDpiChange(int dpi, const RECT& suggested);
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
};

// Child windows are placed in units (see Dpi.h).
// A plain container child window. Buttons and other controls inside it send
// their notifications to it; it hands them on to its top-level window, so that
// all handlers live on the window that owns the tool's state.
HWND CreatePanel(HWND parent, int id, int x, int y, int width, int height, bool visible);
// A static control on a panel written in `colour`; nothing gives it back the
// window text's colour.
void SetPanelLabelColour(HWND label, std::optional<COLORREF> colour);

// Child controls.
HWND CreateChild(HWND parent, const wchar_t* className, std::wstring_view text, DWORD style,
                 int x, int y, int width, int height, int id, DWORD exStyle = 0);
// The message font, or the bold interface font, at the control's DPI.
void UseGuiFont(HWND control);
void UseBoldGuiFont(HWND control);
// Moves a top-level window to the middle of the screen, keeping its size.
void CentreOnScreen(HWND window);
// Resizes a top-level window, keeping its top-left corner, so that its client
// area measures the given units at its DPI, whatever its frame and menu take.
void SetClientSize(HWND window, int width, int height);

// Makes `owner` the owner of `form`, shows `form` in front of it, disabled,
// and dispatches messages (with the dialog keys: Enter, Escape, Tab) until
// `result` is set; then hides it.
// A quit request ends the loop as a cancel and is passed on.
ModalResult RunModalLoop(HWND form, HWND owner, HWND focus, ModalResult& result);

std::wstring WindowText(HWND hwnd);
void SetWindowTextOf(HWND hwnd, std::wstring_view text);

} // namespace tessark
