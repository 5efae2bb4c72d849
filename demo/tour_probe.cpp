// Tells the guided tour of tools/demo.sh where Tessark's windows and controls
// are, so that it can click and type on the real controls (with xdotool)
// wherever the layout puts them. It only reads; it never presses anything.
//   tour_probe serve
//       answers the commands below, one a line on its input: a tag, then the
//       words, TAB between them. Each line of the answer starts with the tag
//       and a TAB, and the last one is TAG TAB "--end STATUS", so a reader
//       can tell its answer from what an earlier, abandoned one left. One
//       process for the whole tour instead of one Wine start per question.
//   tour_probe windows
//       the visible top-level windows of Tessark's process, one a line:
//       handle TAB class TAB caption TAB the texts of its static controls
//   tour_probe rect TOP CONTROL       screen rectangle "x y width height enabled"
//   tour_probe item TOP CONTROL TEXT  screen rectangle of a list entry
//   tour_probe text TOP CONTROL       the control's text
//   tour_probe selection TOP CONTROL  "start end" of an edit control's selection
// TOP: "main" (the main window), a handle "0x..." from `windows`, or a caption.
// CONTROL: "self" (TOP itself), a name of the main window's controls (see ControlNames), a control
// id, "class=PREFIX" (the first visible control of that class) or
// "text=CAPTION" (a button or label; "&" marks and letter case ignored).
// Exit 0 when found, 1 when not, 2 on bad arguments.
#include "ui/ControlIds.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <cwctype>
#include <iostream>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr wchar_t MainClass[] = L"TessarkMainForm";
constexpr UINT ReplyTimeoutMs = 2000;

namespace id = tessark::id;

// The controls the tour uses, by the names the program's code gives them.
const std::map<std::wstring, int> ControlNames = {
    {L"BtEditScript", id::BtEditScript},     {L"BtEditSon", id::BtEditSon},
    {L"BtEditLogo", id::BtEditLogo},         {L"BtConvertLogo", id::BtConvertLogo},
    {L"StaticTextFichier", id::StaticTextFichier}, {L"Editor", id::Editor},
    {L"DirectoryListBox1", id::DirectoryListBox1}, {L"FileListBox1", id::FileListBox1},
    {L"DirectoryListBox2", id::DirectoryListBox2}, {L"FileListBox2", id::FileListBox2},
    {L"BitBtn1", id::BitBtn1},               {L"StringGrid1", id::StringGrid1},
    {L"LabelSauveSons", id::LabelSauveSons}, {L"MenuAideEditeurSons", id::MenuAideEditeurSons},
    {L"DirectoryListBox3", id::DirectoryListBox3}, {L"FileListBox3", id::FileListBox3},
    {L"StaticText4", id::StaticText4},
};

// While serving: the tag of the request being answered.
std::wstring answerTag;

void Print(const std::wstring& line)
{
    const std::wstring withEnd = (answerTag.empty() ? L"" : answerTag + L"\t") + line + L"\n";
    const int size = WideCharToMultiByte(CP_UTF8, 0, withEnd.c_str(), static_cast<int>(withEnd.size()), nullptr,
                                         0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, withEnd.c_str(), static_cast<int>(withEnd.size()), bytes.data(), size,
                        nullptr, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    std::fflush(stdout);
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

// Asked of the window itself: the text of a control of another process.
std::wstring TextOf(HWND window)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, ReplyTimeoutMs, &length))
        return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, ReplyTimeoutMs, &copied))
        return {};
    text.resize(copied);
    return text;
}

std::wstring Folded(std::wstring text)
{
    std::wstring result;
    for (wchar_t c : text)
        if (c != L'&')
            result += static_cast<wchar_t>(std::towlower(c));
    const auto first = result.find_first_not_of(L' ');
    const auto last = result.find_last_not_of(L' ');
    return first == std::wstring::npos ? std::wstring() : result.substr(first, last - first + 1);
}

std::wstring OneLine(std::wstring text)
{
    for (wchar_t& c : text)
        if (c == L'\r' || c == L'\n' || c == L'\t')
            c = L' ';
    return text;
}

