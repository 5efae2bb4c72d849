#include "ui/StripLabel.h"

#include "ui/Dpi.h"
#include "ui/Window.h"

#include <commctrl.h>
#include <windowsx.h>

namespace tessark {
namespace {

constexpr wchar_t StripClass[] = L"TessarkStrip";
// A control parent: Tab goes in among its labels.
constexpr DWORD StripExStyle = WS_EX_STATICEDGE | WS_EX_CONTROLPARENT;
constexpr wchar_t ColourProperty[] = L"TessarkLabelColour";
constexpr wchar_t BrushProperty[] = L"TessarkLabelBrush";

void ReleaseBrush(HWND label)
{
    if (auto brush = static_cast<HBRUSH>(RemovePropW(label, BrushProperty)))
        DeleteObject(brush);
}

LRESULT CALLBACK StripProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CTLCOLORSTATIC: {
        auto label = reinterpret_cast<HWND>(lParam);
        auto dc = reinterpret_cast<HDC>(wParam);
        SetBkColor(dc, StripLabelColour(label));
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        if (auto brush = static_cast<HBRUSH>(GetPropW(label, BrushProperty)))
            return reinterpret_cast<LRESULT>(brush);
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_COMMAND:
        if (HWND top = GetAncestor(hwnd, GA_ROOT); top && top != hwnd)
            return SendMessageW(top, message, wParam, lParam);
        return 0;
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

void Notify(HWND label, WORD code)
{
    if (HWND top = GetAncestor(label, GA_ROOT))
        SendMessageW(top, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(label), code), reinterpret_cast<LPARAM>(label));
}

bool IsOver(HWND label, LPARAM where)
{
    RECT box{};
    GetClientRect(label, &box);
    const POINT point{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
    return PtInRect(&box, point) != FALSE;
}

bool IsPressKey(WPARAM key)
{
    return key == VK_SPACE || key == VK_RETURN;
}

// The dotted frame of the focus, drawn over the painted label.
void DrawFocusMark(HWND label)
{
    RECT box{};
    GetClientRect(label, &box);
    HDC dc = GetDC(label);
    DrawFocusRect(dc, &box);
    ReleaseDC(label, dc);
}

LRESULT CALLBACK LabelProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    switch (message) {
    case WM_GETDLGCODE:
        return DLGC_BUTTON | (IsPressKey(wParam) ? DLGC_WANTALLKEYS : 0);
    case WM_KEYDOWN:
        if (wParam == VK_SPACE && !(lParam & (1 << 30)))
            Notify(hwnd, StripLabelPressed);
        if (wParam == VK_RETURN) {
            Notify(hwnd, StripLabelPressed);
            Notify(hwnd, StripLabelReleased);
            Notify(hwnd, STN_CLICKED);
        }
        if (IsPressKey(wParam))
            return 0;
        break;
    case WM_KEYUP:
        if (wParam == VK_SPACE) {
            Notify(hwnd, StripLabelReleased);
            Notify(hwnd, STN_CLICKED);
            return 0;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(hwnd, nullptr, TRUE);
        break;
    case WM_PAINT: {
        const LRESULT painted = DefSubclassProc(hwnd, message, wParam, lParam);
        if (GetFocus() == hwnd)
            DrawFocusMark(hwnd);
        return painted;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        SetCapture(hwnd);
        Notify(hwnd, StripLabelPressed);
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        if (GetCapture() == hwnd)
            ReleaseCapture();
        Notify(hwnd, StripLabelReleased);
        if (message == WM_LBUTTONUP && IsOver(hwnd, lParam))
            Notify(hwnd, STN_CLICKED);
        return 0;
    case WM_NCHITTEST:
        return HTCLIENT;
    case WM_NCDESTROY:
        ReleaseBrush(hwnd);
        RemovePropW(hwnd, ColourProperty);
        break;
    default:
        break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

void RegisterStripClass()
{
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = StripProcedure;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = CreateSolidBrush(StripColour);
        wc.lpszClassName = StripClass;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
}

} // namespace

HWND CreateStrip(HWND parent, int id, int x, int y, int width, int height)
{
    RegisterStripClass();
    const int dpi = DpiOf(parent);
    HWND strip = CreateWindowExW(StripExStyle, StripClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                                 Scale(x, dpi), Scale(y, dpi), Scale(width, dpi), Scale(height, dpi), parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    RememberPlacement(strip, x, y, width, height);
    return strip;
}

HWND CreateStripLabel(HWND strip, int id, std::wstring_view caption, int x, int width, COLORREF background,
                      DWORD alignment)
{
    HWND label = CreateChild(strip, L"STATIC", caption, WS_VISIBLE | alignment | SS_NOPREFIX, x, 0, width, 15, id);
    // A label without a caption only fills the strip: Tab passes it by.
    if (!caption.empty())
        SetWindowLongPtrW(label, GWL_STYLE, GetWindowLongPtrW(label, GWL_STYLE) | WS_TABSTOP);
    SetWindowSubclass(label, LabelProcedure, 1, 0);
    SetStripLabelColour(label, background);
    return label;
}

void SetStripLabelColour(HWND label, COLORREF background)
{
    ReleaseBrush(label);
    SetPropW(label, ColourProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(background) + 1));
    SetPropW(label, BrushProperty, CreateSolidBrush(background));
    InvalidateRect(label, nullptr, TRUE);
}

COLORREF StripLabelColour(HWND label)
{
    const auto stored = reinterpret_cast<UINT_PTR>(GetPropW(label, ColourProperty));
    return stored ? static_cast<COLORREF>(stored - 1) : GetSysColor(COLOR_BTNFACE);
}

} // namespace tessark
