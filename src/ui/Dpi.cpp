#include "ui/Dpi.h"

#include <algorithm>
#include <compare>
#include <cstdint>
#include <map>
#include <utility>

namespace tessark {
namespace {

// Window properties named by atoms made once, so that setting one adds no
// reference to a global atom.
const wchar_t* PropertyName(const wchar_t* name)
{
    return MAKEINTATOM(GlobalAddAtomW(name));
}

const wchar_t* const DpiProperty = PropertyName(L"TessarkDpi");
const wchar_t* const PlaceProperty = PropertyName(L"TessarkPlace");
const wchar_t* const SizeProperty = PropertyName(L"TessarkSize");

// Windows 10 gives each window the DPI of its screen; older systems have one.
UINT DpiForWindowOrZero(HWND window)
{
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    return getDpiForWindow ? getDpiForWindow(window) : 0;
}

enum class FontKind { Regular, Bold, Stock };

// A font is one of the kinds at a DPI, made `smaller` pixels less high.
struct FontKey {
    FontKind kind;
    int dpi;
    int smaller;
    auto operator<=>(const FontKey&) const = default;
};

struct FontCache {
    std::map<FontKey, HFONT> byKey;
    std::map<HFONT, FontKey> keyOf;
};

FontCache& Fonts()
{
    static FontCache cache;
    return cache;
}

LOGFONTW BaseFace(FontKind kind)
{
    LOGFONTW face{};
    if (kind == FontKind::Regular) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        face = metrics.lfMessageFont;
    } else {
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof face, &face);
        if (kind == FontKind::Bold)
            face.lfWeight = FW_BOLD;
    }
    return face;
}

// Scaled rounding towards zero: a font never grows past the scale, so a
// caption that fits at one DPI fits at the others.
LONG ScaleFontMeasure(LONG measure, int dpi)
{
    return static_cast<LONG>(static_cast<long long>(measure) * dpi / SystemDpi());
}

LONG Smaller(LONG height, int pixels)
{
    return height < 0 ? std::min<LONG>(-1, height + pixels) : std::max<LONG>(1, height - pixels);
}

// The system's fonts are given at the system's DPI.
HFONT FontAt(FontKey key)
{
    FontCache& cache = Fonts();
    if (const auto found = cache.byKey.find(key); found != cache.byKey.end())
        return found->second;
    LOGFONTW face = BaseFace(key.kind);
    face.lfHeight = Smaller(ScaleFontMeasure(face.lfHeight, key.dpi), key.smaller);
    face.lfWidth = ScaleFontMeasure(face.lfWidth, key.dpi);
    HFONT font = CreateFontIndirectW(&face);
    cache.byKey[key] = font;
    cache.keyOf[font] = key;
    return font;
}

HFONT FontAt(FontKind kind, int dpi)
{
    return FontAt(FontKey{kind, dpi, 0});
}

HANDLE Pack(int low, int high)
{
    const auto bits = (static_cast<std::uint32_t>(static_cast<std::uint16_t>(high)) << 16) |
                      static_cast<std::uint16_t>(low);
    return reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(bits));
}

std::pair<int, int> Unpack(HANDLE packed)
{
    const auto bits = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(packed));
    return {static_cast<std::int16_t>(bits & 0xFFFF), static_cast<std::int16_t>(bits >> 16)};
}

void PlaceAgain(HWND child, int dpi)
{
    if (!GetPropW(child, SizeProperty))
        return;
    const auto [x, y] = Unpack(GetPropW(child, PlaceProperty));
    const auto [width, height] = Unpack(GetPropW(child, SizeProperty));
    MoveWindow(child, Scale(x, dpi), Scale(y, dpi), Scale(width, dpi), Scale(height, dpi), FALSE);
}

void FontAgain(HWND child, int dpi)
{
    const auto font = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
    const auto& keys = Fonts().keyOf;
    if (const auto found = keys.find(font); found != keys.end() && found->second.dpi != dpi)
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(FontAt(found->second.kind, dpi)), FALSE);
}

BOOL CALLBACK ApplyToChild(HWND child, LPARAM dpi)
{
    PlaceAgain(child, static_cast<int>(dpi));
    FontAgain(child, static_cast<int>(dpi));
    return TRUE;
}

} // namespace

int SystemDpi()
{
    static const int dpi = [] {
        HDC screen = GetDC(nullptr);
        const int found = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        return found > 0 ? found : BaseDpi;
    }();
    return dpi;
}

int DpiOf(HWND window)
{
    HWND top = window ? GetAncestor(window, GA_ROOT) : nullptr;
    if (!top)
        return SystemDpi();
    if (const auto told = reinterpret_cast<std::uintptr_t>(GetPropW(top, DpiProperty)))
        return static_cast<int>(told);
    const UINT own = DpiForWindowOrZero(top);
    return own ? static_cast<int>(own) : SystemDpi();
}

void SetDpiOf(HWND topLevel, int dpi)
{
    SetPropW(topLevel, DpiProperty, reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(dpi)));
}

int Scale(int units, int dpi)
{
    return MulDiv(units, dpi, BaseDpi);
}

int Scaled(HWND window, int units)
{
    return Scale(units, DpiOf(window));
}

HFONT GuiFont(int dpi)
{
    return FontAt(FontKind::Regular, dpi);
}

HFONT BoldGuiFont(int dpi)
{
    return FontAt(FontKind::Bold, dpi);
}

HFONT StockGuiFont(int dpi)
{
    return FontAt(FontKind::Stock, dpi);
}

HFONT SmallerFont(HFONT font, int pixels)
{
    const auto& keys = Fonts().keyOf;
    const auto found = keys.find(font);
    if (found == keys.end())
        return nullptr;
    return FontAt(FontKey{found->second.kind, found->second.dpi, found->second.smaller + pixels});
}

void RememberPlacement(HWND child, int x, int y, int width, int height)
{
    SetPropW(child, PlaceProperty, Pack(x, y));
    SetPropW(child, SizeProperty, Pack(width, height));
}

void ApplyDpi(HWND topLevel)
{
    EnumChildWindows(topLevel, ApplyToChild, DpiOf(topLevel));
}

} // namespace tessark
