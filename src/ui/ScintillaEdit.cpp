#include "ui/ScintillaEdit.h"

#include <Scintilla.h>

namespace tessark {

bool RegisterScintilla()
{
    // Scintilla's class may be registered once only in a process.
    static const bool registered = Scintilla_RegisterClasses(GetModuleHandleW(nullptr)) != 0;
    return registered;
}

ScintillaEdit::ScintillaEdit(HWND parent, int controlId, const RECT& bounds)
{
    if (!RegisterScintilla())
        return;
    window_ = CreateWindowExW(0, L"Scintilla", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN,
                              bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                              parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                              GetModuleHandleW(nullptr), nullptr);
}

ScintillaEdit::~ScintillaEdit()
{
    if (window_ && IsWindow(window_))
        DestroyWindow(window_);
}

std::intptr_t ScintillaEdit::Send(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) const
{
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
    const std::intptr_t copied = Send(SCI_GETTEXT, static_cast<std::uintptr_t>(length),
                                      reinterpret_cast<std::intptr_t>(text.data()));
    text.resize(static_cast<std::size_t>(copied < 0 ? 0 : copied));
    return text;
}

} // namespace tessark
