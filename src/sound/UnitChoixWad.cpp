#include "sound/UnitChoixWad.h"

#include "sound/WadNames.h"
#include "util/FileIO.h"
#include "util/FmxUtils.h"
#include "util/InstallLayout.h"

#include <algorithm>

namespace tessark {
namespace {

constexpr wchar_t ChooserClass[] = L"TessarkFicheChoixWad";
constexpr int ClientWidth = 258;
constexpr int ClientHeight = 246;
constexpr int ListeWadsId = 100;
constexpr DWORD ChooserStyle = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;
constexpr DWORD ChooserExStyle = WS_EX_DLGMODALFRAME;
// Room for the few pixels the list leaves left and right of an entry's text.
constexpr int EntryMargin = 6;

std::wstring ListEntry(HWND list, int index)
{
    std::wstring text(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, index, 0)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

} // namespace

TFicheChoixWad::TFicheChoixWad(IDialogs& dialogs, std::wstring installationRoot)
    : dialogs_(dialogs), installationRoot_(std::move(installationRoot))
{
    CreateTopLevel(ChooserClass, L"Choisir le WAD", ChooserStyle, ClientWidth, ClientHeight, nullptr);
    SetWindowLongPtrW(hwnd(), GWL_EXSTYLE, ChooserExStyle);
    SetClientSize(hwnd(), ClientWidth, ClientHeight);
    CreateControls();
}

void TFicheChoixWad::CreateControls()
{
    CreateChild(hwnd(), L"STATIC", L"Sélectionnez le fichier  WAD pour lequel", WS_VISIBLE | SS_LEFT, 12, 8, 236,
                15, 0);
    CreateChild(hwnd(), L"STATIC", L"construire les deux fichiers SFX et SAM", WS_VISIBLE | SS_LEFT, 12, 24, 236,
                15, 0);
    listeWads_ = CreateChild(hwnd(), L"LISTBOX", L"",
                             WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_HASSTRINGS |
                                 LBS_NOINTEGRALHEIGHT,
                             12, 46, 234, 150, ListeWadsId, WS_EX_CLIENTEDGE);
    CreateChild(hwnd(), L"BUTTON", L"OK", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 40, 208, 80, 26, IDOK);
    CreateChild(hwnd(), L"BUTTON", L"Annuler", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 138, 208, 80, 26, IDCANCEL);
}

void TFicheChoixWad::DpiChanged()
{
    SetClientSize(hwnd(), ClientWidth, ClientHeight);
}

void TFicheChoixWad::BeginShow(HWND)
{
    result_ = ModalResult::None;
    FormShow();
}

ModalResult TFicheChoixWad::RunModal(HWND owner)
{
    CentreOnScreen(hwnd());
    return RunModalLoop(hwnd(), owner, listeWads_, result_);
}

void TFicheChoixWad::FormShow()
{
    const std::wstring list = layout::InstallPath(installationRoot_, layout::WadList);
    if (FileExists(list)) {
        const auto entries = wad::ShownEntries(ReadWholeFile(list));
        SendMessageW(listeWads_, LB_RESETCONTENT, 0, 0);
        for (const auto& entry : entries)
            SendMessageW(listeWads_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
    if (SendMessageW(listeWads_, LB_GETCOUNT, 0, 0) > 0)
        SendMessageW(listeWads_, LB_SETCURSEL, 0, 0);
    FitHorizontalExtent();
}

// The list scrolls sideways as far as its widest entry, in the list's own font.
void TFicheChoixWad::FitHorizontalExtent()
{
    HDC dc = GetDC(listeWads_);
    HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(listeWads_, WM_GETFONT, 0, 0)));
    LONG widest = 0;
    const auto count = static_cast<int>(SendMessageW(listeWads_, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const std::wstring entry = ListEntry(listeWads_, i);
        SIZE extent{};
        GetTextExtentPoint32W(dc, entry.c_str(), static_cast<int>(entry.size()), &extent);
        widest = std::max(widest, extent.cx);
    }
    SelectObject(dc, oldFont);
    ReleaseDC(listeWads_, dc);
    SendMessageW(listeWads_, LB_SETHORIZONTALEXTENT, widest > 0 ? widest + EntryMargin : 0, 0);
}

void TFicheChoixWad::BitBtn1Click()
{
    const auto selected = SendMessageW(listeWads_, LB_GETCURSEL, 0, 0);
    if (SendMessageW(listeWads_, LB_GETCOUNT, 0, 0) <= 0 || selected < 0) {
        wadChoisi_.clear();
        return;
    }
    wadChoisi_ = ListEntry(listeWads_, static_cast<int>(selected));
}

void TFicheChoixWad::EndModal(ModalResult result)
{
    result_ = result;
}

LRESULT TFicheChoixWad::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            BitBtn1Click();
            EndModal(ModalResult::Ok);
        } else if (LOWORD(wParam) == IDCANCEL) {
            EndModal(ModalResult::Cancel);
        } else if (LOWORD(wParam) == ListeWadsId && HIWORD(wParam) == LBN_DBLCLK) {
            BitBtn1Click();
            EndModal(ModalResult::Ok);
        }
        return 0;
    case WM_CLOSE:
        EndModal(ModalResult::Cancel);
        return 0;
    default:
        return DefaultHandling(message, wParam, lParam);
    }
}

} // namespace tessark
