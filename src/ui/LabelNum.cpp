#include "ui/LabelNum.h"

#include "ui/Dpi.h"
#include "ui/Window.h"

#include <string>

namespace tessark {
namespace {

constexpr wchar_t LabelNumClass[] = L"TessarkLabelNum";

struct LabelLook {
    COLORREF background;
    HFONT font;
};

void Paint(HWND hwnd)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    const auto* look = reinterpret_cast<const LabelLook*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    RECT box{};
    GetClientRect(hwnd, &box);
    HBRUSH brush = CreateSolidBrush(look ? look->background : GetSysColor(COLOR_BTNFACE));
    FillRect(dc, &box, brush);
    DeleteObject(brush);
    HGDIOBJ oldFont = SelectObject(dc, look ? look->font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    const std::wstring text = WindowText(hwnd);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    EndPaint(hwnd, &paint);
}

LRESULT CALLBACK LabelNumProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCCREATE:
        SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        break;
    case WM_NCDESTROY:
        delete reinterpret_cast<LabelLook*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        break;
    case WM_SETTEXT: {
        const LRESULT result = DefWindowProcW(hwnd, message, wParam, lParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return result;
    }
    case WM_SETFONT:
        if (auto* look = reinterpret_cast<LabelLook*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA))) {
            look->font = reinterpret_cast<HFONT>(wParam);
            if (LOWORD(lParam))
                InvalidateRect(hwnd, nullptr, TRUE);
        }
        return 0;
    case WM_GETFONT: {
        const auto* look = reinterpret_cast<const LabelLook*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        return reinterpret_cast<LRESULT>(look ? look->font : nullptr);
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        Paint(hwnd);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void RegisterLabelNumClass()
{
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = LabelNumProcedure;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = LabelNumClass;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
}

} // namespace

TLabelNum::TLabelNum(HWND parent, int id, int x, int y, int width, int height, COLORREF background, bool bold)
{
    RegisterLabelNumClass();
    const int dpi = DpiOf(parent);
    auto* look = new LabelLook{background, bold ? BoldGuiFont(dpi) : StockGuiFont(dpi)};
    label_ = CreateWindowExW(0, LabelNumClass, L"", WS_CHILD | WS_VISIBLE, Scale(x, dpi), Scale(y, dpi),
                             Scale(width, dpi), Scale(height, dpi), parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), look);
    if (!label_) {
        delete look;
        return;
    }
    RememberPlacement(label_, x, y, width, height);
}

void TLabelNum::SetValeur(std::int32_t value)
{
    valeur_ = value;
    SetWindowTextOf(label_, std::to_wstring(value));
}

} // namespace tessark
