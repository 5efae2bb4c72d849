#include "app/FicheAideSFX.h"

#include "ui/Dpi.h"
#include "ui/Printer.h"
#include "ui/RichEdit.h"
#include "util/FileIO.h"
#include "util/Messages.h"
#include "util/RtfDepth.h"
#include "util/Text1252.h"

#include <richedit.h>

#include <algorithm>

namespace tessark {
namespace {

constexpr wchar_t AideClass[] = L"TessarkFicheAide";
constexpr wchar_t JobTitle[] = L"TESSARK Aide";
constexpr int Imprimer1 = 1, Quitter1 = 2, Rechercher1 = 3;
constexpr int RichEditId = 10;
// The deepest nesting of groups the rich edit control takes in; one more and
// Wine's control stops responding (measured), others crash.
constexpr std::size_t DeepestGroups = 32;
// Far beyond any real help document; the system's rich edit control takes
// minutes, and gigabytes, to lay out documents not much larger.
constexpr ULONGLONG LargestHelpDocument = 4 * 1024 * 1024;

struct StreamSource {
    const char* data;
    std::size_t size;
    std::size_t done = 0;
};

DWORD CALLBACK ReadChunk(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given)
{
    auto& source = *reinterpret_cast<StreamSource*>(cookie);
    const std::size_t count = std::min<std::size_t>(static_cast<std::size_t>(wanted), source.size - source.done);
    std::copy_n(source.data + source.done, count, buffer);
    source.done += count;
    *given = static_cast<LONG>(count);
    return 0;
}

// Streams `bytes` in; false when the control refused them.
bool StreamIn(HWND editor, const char* bytes, std::size_t size, WPARAM format)
{
    StreamSource source{bytes, size};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, ReadChunk};
    SendMessageW(editor, EM_STREAMIN, format, reinterpret_cast<LPARAM>(&stream));
    return stream.dwError == 0;
}

ULONGLONG SizeOfFile(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return 0;  // the read that follows says why
    return (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool LooksLikeRtf(const std::string& bytes)
{
    return bytes.rfind("{\\rtf", 0) == 0;
}

// Counted both ways a reader may take binary data: Wine's control reads it as
// text, braces included.
bool NestsTooDeep(const std::string& rtf)
{
    return std::max(rtf::GroupDepth(rtf, rtf::BinaryData::Skipped),
                    rtf::GroupDepth(rtf, rtf::BinaryData::ReadAsText)) > DeepestGroups;
}

HMENU CreateAideMenu()
{
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, Imprimer1, L"Imprimer");
    AppendMenuW(file, MF_STRING, Quitter1, L"Fermer");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"Fichier");
    AppendMenuW(bar, MF_STRING, Rechercher1, L"Rechercher");
    return bar;
}

} // namespace

TFicheAide::TFicheAide(IDialogs& dialogs) : dialogs_(dialogs)
{
    CreateTopLevel(AideClass, JobTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 696, 480, CreateAideMenu());
    richEdit1_ = CreateWindowExW(WS_EX_CLIENTEDGE, richedit::ClassName(), L"",
                                 WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
                                     ES_NOHIDESEL | ES_WANTRETURN,
                                 0, 0, 10, 10, hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(RichEditId)),
                                 GetModuleHandleW(nullptr), nullptr);
    SendMessageW(richEdit1_, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    // Lines wrap at the window's edge.
    SendMessageW(richEdit1_, EM_SETTARGETDEVICE, 0, 0);
    CentreOnScreen(hwnd());
}

TFicheAide::~TFicheAide()
{
    if (findDialog_)
        DestroyWindow(findDialog_);
}

void TFicheAide::LoadDocument(const std::wstring& path)
{
    if (SizeOfFile(path) > LargestHelpDocument)
        throw UserError(FormatMessageText(msg::HelpTooLarge, path));
    const std::string bytes = ReadWholeFile(path);
    const bool rich = LooksLikeRtf(bytes);
    if (rich && NestsTooDeep(bytes)) {
        StreamInPlainText(bytes);
        ShowTop();
        dialogs_.MessageDlg(hwnd(), FormatMessageText(msg::HelpNestedTooDeep, path), DialogKind::Warning,
                            {DialogButton::Ok});
        return;
    }
    if (!(rich && StreamIn(richEdit1_, bytes.data(), bytes.size(), SF_RTF)))
        StreamInPlainText(bytes);
    ShowTop();
}

void TFicheAide::StreamInPlainText(const std::string& bytes)
{
    std::wstring text;
    text.reserve(bytes.size());
    for (unsigned char byte : bytes)
        text.push_back(cp1252::ToUnicode(byte));
    const auto* wide = reinterpret_cast<const char*>(text.data());
    if (!StreamIn(richEdit1_, wide, text.size() * sizeof(wchar_t), SF_TEXT | SF_UNICODE))
        throw UserError(std::wstring(msg::StreamLoadError));
}

// The control scrolls a streamed-in text by the room above its first line;
// the caret and the view go back to the very top.
void TFicheAide::ShowTop()
{
    richedit::Select(richEdit1_, 0, 0);
    POINT top{0, 0};
    SendMessageW(richEdit1_, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&top));
}

