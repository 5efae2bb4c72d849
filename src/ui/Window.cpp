#include "ui/Window.h"

#include "ui/Dpi.h"
#include "ui/PushButton.h"
#include "util/HourGlass.h"

#include <commctrl.h>

#include <stdexcept>
#include <string>

namespace tessark {
namespace {

std::string NarrowForDisplay(std::wstring_view text)
{
    std::string narrow;
    for (wchar_t c : text)
        narrow.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return narrow;
}

constexpr wchar_t PanelClass[] = L"TessarkPanel";
constexpr wchar_t LabelColourProperty[] = L"TessarkPanelLabelColour";
// Set above every COLORREF, so that black is told from no colour at all.
constexpr UINT_PTR ColourMark = 0x1000000;

std::optional<COLORREF> PanelLabelColour(HWND label)
{
    const auto held = reinterpret_cast<UINT_PTR>(GetPropW(label, LabelColourProperty));
    if (!(held & ColourMark))
        return std::nullopt;
    return static_cast<COLORREF>(held & ~ColourMark);
}

bool IsForwardedToOwner(UINT message)
{
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
        return true;
    default:
        return false;
    }
}

LRESULT CALLBACK PanelProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CTLCOLORSTATIC) {
        if (const auto colour = PanelLabelColour(reinterpret_cast<HWND>(lParam))) {
            auto dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, *colour);
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
    }
    if (IsForwardedToOwner(message)) {
        if (HWND top = GetAncestor(hwnd, GA_ROOT); top && top != hwnd)
            return SendMessageW(top, message, wParam, lParam);
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void RegisterPanelClass()
{
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = PanelProcedure;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = PanelClass;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
}

// A group box draws its frame and caption only, and the panel it covers
// leaves it out of its own erasing: without this, its inside would keep
// whatever the screen showed there before.
LRESULT CALLBACK GroupFrameProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (message == WM_ERASEBKGND) {
        RECT inside{};
        GetClientRect(hwnd, &inside);
        FillRect(reinterpret_cast<HDC>(wParam), &inside, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

bool IsGroupFrame(const wchar_t* className, DWORD style)
{
    return _wcsicmp(className, L"BUTTON") == 0 && (style & BS_TYPEMASK) == BS_GROUPBOX;
}

bool IsPushButton(const wchar_t* className, DWORD style)
{
    const DWORD type = style & BS_TYPEMASK;
    return _wcsicmp(className, L"BUTTON") == 0 && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}

} // namespace

void SetPanelLabelColour(HWND label, std::optional<COLORREF> colour)
{
    if (colour)
        SetPropW(label, LabelColourProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(*colour) | ColourMark));
    else
        RemovePropW(label, LabelColourProperty);
    InvalidateRect(label, nullptr, TRUE);
}

Window::~Window()
{
    if (hwnd_ && IsWindow(hwnd_)) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

void Window::CreateTopLevel(const wchar_t* className, std::wstring_view caption, DWORD style,
                            int width, int height, HMENU menu)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExW(GetModuleHandleW(nullptr), className, &wc)) {
        wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = Procedure;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.hIcon = LoadIconW(GetModuleHandleW(nullptr), L"MAINICON");
        wc.lpszClassName = className;
        RegisterClassExW(&wc);
    }
    const int dpi = SystemDpi();
    if (!CreateWindowExW(0, className, std::wstring(caption).c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                         Scale(width, dpi), Scale(height, dpi), nullptr, menu, GetModuleHandleW(nullptr), this))
        throw std::runtime_error("Cannot create the window " + NarrowForDisplay(className) + " (error " +
                                 std::to_string(GetLastError()) + ")");
    SetDpiOf(hwnd_, dpi);
}

void Window::FollowDpiChange(int dpi, const RECT& suggested)
{
    SetDpiOf(hwnd_, dpi);
    ApplyDpi(hwnd_);
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    DpiChanged();
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefaultHandling(message, wParam, lParam);
}

LRESULT Window::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == WM_SETCURSOR && HourGlass::Active()) {
        HourGlass::Reassert();
        return TRUE;
    }
    LRESULT result = 0;
    if (message == WM_DPICHANGED) {
        RunGuarded(self->dialogs(), hwnd,
                   [&] { self->FollowDpiChange(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); });
        return 0;
    }
    RunGuarded(self->dialogs(), hwnd, [&] { result = self->HandleMessage(message, wParam, lParam); });
    return result;
}

HWND CreatePanel(HWND parent, int id, int x, int y, int width, int height, bool visible)
{
    RegisterPanelClass();
    const DWORD style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | (visible ? WS_VISIBLE : 0);
    const int dpi = DpiOf(parent);
    HWND panel = CreateWindowExW(WS_EX_CONTROLPARENT, PanelClass, L"", style, Scale(x, dpi), Scale(y, dpi),
                                 Scale(width, dpi), Scale(height, dpi), parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                                 nullptr);
    RememberPlacement(panel, x, y, width, height);
    return panel;
}

HWND CreateChild(HWND parent, const wchar_t* className, std::wstring_view text, DWORD style,
                 int x, int y, int width, int height, int id, DWORD exStyle)
{
    const int dpi = DpiOf(parent);
    HWND control = CreateWindowExW(exStyle, className, std::wstring(text).c_str(), style | WS_CHILD, Scale(x, dpi),
                                   Scale(y, dpi), Scale(width, dpi), Scale(height, dpi), parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                                   nullptr);
    RememberPlacement(control, x, y, width, height);
    if (IsPushButton(className, style))
        KeepCaptionClearOfFrame(control);
    UseGuiFont(control);
    if (IsGroupFrame(className, style))
        SetWindowSubclass(control, GroupFrameProcedure, 1, 0);
    return control;
}

void CentreOnScreen(HWND window)
{
    RECT frame{};
    GetWindowRect(window, &frame);
    SetWindowPos(window, nullptr, (GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetClientSize(HWND window, int width, int height)
{
    RECT frame{}, client{};
    GetWindowRect(window, &frame);
    GetClientRect(window, &client);
    const int frameWidth = (frame.right - frame.left) - client.right;
    const int frameHeight = (frame.bottom - frame.top) - client.bottom;
    SetWindowPos(window, nullptr, 0, 0, Scaled(window, width) + frameWidth, Scaled(window, height) + frameHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

ModalResult RunModalLoop(HWND form, HWND owner, HWND focus, ModalResult& result)
{
    // Owned, the form stays in front of its owner and leaves the task bar to it.
    if (owner && GetWindow(form, GW_OWNER) != owner)
        SetWindowLongPtrW(form, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    EnableWindow(owner, FALSE);
    ShowWindow(form, SW_SHOW);
    SetFocus(focus);
    MSG message;
    while (result == ModalResult::None) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));
            result = ModalResult::Cancel;
            break;
        }
        if (got < 0 || IsDialogMessageW(form, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    EnableWindow(owner, TRUE);
    ShowWindow(form, SW_HIDE);
    SetActiveWindow(owner);
    return result;
}

void UseGuiFont(HWND control)
{
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(GuiFont(DpiOf(control))), FALSE);
}

void UseBoldGuiFont(HWND control)
{
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(BoldGuiFont(DpiOf(control))), FALSE);
}

std::wstring WindowText(HWND hwnd)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

void SetWindowTextOf(HWND hwnd, std::wstring_view text)
{
    SetWindowTextW(hwnd, std::wstring(text).c_str());
}

} // namespace tessark
