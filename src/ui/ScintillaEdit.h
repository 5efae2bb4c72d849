#pragma once
// The Scintilla text control as a child window, and the few messages the
// script editor sends it. Its document is bytes, kept as they come: Scintilla
// converts neither the code page nor the line ends of what it is given.
#include "util/Win32.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tessark {

// Registers Scintilla's window class once for the whole program; false when
// Windows refused it.
bool RegisterScintilla();

class ScintillaEdit {
public:
    // Creates the control as a visible child of `parent`; check ok().
    ScintillaEdit(HWND parent, int controlId, const RECT& bounds);
    ~ScintillaEdit();
    ScintillaEdit(const ScintillaEdit&) = delete;
    ScintillaEdit& operator=(const ScintillaEdit&) = delete;

    bool ok() const { return window_ != nullptr; }
    HWND window() const { return window_; }

    // Any Scintilla message, for what this class has no function for.
    std::intptr_t Send(unsigned message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0) const;

    // Replaces the document with `bytes` (NUL bytes included), as an
    // unmodified text without undo history; false when Scintilla could not
    // take all of it in.
    bool SetText(std::string_view bytes);
    std::string Text() const;
    std::intptr_t Length() const;   // in bytes

private:
    HWND window_ = nullptr;
};

} // namespace tessark
