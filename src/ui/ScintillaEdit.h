#pragma once
// The Scintilla text control as a child window, and the few messages the
// script editor sends it. Its document is bytes, kept as they come: Scintilla
// converts neither the code page nor the line ends of what it is given.
#include "util/Win32.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace tessark {

// Registers Scintilla's window class once for the whole program; false when
// Windows refused it.
bool RegisterScintilla();

class ScintillaEdit {
public:
    // Creates the control as a visible child of `parent`; check ok().
    ScintillaEdit(HWND parent, int controlId, const RECT& bounds, DWORD exStyle = 0);
    ~ScintillaEdit();
    ScintillaEdit(const ScintillaEdit&) = delete;
    ScintillaEdit& operator=(const ScintillaEdit&) = delete;

    bool ok() const { return window_ != nullptr; }
    HWND window() const { return window_; }

    // Any Scintilla message, for what this class has no function for. Its own
    // messages go straight to the control's function: under Wine a message
    // through the window costs a fraction of a millisecond, and a typed key
    // asks dozens of them.
    std::intptr_t Send(unsigned message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0) const;

    // Replaces the document with `bytes` (NUL bytes included), as an
    // unmodified text without undo history; false when Scintilla could not
    // take all of it in.
    bool SetText(std::string_view bytes);
    std::string Text() const;
    std::intptr_t Length() const;   // in bytes

    struct Range {
        std::intptr_t start = 0;
        std::intptr_t end = 0;
    };
    Range Selection() const;        // start <= end, in bytes
    void Select(std::intptr_t start, std::intptr_t end);
    std::intptr_t LineFromPosition(std::intptr_t position) const;
    std::intptr_t LineStart(std::intptr_t line) const;
    std::intptr_t LineCount() const;
    // Characters, not bytes, from `start` to `end` (a line end counts as one).
    std::intptr_t CharactersBetween(std::intptr_t start, std::intptr_t end) const;
    bool IsModified() const;
    void ClearModified();
    void SetReadOnly(bool readOnly);

    // Text typed (through an input method too), pasted or dropped into the
    // control is first shown to `accept`, which may refuse it (and tell the
    // user why); the control's own conversion to its code page would
    // otherwise replace what it cannot hold.
    void FilterInput(std::function<bool(std::wstring_view)> accept);

private:
    static LRESULT CALLBACK Filter(HWND, UINT, WPARAM, LPARAM);
    bool Accepts(UINT message, WPARAM wParam, LPARAM lParam);
    bool AcceptsClipboard();
    bool AcceptsComposition(LPARAM parts);

    HWND window_ = nullptr;
    using DirectFunction = std::intptr_t (*)(std::intptr_t, unsigned, std::uintptr_t, std::intptr_t);
    DirectFunction direct_ = nullptr;
    std::intptr_t directPointer_ = 0;
    WNDPROC controlProcedure_ = nullptr;
    std::function<bool(std::wstring_view)> accept_;
    wchar_t highSurrogate_ = 0;
    bool keyRefused_ = false;
};

} // namespace tessark
