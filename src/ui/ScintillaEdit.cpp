#include "ui/ScintillaEdit.h"

#include <Scintilla.h>
#include <commctrl.h>
#include <imm.h>
#include <ole2.h>

#include <exception>
#include <utility>

namespace tessark {
namespace {

bool KeyDown(int key)
{
    return (GetKeyState(key) & 0x8000) != 0;
}

// The keys with which the control pastes by itself, past WM_PASTE.
bool IsPasteKey(WPARAM key)
{
    return (key == 'V' && KeyDown(VK_CONTROL) && !KeyDown(VK_MENU)) ||
           (key == VK_INSERT && KeyDown(VK_SHIFT) && !KeyDown(VK_CONTROL));
}

std::wstring ClipboardText(HWND owner)
{
    std::wstring text;
    if (!OpenClipboard(owner))
        return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

std::wstring CompositionString(HIMC context, DWORD part)
{
    const LONG bytes = ImmGetCompositionStringW(context, part, nullptr, 0);
    if (bytes <= 0)
        return {};
    std::wstring text(static_cast<std::size_t>(bytes) / sizeof(wchar_t), L'\0');
    ImmGetCompositionStringW(context, part, text.data(), static_cast<DWORD>(bytes));
    return text;
}

} // namespace

bool RegisterScintilla()
{
    // Scintilla's class may be registered once only in a process.
    static const bool registered = Scintilla_RegisterClasses(GetModuleHandleW(nullptr)) != 0;
    return registered;
}

ScintillaEdit::ScintillaEdit(HWND parent, int controlId, const RECT& bounds, DWORD exStyle)
{
    if (!RegisterScintilla())
        return;
    window_ = CreateWindowExW(exStyle, L"Scintilla", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN,
                              bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                              parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                              GetModuleHandleW(nullptr), nullptr);
    if (!window_)
        return;
    direct_ = reinterpret_cast<DirectFunction>(SendMessageW(window_, SCI_GETDIRECTFUNCTION, 0, 0));
    directPointer_ = SendMessageW(window_, SCI_GETDIRECTPOINTER, 0, 0);
}

ScintillaEdit::~ScintillaEdit()
{
    if (controlProcedure_ && IsWindow(window_))
        SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(controlProcedure_));
    if (window_ && IsWindow(window_))
        DestroyWindow(window_);
}

std::intptr_t ScintillaEdit::Send(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) const
{
    // A paste goes through the window, where the input filter sees it.
    if (direct_ && message >= SCI_START && message != SCI_PASTE)
        return direct_(directPointer_, message, wParam, lParam);
    return SendMessageW(window_, message, wParam, lParam);
}

// Appended rather than set with SCI_SETTEXT, which stops at the first NUL
// byte; without undo collection, which would keep a second copy of it all.
bool ScintillaEdit::SetText(std::string_view bytes)
{
    Send(SCI_SETSTATUS, SC_STATUS_OK);
    Send(SCI_SETUNDOCOLLECTION, false);
    Send(SCI_CLEARALL);
    Send(SCI_APPENDTEXT, bytes.size(), reinterpret_cast<std::intptr_t>(bytes.data()));
    Send(SCI_SETUNDOCOLLECTION, true);
    Send(SCI_EMPTYUNDOBUFFER);
    Send(SCI_SETSAVEPOINT);
    Send(SCI_GOTOPOS, 0);
    return Send(SCI_GETSTATUS) == SC_STATUS_OK && Length() == static_cast<std::intptr_t>(bytes.size());
}

std::intptr_t ScintillaEdit::Length() const
{
    return Send(SCI_GETLENGTH);
}

std::string ScintillaEdit::Text() const
{
    const std::intptr_t length = Length();
    // SCI_GETTEXT writes a terminating NUL after the bytes it copies.
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const std::intptr_t copied = Send(SCI_GETTEXT, static_cast<std::uintptr_t>(length) + 1,
                                      reinterpret_cast<std::intptr_t>(text.data()));
    text.resize(static_cast<std::size_t>(copied < 0 ? 0 : copied));
    return text;
}

ScintillaEdit::Range ScintillaEdit::Selection() const
{
    return {Send(SCI_GETSELECTIONSTART), Send(SCI_GETSELECTIONEND)};
}

void ScintillaEdit::Select(std::intptr_t start, std::intptr_t end)
{
    Send(SCI_SETSEL, static_cast<std::uintptr_t>(start), end);
}

std::intptr_t ScintillaEdit::LineFromPosition(std::intptr_t position) const
{
    return Send(SCI_LINEFROMPOSITION, static_cast<std::uintptr_t>(position));
}

std::intptr_t ScintillaEdit::LineStart(std::intptr_t line) const
{
    return Send(SCI_POSITIONFROMLINE, static_cast<std::uintptr_t>(line));
}

std::intptr_t ScintillaEdit::LineCount() const
{
    return Send(SCI_GETLINECOUNT);
}

std::intptr_t ScintillaEdit::CharactersBetween(std::intptr_t start, std::intptr_t end) const
{
    return Send(SCI_COUNTCHARACTERS, static_cast<std::uintptr_t>(start), end);
}

bool ScintillaEdit::IsModified() const
{
    return Send(SCI_GETMODIFY) != 0;
}

void ScintillaEdit::ClearModified()
{
    Send(SCI_SETSAVEPOINT);
}

void ScintillaEdit::SetReadOnly(bool readOnly)
{
    Send(SCI_SETREADONLY, readOnly);
}

void ScintillaEdit::FilterInput(std::function<bool(std::wstring_view)> accept)
{
    const bool first = !accept_;
    accept_ = std::move(accept);
    if (!first)
        return;
    // A window procedure of its own rather than a common-controls subclass,
    // which looks its data up in a window property on every message: a
    // round trip to the Wine server each time, for every paint and key.
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    controlProcedure_ =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Filter)));
    // Text dropped from another program would reach the document past the
    // filter; without the control's drop target, dropped files go on to the
    // main window as before.
    RevokeDragDrop(window_);
    // Its context menu pastes without a message either.
    Send(SCI_USEPOPUP, SC_POPUP_NEVER);
}

