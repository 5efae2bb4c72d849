#include "image/PictureView.h"

#include "ui/Dpi.h"
#include "ui/Window.h"
#include "image/GameView.h"
#include "image/Picture.h"

#include <algorithm>

namespace tessark {
namespace {

constexpr wchar_t ScrollBoxClass[] = L"TessarkScrollBox";
constexpr wchar_t ImageClass[] = L"TessarkImage";
// The game view is drawn in bands of this many rows, so that a large picture
// needs no second copy of itself.
constexpr int GameViewBandRows = 64;
// One press of an arrow scrolls this far, in units; the picture itself is
// shown pixel for pixel at any DPI.
constexpr int LineStep = 16;

PictureView* ViewOf(HWND hwnd)
{
    return reinterpret_cast<PictureView*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

void Attach(HWND hwnd, LPARAM createParameters)
{
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(createParameters);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
}

void RegisterClasses();

// The scroll position along one bar: where the picture's edge is, or where it
// is centred when it fits.
int Offset(int boxLength, int pictureLength, int position)
{
    return pictureLength > boxLength ? -position : (boxLength - pictureLength) / 2;
}

} // namespace

LRESULT CALLBACK ScrollBoxProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        Attach(hwnd, lParam);
    PictureView* view = ViewOf(hwnd);
    switch (message) {
    case WM_SIZE:
        if (view)
            view->LayOut();
        return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (view && lParam == 0)
            view->Scroll(message == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(wParam));
        return 0;
    case WM_MOUSEWHEEL:
        if (view)
            view->Scroll(SB_VERT, GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? SB_LINEUP : SB_LINEDOWN);
        return 0;
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

LRESULT CALLBACK ImageProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        Attach(hwnd, lParam);
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd, &paint);
        if (PictureView* view = ViewOf(hwnd))
            view->Paint(dc, paint.rcPaint);
        EndPaint(hwnd, &paint);
        return 0;
    }
    if (message == WM_ERASEBKGND)
        return 1;
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

namespace {

void RegisterClasses()
{
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpfnWndProc = ScrollBoxProcedure;
        wc.lpszClassName = ScrollBoxClass;
        RegisterClassExW(&wc);
        wc.hbrBackground = nullptr;
        wc.lpfnWndProc = ImageProcedure;
        wc.lpszClassName = ImageClass;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
}

} // namespace

void PictureView::Create(HWND parent, int scrollBoxId, int imageId, const image::Picture* picture)
{
    RegisterClasses();
    picture_ = picture;
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    scrollBox_ = CreateWindowExW(WS_EX_CLIENTEDGE, ScrollBoxClass, L"",
                                 WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_HSCROLL | WS_VSCROLL, 0, 0, 10, 10,
                                 parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(scrollBoxId)), instance, this);
    image_ = CreateWindowExW(0, ImageClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, scrollBox_,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(imageId)), instance, this);
    LayOut();
}

void PictureView::PictureChanged()
{
    LayOut();
    InvalidateRect(image_, nullptr, FALSE);
}

void PictureView::ShowAsInGame(bool asInGame)
{
    if (asInGame == asInGame_)
        return;
    asInGame_ = asInGame;
    InvalidateRect(image_, nullptr, FALSE);
}

void PictureView::LayOut()
{
    if (layingOut_ || !scrollBox_ || !image_)
        return;
    layingOut_ = true;
    const int width = picture_ ? picture_->width() : 0, height = picture_ ? picture_->height() : 0;
    // Showing one bar narrows the room for the other: settle in two rounds.
    for (int round = 0; round < 2; ++round) {
        RECT client{};
        GetClientRect(scrollBox_, &client);
        SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE, 0, std::max(0, width - 1),
                        static_cast<UINT>(client.right), 0, 0};
        SetScrollInfo(scrollBox_, SB_HORZ, &info, TRUE);
        info.nMax = std::max(0, height - 1);
        info.nPage = static_cast<UINT>(client.bottom);
        SetScrollInfo(scrollBox_, SB_VERT, &info, TRUE);
    }
    RECT client{};
    GetClientRect(scrollBox_, &client);
    const int x = Offset(client.right, width, GetScrollPos(scrollBox_, SB_HORZ));
    const int y = Offset(client.bottom, height, GetScrollPos(scrollBox_, SB_VERT));
    MoveWindow(image_, x, y, width, height, TRUE);
    layingOut_ = false;
}

void PictureView::Scroll(int bar, int request)
{
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(scrollBox_, bar, &info);
    int position = info.nPos;
    const int page = static_cast<int>(info.nPage);
    switch (request) {
    case SB_LINEUP: position -= Scaled(scrollBox_, LineStep); break;
    case SB_LINEDOWN: position += Scaled(scrollBox_, LineStep); break;
    case SB_PAGEUP: position -= page; break;
    case SB_PAGEDOWN: position += page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: position = info.nTrackPos; break;
    case SB_TOP: position = info.nMin; break;
    case SB_BOTTOM: position = info.nMax; break;
    default: return;
    }
    position = std::clamp(position, info.nMin, std::max(info.nMin, info.nMax - page + 1));
    SetScrollPos(scrollBox_, bar, position, TRUE);
    LayOut();
}

namespace {

void DrawRows(HDC dc, int left, int top, const image::Picture& picture)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.width();
    info.bmiHeader.biHeight = -picture.height();  // rows top first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, left, top, static_cast<DWORD>(picture.width()), static_cast<DWORD>(picture.height()), 0,
                      0, 0, static_cast<UINT>(picture.height()), picture.data(), &info, DIB_RGB_COLORS);
}

} // namespace

void PictureView::Paint(HDC dc, const RECT& area) const
{
    if (!picture_ || picture_->empty())
        return;
    if (asInGame_)
        PaintAsInGame(dc, area);
    else
        DrawRows(dc, 0, 0, *picture_);
}

void PictureView::PaintAsInGame(HDC dc, const RECT& area) const
{
    const int left = std::max<int>(0, area.left), right = std::min<int>(picture_->width(), area.right);
    const int top = std::max<int>(0, area.top), bottom = std::min<int>(picture_->height(), area.bottom);
    for (int y = top; y < bottom && left < right; y += GameViewBandRows) {
        const int rows = std::min(GameViewBandRows, bottom - y);
        DrawRows(dc, left, y, image::GameViewPart(*picture_, left, y, right - left, rows));
    }
}

} // namespace tessark
