#include "LayoutChecks.h"
#include "UiHarness.h"

#include "ui/Dpi.h"
#include "ui/Window.h"

#include <algorithm>
#include <iterator>
#include <optional>

namespace tessark::test {
namespace {

std::wstring Describe(HWND window)
{
    return L"#" + std::to_wstring(GetDlgCtrlID(window)) + L" " + ClassOf(window) + L" \"" + WindowText(window) +
           L"\"";
}

std::vector<HWND> VisibleDescendants(HWND root)
{
    std::vector<HWND> found;
    EnumChildWindows(
        root,
        [](HWND child, LPARAM list) {
            if (IsWindowVisible(child))
                reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// The room a caption has: the client area less what the control draws
// around its text (the box of a check box, the frame of a button).
struct Room {
    int width;
    int height;
    bool wraps;
};

std::optional<Room> RoomForCaption(HWND control)
{
    const std::wstring kind = ClassOf(control);
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    RECT client{};
    GetClientRect(control, &client);
    const int dpi = DpiOf(control);
    const int width = client.right, height = client.bottom;
    if (_wcsicmp(kind.c_str(), L"Button") == 0) {
        switch (style & BS_TYPEMASK) {
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON: return Room{width - Scale(6, dpi), height - Scale(4, dpi), false};
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON: return Room{width - Scale(17, dpi), height, false};
        case BS_GROUPBOX: return Room{width - Scale(12, dpi), height, false};
        default: return std::nullopt;  // drawn by the program itself
        }
    }
    if (_wcsicmp(kind.c_str(), L"Static") == 0) {
        const LONG type = style & SS_TYPEMASK;
        if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_LEFTNOWORDWRAP)
            return std::nullopt;
        if (style & (SS_ENDELLIPSIS | SS_PATHELLIPSIS | SS_WORDELLIPSIS))
            return std::nullopt;
        return Room{width, height, type != SS_LEFTNOWORDWRAP};
    }
    return std::nullopt;
}

bool CaptionFits(HWND control, const Room& room)
{
    std::wstring text = WindowText(control);
    text.erase(std::remove(text.begin(), text.end(), L'&'), text.end());
    if (text.empty())
        return true;
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT needed{0, 0, std::max(1, room.width), 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed,
              DT_CALCRECT | DT_NOPREFIX | (room.wraps ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return needed.right <= room.width && needed.bottom <= room.height;
}

} // namespace

void SimulateDpi(HWND topLevel, int dpi)
{
    RECT frame{};
    GetWindowRect(topLevel, &frame);
    const int before = DpiOf(topLevel);
    RECT suggested{frame.left, frame.top, frame.left + MulDiv(frame.right - frame.left, dpi, before),
                   frame.top + MulDiv(frame.bottom - frame.top, dpi, before)};
    SendMessageW(topLevel, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

std::vector<std::wstring> CutCaptions(HWND root)
{
    std::vector<std::wstring> cut;
    for (HWND control : VisibleDescendants(root))
        if (const auto room = RoomForCaption(control); room && !CaptionFits(control, *room))
            cut.push_back(Describe(control));
    return cut;
}

std::vector<std::wstring> CutPushButtonCaptions(HWND root)
{
    std::vector<std::wstring> cut;
    for (HWND control : VisibleDescendants(root)) {
        const LONG type = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
        if (_wcsicmp(ClassOf(control).c_str(), L"Button") != 0 || (type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON))
            continue;
        if (const auto room = RoomForCaption(control); room && !CaptionFits(control, *room))
            cut.push_back(Describe(control));
    }
    return cut;
}

std::vector<std::wstring> OutsideTheirParent(HWND root)
{
    std::vector<std::wstring> outside;
    for (HWND child : VisibleDescendants(root)) {
        if (GetWindowLongW(child, GWL_STYLE) & WS_POPUP)
            continue;
        HWND parent = GetParent(child);
        RECT client{}, box{};
        GetClientRect(parent, &client);
        MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&client), 2);
        GetWindowRect(child, &box);
        if (box.left < client.left || box.top < client.top || box.right > client.right || box.bottom > client.bottom)
            outside.push_back(Describe(child) + L" in " + Describe(parent));
    }
    return outside;
}

std::vector<std::wstring> OverlappingSiblings(HWND root)
{
    const auto isFrame = [](HWND window) {
        return _wcsicmp(ClassOf(window).c_str(), L"Button") == 0 &&
               (GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
    };
    std::vector<HWND> placed;
    for (HWND child : VisibleDescendants(root))
        if (!(GetWindowLongW(child, GWL_STYLE) & WS_POPUP) && !isFrame(child))
            placed.push_back(child);
    std::vector<std::wstring> overlapping;
    for (std::size_t i = 0; i < placed.size(); ++i)
        for (std::size_t j = i + 1; j < placed.size(); ++j) {
            if (GetParent(placed[i]) != GetParent(placed[j]))
                continue;
            RECT a{}, b{}, common{};
            GetWindowRect(placed[i], &a);
            GetWindowRect(placed[j], &b);
            if (IntersectRect(&common, &a, &b))
                overlapping.push_back(Describe(placed[i]) + L" and " + Describe(placed[j]));
        }
    return overlapping;
}

Capture CaptureWindow(HWND window)
{
    RECT frame{};
    GetWindowRect(window, &frame);
    Capture capture{frame.right - frame.left, frame.bottom - frame.top, {}};
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), capture.width, -capture.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, capture.width, capture.height, screen, frame.left, frame.top, SRCCOPY);
    GdiFlush();
    const auto* first = static_cast<const std::uint32_t*>(bits);
    capture.pixels.assign(first, first + static_cast<std::size_t>(capture.width) * capture.height);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return capture;
}

void LetDrawingReachTheScreen()
{
    // Wine hands a window's drawing to the X server a moment after it is made.
    const DWORD until = GetTickCount() + 150;
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(10);
    } while (static_cast<LONG>(until - GetTickCount()) > 0);
}

// Paints over the window and every child in it, so that a part that nothing
// draws afresh shows.
void PaintOver(HWND window)
{
    RECT frame{};
    GetWindowRect(window, &frame);
    OffsetRect(&frame, -frame.left, -frame.top);
    HDC dc = GetDCEx(window, nullptr, DCX_WINDOW | DCX_CACHE);
    HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
    FillRect(dc, &frame, magenta);
    DeleteObject(magenta);
    ReleaseDC(window, dc);
}

Capture CaptureRedrawn(HWND window)
{
    PaintOver(window);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    LetDrawingReachTheScreen();
    return CaptureWindow(window);
}

std::size_t DifferingPixels(const Capture& a, const Capture& b)
{
    if (a.width != b.width || a.height != b.height)
        return std::max(a.pixels.size(), b.pixels.size());
    std::size_t count = 0;
    for (std::size_t i = 0; i < a.pixels.size(); ++i)
        count += a.pixels[i] != b.pixels[i];
    return count;
}

RECT DifferingBox(const Capture& a, const Capture& b)
{
    RECT box{a.width, a.height, 0, 0};
    if (a.width != b.width || a.height != b.height)
        return RECT{0, 0, std::max(a.width, b.width), std::max(a.height, b.height)};
    for (int y = 0; y < a.height; ++y) {
        for (int x = 0; x < a.width; ++x) {
            const std::size_t at = static_cast<std::size_t>(y) * a.width + x;
            if (a.pixels[at] == b.pixels[at])
                continue;
            box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
                   std::max<LONG>(box.bottom, y + 1)};
        }
    }
    return box.right > box.left ? box : RECT{};
}

} // namespace tessark::test
