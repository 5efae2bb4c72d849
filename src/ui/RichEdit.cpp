#include "ui/RichEdit.h"

#include <richedit.h>

#include <algorithm>
#include <cstring>
#include <cwchar>

namespace tessark::richedit {

const wchar_t* ClassName()
{
    static const HMODULE library = LoadLibraryW(L"msftedit.dll");
    return library ? MSFTEDIT_CLASS : RICHEDIT_CLASSW;
}

void SetPlainTextMode(HWND editor)
{
    SendMessageW(editor, EM_SETTEXTMODE, TM_PLAINTEXT | TM_MULTILEVELUNDO | TM_MULTICODEPAGE, 0);
    SendMessageW(editor, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    // A line width of 1 on a null device turns word wrap off.
    SendMessageW(editor, EM_SETTARGETDEVICE, 0, 1);
}

namespace {

struct StreamSource {
    std::wstring_view text;
    std::size_t at = 0;
};

DWORD CALLBACK ReadStream(DWORD_PTR cookie, LPBYTE buffer, LONG capacity, LONG* given)
{
    auto& source = *reinterpret_cast<StreamSource*>(cookie);
    const std::size_t characters =
        std::min(source.text.size() - source.at, static_cast<std::size_t>(capacity) / sizeof(wchar_t));
    std::memcpy(buffer, source.text.data() + source.at, characters * sizeof(wchar_t));
    source.at += characters;
    *given = static_cast<LONG>(characters * sizeof(wchar_t));
    return 0;
}

} // namespace

// Streamed in rather than set in one message: Wine's control takes a long text
// with tabs in a time that grows with the square of its length when it is set.
bool SetText(HWND editor, std::wstring_view text)
{
    StreamSource source{text};
    EDITSTREAM stream{};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
    stream.pfnCallback = ReadStream;
    SendMessageW(editor, EM_STREAMIN, SF_TEXT | SF_UNICODE, reinterpret_cast<LPARAM>(&stream));
    return stream.dwError == 0 && source.at == text.size();
}

long TextLength(HWND editor)
{
    GETTEXTLENGTHEX query{GTL_DEFAULT | GTL_NUMCHARS, 1200};
    return static_cast<long>(SendMessageW(editor, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&query), 0));
}

std::wstring Text(HWND editor)
{
    GETTEXTLENGTHEX lengthQuery{GTL_DEFAULT | GTL_NUMCHARS, 1200};
    const auto length = SendMessageW(editor, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&lengthQuery), 0);
    if (length <= 0)
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GETTEXTEX query{};
    query.cb = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    query.flags = GT_DEFAULT;
    query.codepage = 1200;
    const auto copied = SendMessageW(editor, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&query),
                                     reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

Selection GetSelection(HWND editor)
{
    CHARRANGE range{};
    SendMessageW(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return {range.cpMin, range.cpMax};
}

void Select(HWND editor, long start, long end)
{
    CHARRANGE range{start, end};
    SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

long LineFromChar(HWND editor, long charIndex)
{
    return static_cast<long>(SendMessageW(editor, EM_EXLINEFROMCHAR, 0, charIndex));
}

long LineIndex(HWND editor, long line)
{
    return static_cast<long>(SendMessageW(editor, EM_LINEINDEX, static_cast<WPARAM>(line), 0));
}

bool IsModified(HWND editor)
{
    return SendMessageW(editor, EM_GETMODIFY, 0, 0) != 0;
}

void SetModified(HWND editor, bool modified)
{
    SendMessageW(editor, EM_SETMODIFY, modified ? TRUE : FALSE, 0);
}

int SelectionSize(HWND editor)
{
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    SendMessageW(editor, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    return static_cast<int>((format.yHeight + 10) / 20);
}

int DefaultSize(HWND editor)
{
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    SendMessageW(editor, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    return static_cast<int>((format.yHeight + 10) / 20);
}

void SetSize(HWND editor, int points, bool selection)
{
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_SIZE;
    format.yHeight = points * 20;
    SendMessageW(editor, EM_SETCHARFORMAT, selection ? SCF_SELECTION : SCF_DEFAULT,
                 reinterpret_cast<LPARAM>(&format));
}

void SetDefaultFace(HWND editor, std::wstring_view face, bool fixedPitch, int points)
{
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_FACE | CFM_SIZE;
    std::wcsncpy(format.szFaceName, std::wstring(face).c_str(), LF_FACESIZE - 1);
    format.bPitchAndFamily = fixedPitch ? FIXED_PITCH : DEFAULT_PITCH;
    format.yHeight = points * 20;
    SendMessageW(editor, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    SendMessageW(editor, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
}

void ZoomToDpi(HWND editor, int dpi, int screenDpi)
{
    const bool same = dpi == screenDpi || dpi <= 0 || screenDpi <= 0;
    SendMessageW(editor, EM_SETZOOM, same ? 0 : static_cast<WPARAM>(dpi), same ? 0 : static_cast<LPARAM>(screenDpi));
}

} // namespace tessark::richedit
