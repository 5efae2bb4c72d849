#include "ui/PushButton.h"

#include "ui/Dpi.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

namespace tessark {
namespace {

constexpr UINT_PTR FitSubclass = 2;
constexpr wchar_t ChosenFontProperty[] = L"TessarkChosenFont";
constexpr int MarginUnits = 3;
// Windows' own fonts (Segoe UI) are wider than the ones the sizes were made
// for; a quarter of the height less is as far as a caption may shrink and
// stay easy to read.
constexpr int MostShrinkDivisor = 4;

std::wstring CaptionOf(HWND button)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(button)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(button, text.data(), static_cast<int>(text.size()))));
    text.erase(std::remove(text.begin(), text.end(), L'&'), text.end());
    return text;
}

bool FitsIn(HWND button, HFONT font, const std::wstring& caption, int room)
{
    HDC dc = GetDC(button);
    HGDIOBJ old = SelectObject(dc, font);
    RECT needed{0, 0, std::max(1, room), 0};
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &needed, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(button, dc);
    return needed.right <= room;
}

int HeightOf(HFONT font)
{
    LOGFONTW face{};
    GetObjectW(font, sizeof face, &face);
    return face.lfHeight < 0 ? -face.lfHeight : face.lfHeight;
}

// The chosen font, or the largest smaller one of its kind that lets the
// caption keep its margins; a font not of the interface's own stays as chosen.
HFONT FittingFont(HWND button, HFONT chosen)
{
    RECT client{};
    GetClientRect(button, &client);
    const int room = client.right - 2 * Scaled(button, MarginUnits);
    const std::wstring caption = CaptionOf(button);
    const int mostSmaller = HeightOf(chosen) / MostShrinkDivisor;
    HFONT font = chosen;
    for (int smaller = 1; smaller <= mostSmaller && !FitsIn(button, font, caption, room); ++smaller) {
        HFONT next = SmallerFont(chosen, smaller);
        if (!next)
            break;
        font = next;
    }
    return font;
}

void Refit(HWND button)
{
    const auto chosen = static_cast<HFONT>(GetPropW(button, ChosenFontProperty));
    if (!chosen)
        return;
    const auto fitting = FittingFont(button, chosen);
    if (reinterpret_cast<HFONT>(DefSubclassProc(button, WM_GETFONT, 0, 0)) != fitting)
        DefSubclassProc(button, WM_SETFONT, reinterpret_cast<WPARAM>(fitting), TRUE);
}

LRESULT CALLBACK FitProcedure(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    switch (message) {
    case WM_SETFONT:
        SetPropW(button, ChosenFontProperty, reinterpret_cast<HANDLE>(wParam));
        return DefSubclassProc(button, message, reinterpret_cast<WPARAM>(FittingFont(button, reinterpret_cast<HFONT>(wParam))),
                               lParam);
    case WM_SIZE:
    case WM_SETTEXT: {
        const LRESULT result = DefSubclassProc(button, message, wParam, lParam);
        Refit(button);
        return result;
    }
    case WM_NCDESTROY:
        RemovePropW(button, ChosenFontProperty);
        RemoveWindowSubclass(button, FitProcedure, FitSubclass);
        return DefSubclassProc(button, message, wParam, lParam);
    default:
        return DefSubclassProc(button, message, wParam, lParam);
    }
}

} // namespace

void KeepCaptionClearOfFrame(HWND button)
{
    SetWindowSubclass(button, FitProcedure, FitSubclass, 0);
}

} // namespace tessark
