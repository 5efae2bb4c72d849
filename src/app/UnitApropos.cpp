#include "app/UnitApropos.h"

#include "ui/Dpi.h"
#include "app/Version.h"
#include "util/Messages.h"

#include <string>

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

struct LineLook {
    std::wstring text;
    int top;
    int height;
    int fontPixels;
    bool bold;
};

// The address first: it alone is drawn in blue. The version under the title
// is the one of the program's version resource.
const LineLook Lines[] = {
    {WebAddress, 8, 18, 13, false},
    {L"UTILITAIRE TESSARK", 32, 17, 13, true},
    {L"pour l'éditeur de niveaux de Tomb Raider", 50, 15, 11, true},
    {FormatMessageText(msg::AboutVersion, L"" TESSARK_VERSION_TEXT), 70, 15, 11, false},
};

// The lines' fonts are sized in pixels of a 96-dpi screen, like the rest.
HFONT Font(int pixels, bool bold, int dpi)
{
    return CreateFontW(-Scale(pixels, dpi), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif");
}

} // namespace

TFicheAPropos::TFicheAPropos(IDialogs& dialogs) : dialogs_(dialogs)
{
    CreateTopLevel(AproposClass, L"A PROPOS", AproposStyle, ClientWidth, ClientHeight, nullptr);
    SetWindowLongPtrW(hwnd(), GWL_EXSTYLE, AproposExStyle);
    SetClientSize(hwnd(), ClientWidth, ClientHeight);
    for (std::size_t i = 0; i < std::size(Lines); ++i)
        lines_[i] = CreateChild(hwnd(), L"STATIC", Lines[i].text, WS_VISIBLE | SS_CENTER | SS_NOPREFIX, BandLeft,
                                Lines[i].top, BandWidth, Lines[i].height, 0);
    UseLineFonts();
    CreateChild(hwnd(), L"BUTTON", L"OK", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 96, 160, 75, 25, IDOK);
}

TFicheAPropos::~TFicheAPropos()
{
    DeleteLineFonts();
}

void TFicheAPropos::UseLineFonts()
{
    const int dpi = DpiOf(hwnd());
    std::array<HFONT, std::size(Lines)> fonts{};
    for (std::size_t i = 0; i < std::size(Lines); ++i) {
        fonts[i] = Font(Lines[i].fontPixels, Lines[i].bold, dpi);
        SendMessageW(lines_[i], WM_SETFONT, reinterpret_cast<WPARAM>(fonts[i]), TRUE);
    }
    DeleteLineFonts();
    lineFonts_ = fonts;
}

void TFicheAPropos::DeleteLineFonts()
{
    for (HFONT& font : lineFonts_) {
        if (font)
            DeleteObject(font);
        font = nullptr;
    }
}

void TFicheAPropos::DpiChanged()
{
    SetClientSize(hwnd(), ClientWidth, ClientHeight);
    UseLineFonts();
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
        if (reinterpret_cast<HWND>(lParam) == lines_[0])
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
