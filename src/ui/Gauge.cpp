#include "ui/Gauge.h"

#include "ui/Dpi.h"

#include <algorithm>

namespace tessark {
namespace {

constexpr wchar_t GaugeClass[] = L"TessarkGauge";
constexpr COLORREF Lime = RGB(0, 255, 0);
constexpr COLORREF Black = RGB(0, 0, 0);

void DrawPart(HDC dc, const RECT& part, const RECT& whole, COLORREF back, COLORREF fore, const std::wstring& text)
{
    if (part.right <= part.left)
        return;
    HBRUSH brush = CreateSolidBrush(back);
    FillRect(dc, &part, brush);
    DeleteObject(brush);
    SetTextColor(dc, fore);
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, part.left, part.top, part.right, part.bottom);
    RECT box = whole;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    RestoreDC(dc, saved);
}

// The text changes colour where the bar passes under it.
void Paint(HWND hwnd)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    const auto* gauge = reinterpret_cast<const TGauge*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    RECT whole{};
    GetClientRect(hwnd, &whole);
    const std::int32_t percent = gauge ? TGauge::PercentDone(gauge->Progress(), gauge->MaxValue()) : 0;
    const std::wstring text = gauge ? gauge->Text() : L"0%";
    RECT done = whole, left = whole;
    done.right = whole.left + static_cast<LONG>((whole.right - whole.left) * std::int64_t{percent} / 100);
    left.left = done.right;
    HGDIOBJ oldFont = SelectObject(dc, StockGuiFont(DpiOf(hwnd)));
    SetBkMode(dc, TRANSPARENT);
    DrawPart(dc, done, whole, Lime, Black, text);
    DrawPart(dc, left, whole, Black, Lime, text);
    SelectObject(dc, oldFont);
    EndPaint(hwnd, &paint);
}

LRESULT CALLBACK GaugeProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        Paint(hwnd);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

void RegisterGaugeClass()
{
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        // The text stays in the middle of the whole bar.
        wc.style = CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = GaugeProcedure;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = GaugeClass;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
}

} // namespace

void TGauge::Create(HWND parent, int id, int x, int y, int width, int height)
{
    RegisterGaugeClass();
    const int dpi = DpiOf(parent);
    gauge_ = CreateWindowExW(WS_EX_STATICEDGE, GaugeClass, L"", WS_CHILD | WS_VISIBLE, Scale(x, dpi), Scale(y, dpi),
                             Scale(width, dpi), Scale(height, dpi), parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(gauge_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    RememberPlacement(gauge_, x, y, width, height);
}

void TGauge::SetProgress(std::int32_t progress)
{
    const std::int32_t held = std::clamp(progress, std::int32_t{0}, std::max(max_, std::int32_t{0}));
    if (held == progress_)
        return;
    progress_ = held;
    InvalidateRect(gauge_, nullptr, FALSE);
}

void TGauge::SetMaxValue(std::int32_t max)
{
    max_ = max;
    progress_ = std::clamp(progress_, std::int32_t{0}, std::max(max_, std::int32_t{0}));
    InvalidateRect(gauge_, nullptr, FALSE);
}

std::int32_t TGauge::PercentDone(std::int32_t progress, std::int32_t max)
{
    if (max <= 0)
        return 0;
    return static_cast<std::int32_t>(std::int64_t{100} * progress / max);
}

std::wstring TGauge::Text() const
{
    return std::to_wstring(PercentDone(progress_, max_)) + L"%";
}

} // namespace tessark
