#include "app/UnitApropos.h"

namespace tessark {
namespace {

constexpr wchar_t AproposClass[] = L"TessarkFicheAPropos";
constexpr int ClientWidth = 262;
constexpr int ClientHeight = 191;
constexpr int BandWidth = 232;
constexpr int BandLeft = (ClientWidth - BandWidth) / 2;
constexpr DWORD AproposStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD AproposExStyle = WS_EX_DLGMODALFRAME;
constexpr wchar_t WebAddress[] = L"https://github.com/tessark";

HFONT Font(int pixels, bool bold)
{
    return CreateFontW(-pixels, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                       L"MS Sans Serif");
}

HWND Line(HWND parent, const wchar_t* text, int top, int height, HFONT font)
{
    HWND line = CreateChild(parent, L"STATIC", text, WS_VISIBLE | SS_CENTER | SS_NOPREFIX, BandLeft, top, BandWidth,
                            height, 0);
    SendMessageW(line, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    return line;
}

} // namespace

TFicheAPropos::TFicheAPropos(IDialogs& dialogs) : dialogs_(dialogs)
{
    RECT frame{0, 0, ClientWidth, ClientHeight};
    AdjustWindowRectEx(&frame, AproposStyle, FALSE, AproposExStyle);
    CreateTopLevel(AproposClass, L"A PROPOS", AproposStyle, frame.right - frame.left, frame.bottom - frame.top,
                   nullptr);
    SetWindowLongPtrW(hwnd(), GWL_EXSTYLE, AproposExStyle);
    addressFont_ = Font(13, false);
    titleFont_ = Font(13, true);
    subtitleFont_ = Font(11, true);
    address_ = Line(hwnd(), WebAddress, 8, 18, addressFont_);
    Line(hwnd(), L"UTILITAIRE TESSARK", 32, 17, titleFont_);
    Line(hwnd(), L"pour l'éditeur de niveaux de Tomb Raider", 50, 15, subtitleFont_);
    CreateChild(hwnd(), L"BUTTON", L"OK", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 96, 160, 75, 25, IDOK);
}

TFicheAPropos::~TFicheAPropos()
{
    for (HFONT font : {addressFont_, titleFont_, subtitleFont_})
        DeleteObject(font);
}

ModalResult TFicheAPropos::RunModal(HWND owner)
{
    CentreOnScreen(hwnd());
    return RunModalLoop(hwnd(), owner, GetDlgItem(hwnd(), IDOK), result_);
}

LRESULT TFicheAPropos::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
            result_ = ModalResult::Ok;
        return 0;
    case WM_CTLCOLORSTATIC:
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        if (reinterpret_cast<HWND>(lParam) == address_)
            SetTextColor(reinterpret_cast<HDC>(wParam), RGB(0, 0, 255));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_CLOSE:
        result_ = ModalResult::Cancel;
        return 0;
    default:
        return DefaultHandling(message, wParam, lParam);
    }
}

} // namespace tessark