// A minimised window is brought back to its size first.
void TFicheAide::ShowInFront()
{
    ShowWindow(hwnd(), IsIconic(hwnd()) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(hwnd());
}

void TFicheAide::ShowHelpKeyword(std::wstring_view keyword)
{
    ShowInFront();
    if (SelectNext(keyword))
        SetFocus(richEdit1_);
}

// Forward from the end of the selection (from the start when nothing is
// selected), case counting, inside words too. The focus stays where it is, so
// that the find dialog keeps it.
bool TFicheAide::SelectNext(std::wstring_view keyword)
{
    if (keyword.empty())
        return false;
    const auto selection = richedit::GetSelection(richEdit1_);
    const std::wstring wanted(keyword);
    FINDTEXTEXW find{};
    find.chrg.cpMin = selection.end > selection.start ? selection.end : 0;
    find.chrg.cpMax = -1;
    find.lpstrText = wanted.c_str();
    const auto found = SendMessageW(richEdit1_, EM_FINDTEXTEXW, FR_DOWN | FR_MATCHCASE, reinterpret_cast<LPARAM>(&find));
    if (found < 0)
        return false;
    richedit::Select(richEdit1_, static_cast<long>(found), static_cast<long>(found + wanted.size()));
    SendMessageW(richEdit1_, EM_SCROLLCARET, 0, 0);
    return true;
}

void TFicheAide::Rechercher1Click()
{
    richedit::Select(richEdit1_, 0, 0);
    if (!findDialog_) {
        find_ = {};
        find_.lStructSize = sizeof find_;
        find_.hwndOwner = hwnd();
        find_.Flags = FR_DOWN;
        find_.lpstrFindWhat = findText_;
        find_.wFindWhatLen = static_cast<WORD>(std::size(findText_));
        findDialog_ = FindTextW(&find_);
    }
    RECT window{};
    GetWindowRect(hwnd(), &window);
    SetWindowPos(findDialog_, HWND_TOP, window.left, window.top, 0, 0, SWP_NOSIZE);
    ShowWindow(findDialog_, SW_SHOW);
    SetFocus(findDialog_);
}

void TFicheAide::FindDialog1Find()
{
    SelectNext(findText_);
}

bool TFicheAide::IsDialogMessageOfFind(MSG& message)
{
    return findDialog_ && IsDialogMessageW(findDialog_, &message);
}

bool TFicheAide::CloseOnEscape(const MSG& message)
{
    if (message.message != WM_KEYDOWN || message.wParam != VK_ESCAPE)
        return false;
    if (message.hwnd != hwnd() && !IsChild(hwnd(), message.hwnd))
        return false;
    Quitter1Click();
    return true;
}

void TFicheAide::Imprimer1Click()
{
    DefaultPrinterJob job(JobTitle);
    HDC printer = job.dc();
    // The page is laid out at the printer's resolution, not zoomed as shown.
    richedit::ZoomToDpi(richEdit1_, 0, 0);
    struct ZoomBackOnExit {
        HWND editor;
        HWND window;
        ~ZoomBackOnExit() { richedit::ZoomToDpi(editor, DpiOf(window), SystemDpi()); }
    } zoomBack{richEdit1_, hwnd()};
    // The page in twips, less half an inch all round.
    const int dpiX = GetDeviceCaps(printer, LOGPIXELSX), dpiY = GetDeviceCaps(printer, LOGPIXELSY);
    const int width = MulDiv(GetDeviceCaps(printer, HORZRES), 1440, dpiX);
    const int height = MulDiv(GetDeviceCaps(printer, VERTRES), 1440, dpiY);
    FORMATRANGE range{};
    range.hdc = range.hdcTarget = printer;
    range.rcPage = {0, 0, width, height};
    range.rc = {720, 720, std::max(721, width - 720), std::max(721, height - 720)};
    const long length = richedit::TextLength(richEdit1_);
    range.chrg = {0, -1};
    while (range.chrg.cpMin < length) {
        StartPage(printer);
        const auto next = SendMessageW(richEdit1_, EM_FORMATRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
        EndPage(printer);
        if (next <= range.chrg.cpMin)
            break;
        range.chrg.cpMin = static_cast<LONG>(next);
    }
    SendMessageW(richEdit1_, EM_FORMATRANGE, FALSE, 0);
}

void TFicheAide::DpiChanged()
{
    richedit::ZoomToDpi(richEdit1_, DpiOf(hwnd()), SystemDpi());
}

// The find dialog goes with the window: left alone, it would go on
// selecting in a text no one sees.
void TFicheAide::Quitter1Click()
{
    if (findDialog_)
        ShowWindow(findDialog_, SW_HIDE);
    ShowWindow(hwnd(), SW_HIDE);
}

LRESULT TFicheAide::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    static const UINT findMessage = RegisterWindowMessageW(FINDMSGSTRINGW);
    if (message == findMessage) {
        const auto* request = reinterpret_cast<const FINDREPLACEW*>(lParam);
        if (request->Flags & FR_DIALOGTERM)
            findDialog_ = nullptr;
        else if (request->Flags & FR_FINDNEXT)
            FindDialog1Find();
        return 0;
    }
    switch (message) {
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case Imprimer1: Imprimer1Click(); break;
        case Quitter1: Quitter1Click(); break;
        case Rechercher1: Rechercher1Click(); break;
        default: break;
        }
        return 0;
    case WM_SIZE:
        MoveWindow(richEdit1_, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_CLOSE:
        Quitter1Click();
        return 0;
    default:
        return DefaultHandling(message, wParam, lParam);
    }
}

} // namespace tessark
