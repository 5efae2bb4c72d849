#pragma once
// The few rich edit operations the script editor needs, over its messages.
#include "util/Win32.h"

#include <string>
#include <string_view>

namespace tessark::richedit {

// Loads msftedit.dll and returns the class name of its control.
const wchar_t* ClassName();

void SetPlainTextMode(HWND editor);
// Replaces the whole text and clears the undo history; false when the control
// could not take all of it in.
bool SetText(HWND editor, std::wstring_view text);
std::wstring Text(HWND editor);                     // line breaks as '\r'
long TextLength(HWND editor);                       // in characters, as Text() counts them

struct Selection {
    long start = 0;
    long end = 0;
};
Selection GetSelection(HWND editor);
void Select(HWND editor, long start, long end);
long LineFromChar(HWND editor, long charIndex);
long LineIndex(HWND editor, long line);

bool IsModified(HWND editor);
void SetModified(HWND editor, bool modified);

// Size in points of the selection's attributes (of the text at the caret
// when nothing is selected).
int SelectionSize(HWND editor);
int DefaultSize(HWND editor);   // in points
// Applies a size in points to the selection (SCF_SELECTION) or the defaults.
void SetSize(HWND editor, int points, bool selection);
void SetDefaultFace(HWND editor, std::wstring_view face, bool fixedPitch, int points);
// The control turns points into pixels at the screen's DPI; on a window at
// another DPI it draws its text zoomed by `dpi / screenDpi`, so that a point
// looks the same size there.
void ZoomToDpi(HWND editor, int dpi, int screenDpi);

} // namespace tessark::richedit