std::vector<HWND> Children(HWND parent)
{
    std::vector<HWND> found;
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

std::vector<HWND> TopLevelWindowsOf(DWORD process)
{
    struct Search {
        DWORD process;
        std::vector<HWND> found;
    } search{process, {}};
    EnumWindows(
        [](HWND window, LPARAM data) {
            auto& s = *reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s.process && IsWindowVisible(window))
                s.found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND MainWindow()
{
    return FindWindowW(MainClass, nullptr);
}

HWND TopWindow(const std::wstring& spec)
{
    if (spec == L"main")
        return MainWindow();
    if (spec.rfind(L"0x", 0) == 0)
        return reinterpret_cast<HWND>(static_cast<INT_PTR>(std::wcstoll(spec.c_str(), nullptr, 16)));
    HWND main = MainWindow();
    if (!main)
        return nullptr;
    DWORD process = 0;
    GetWindowThreadProcessId(main, &process);
    for (HWND window : TopLevelWindowsOf(process))
        if (TextOf(window) == spec)
            return window;
    return nullptr;
}

bool IsNumber(const std::wstring& text)
{
    return !text.empty() && text.find_first_not_of(L"0123456789") == std::wstring::npos;
}

HWND FindControl(HWND top, const std::wstring& spec)
{
    if (spec == L"self")
        return top;
    const auto named = ControlNames.find(spec);
    const int wantedId = named != ControlNames.end() ? named->second : IsNumber(spec) ? std::stoi(spec) : -1;
    for (HWND child : Children(top)) {
        if (!IsWindowVisible(child))
            continue;
        if (wantedId >= 0 && GetDlgCtrlID(child) == wantedId)
            return child;
        if (spec.rfind(L"class=", 0) == 0 && ClassOf(child).rfind(spec.substr(6), 0) == 0)
            return child;
        if (spec.rfind(L"text=", 0) == 0 && Folded(TextOf(child)) == Folded(spec.substr(5)))
            return child;
    }
    return nullptr;
}

void PrintRect(RECT box, HWND window, bool withState)
{
    std::wstring line = std::to_wstring(box.left) + L" " + std::to_wstring(box.top) + L" " +
                        std::to_wstring(box.right - box.left) + L" " + std::to_wstring(box.bottom - box.top);
    if (withState)
        line += IsWindowEnabled(window) ? L" enabled" : L" disabled";
    Print(line);
}

int ListWindows()
{
    HWND main = MainWindow();
    if (!main)
        return 1;
    DWORD process = 0;
    GetWindowThreadProcessId(main, &process);
    for (HWND window : TopLevelWindowsOf(process)) {
        std::wstring texts;
        for (HWND child : Children(window))
            if (ClassOf(child) == L"Static" || ClassOf(child) == L"STATIC")
                if (const std::wstring text = OneLine(TextOf(child)); !text.empty())
                    texts += (texts.empty() ? L"" : L" / ") + text;
        wchar_t handle[32];
        std::swprintf(handle, 32, L"0x%llx", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)));
        Print(std::wstring(handle) + L"\t" + ClassOf(window) + L"\t" + OneLine(TextOf(window)) + L"\t" + texts);
    }
    return 0;
}

// The entry of a list box whose text (without its indentation) is `wanted`,
// scrolled into view first when the list is too short to show it, as a user
// scrolls before clicking; only an entry in view counts.
int ListEntry(HWND list, const std::wstring& wanted)
{
    DWORD_PTR count = 0;
    if (!SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, ReplyTimeoutMs, &count))
        return 1;
    for (WPARAM index = 0; index < count; ++index) {
        DWORD_PTR length = 0;
        SendMessageTimeoutW(list, LB_GETTEXTLEN, index, 0, SMTO_ABORTIFHUNG, ReplyTimeoutMs, &length);
        std::wstring text(length + 1, L'\0');
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                            ReplyTimeoutMs, &ignored);
        text.resize(length);
        if (Folded(text) != Folded(wanted))
            continue;
        RECT box{};
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutW(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&box), SMTO_ABORTIFHUNG,
                                 ReplyTimeoutMs, &result) ||
            static_cast<LRESULT>(result) == LB_ERR)
            return 1;
        RECT client{};
        GetClientRect(list, &client);
        if (box.top < client.top || box.bottom > client.bottom) {
            SendMessageTimeoutW(list, LB_SETTOPINDEX, index, 0, SMTO_ABORTIFHUNG, ReplyTimeoutMs, &ignored);
            SendMessageTimeoutW(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&box), SMTO_ABORTIFHUNG,
                                ReplyTimeoutMs, &result);
        }
        if (box.top < client.top || box.bottom > client.bottom)
            return 1;
        MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&box), 2);
        PrintRect(box, list, false);
        return 0;
    }
    return 1;
}

int Run(const std::vector<std::wstring>& args)
{
    if (args.size() == 1 && args[0] == L"windows")
        return ListWindows();
    if (args.size() < 3)
        return 2;
    HWND top = TopWindow(args[1]);
    HWND control = top ? FindControl(top, args[2]) : nullptr;
    if (!control)
        return 1;
    const std::wstring& command = args[0];
    if (command == L"rect" && args.size() == 3) {
        RECT box{};
        GetWindowRect(control, &box);
        PrintRect(box, control, true);
        return 0;
    }
    if (command == L"item" && args.size() == 4)
        return ListEntry(control, args[3]);
    if (command == L"text" && args.size() == 3) {
        Print(OneLine(TextOf(control)));
        return 0;
    }
    if (command == L"selection" && args.size() == 3) {
        DWORD_PTR range = 0;
        if (!SendMessageTimeoutW(control, EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG, ReplyTimeoutMs, &range))
            return 1;
        Print(std::to_wstring(LOWORD(range)) + L" " + std::to_wstring(HIWORD(range)));
        return 0;
    }
    return 2;
}

std::wstring FromUtf8(const std::string& bytes)
{
    const int size = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), size);
    return text;
}

std::vector<std::wstring> Words(const std::wstring& line)
{
    std::vector<std::wstring> words;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find(L'\t', start)) != std::wstring::npos; start = tab + 1)
        words.push_back(line.substr(start, tab - start));
    words.push_back(line.substr(start));
    return words;
}

int Serve()
{
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::vector<std::wstring> words = Words(FromUtf8(line));
        answerTag = words.front();
        words.erase(words.begin());
        Print(L"--end " + std::to_wstring(Run(words)));
        answerTag.clear();
    }
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    std::vector<std::wstring> args(argv + 1, argv + argc);
    if (args.size() == 1 && args[0] == L"serve")
        return Serve();
    const int result = Run(args);
    if (result == 2)
        std::fputs("usage: tour_probe windows | rect|text|selection TOP CONTROL | item TOP CONTROL TEXT\n", stderr);
    return result;
}