bool ScintillaEdit::AcceptsClipboard()
{
    const std::wstring text = ClipboardText(window_);
    return text.empty() || accept_(text);
}

// An input method hands over its composed word whole, and (for Korean) its
// word in progress too; either is refused whole, and the composition ends.
bool ScintillaEdit::AcceptsComposition(LPARAM parts)
{
    struct Context {
        HWND window;
        HIMC handle;
        ~Context()
        {
            if (handle)
                ImmReleaseContext(window, handle);
        }
    } context{window_, ImmGetContext(window_)};
    if (!context.handle)
        return true;
    for (const DWORD part : {static_cast<DWORD>(GCS_RESULTSTR), static_cast<DWORD>(GCS_COMPSTR)}) {
        if (!(parts & part))
            continue;
        const std::wstring text = CompositionString(context.handle, part);
        if (!text.empty() && !accept_(text)) {
            ImmNotifyIME(context.handle, NI_COMPOSITIONSTR, CPS_CANCEL, 0);
            return false;
        }
    }
    return true;
}

bool ScintillaEdit::Accepts(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CHAR: {
        const auto c = static_cast<wchar_t>(wParam);
        // The control character of a refused Ctrl+V would go in as a byte:
        // the control takes those whose key it did not handle.
        if (std::exchange(keyRefused_, false) && c < 0x20)
            return false;
        if (IS_HIGH_SURROGATE(c)) {
            highSurrogate_ = c;
            return true;   // the control waits for the other half
        }
        if (IS_LOW_SURROGATE(c)) {
            const wchar_t pair[] = {highSurrogate_, c};
            highSurrogate_ = 0;
            return accept_({pair, 2});
        }
        return c < 0x80 || accept_({&c, 1});
    }
    case WM_UNICHAR: {
        if (wParam == UNICODE_NOCHAR || wParam < 0x80)
            return true;
        wchar_t units[2];
        std::size_t count = 1;
        if (wParam >= 0x10000) {
            units[0] = static_cast<wchar_t>(0xD800 + ((wParam - 0x10000) >> 10));
            units[1] = static_cast<wchar_t>(0xDC00 + ((wParam - 0x10000) & 0x3FF));
            count = 2;
        } else {
            units[0] = static_cast<wchar_t>(wParam);
        }
        return accept_({units, count});
    }
    case WM_IME_COMPOSITION:
        return AcceptsComposition(lParam);
    case WM_PASTE:
    case SCI_PASTE:
        return AcceptsClipboard();
    case WM_KEYDOWN:
        keyRefused_ = IsPasteKey(wParam) && !AcceptsClipboard();
        return !keyRefused_;
    default:
        return true;
    }
}

LRESULT CALLBACK ScintillaEdit::Filter(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<ScintillaEdit*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    const WNDPROC control = self->controlProcedure_;
    // Tab is a character of the text, as in any editor: the main window's
    // keyboard moves the focus with Ctrl+Tab only.
    if (message == WM_GETDLGCODE)
        return CallWindowProcW(control, window, message, wParam, lParam) | DLGC_WANTTAB;
    try {
        if (!self->Accepts(message, wParam, lParam))
            return 0;
    } catch (const std::exception&) {
        return 0;   // refused: nothing typed is worth a failure in the control
    }
    return CallWindowProcW(control, window, message, wParam, lParam);
}

} // namespace tessark
