// Test program: the real main window with the last-resort guard, a document
// loaded from the command line, text typed into the editor, then a fault that
// nothing catches, raised from a window procedure as the message loop runs it.
//   crashing_editor <installation folder> <document or -> <fault|terminate|overflow> <typed text> <message file>
// In the typed text, '|' stands for Enter.
// A second thread answers the guard's message box and writes its text, as
// UTF-16, to the message file.
#include "script/LastResort.h"
#include "app/MainForm.h"
#include "ui/MessageLoop.h"
#include "ui/Win32Dialogs.h"

#include <commctrl.h>
#include <ole2.h>
#include <shellapi.h>

#include <climits>
#include <stdexcept>
#include <string>

namespace {

constexpr UINT FaultNow = WM_APP + 1;
std::wstring faultKind;
std::wstring messageFile;

void Throw()
{
    throw std::runtime_error("unexpected");
}
// Called through a pointer, so that the compiler cannot see the throw coming.
void (*volatile thrower)() = Throw;

void ThrowPastNoexcept() noexcept
{
    thrower();
}

// Deeper than any stack: each call holds 4 KB until the stack overflows.
int Recurse(int depth)
{
    volatile char room[4096];
    room[0] = static_cast<char>(depth);
    if (depth == INT_MAX)
        return room[0];
    return Recurse(depth + 1) + room[0];
}

LRESULT CALLBACK FaultingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != FaultNow)
        return DefWindowProcW(window, message, wParam, lParam);
    if (faultKind == L"terminate")
        ThrowPastNoexcept();
    if (faultKind == L"overflow")
        return Recurse(0);
    *static_cast<volatile int*>(nullptr) = 1;
    return 0;
}

DWORD WINAPI AnswerTheMessageBox(void*)
{
    for (int tries = 0; tries < 3000; ++tries, Sleep(10)) {
        HWND box = FindWindowW(L"#32770", L"Tessark");
        if (!box)
            continue;
        wchar_t text[4096] = {};
        GetDlgItemTextW(box, 0xFFFF /* the box's text */, text, 4096);
        HANDLE file = CreateFileW(messageFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, text, static_cast<DWORD>(lstrlenW(text) * sizeof(wchar_t)), &written, nullptr);
        CloseHandle(file);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return 0;
    }
    return 1;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int)
{
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!words || count < 6)
        return 2;
    const std::wstring installation = words[1], document = words[2], typed = words[4];
    faultKind = words[3];
    messageFile = words[5];

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    OleInitialize(nullptr);
    tessark::lastresort::Install();
    tessark::Win32Dialogs dialogs;
    tessark::StartupArguments arguments{installation + L"Tessark.exe", {}};
    if (document != L"-")
        arguments.others.push_back(document);
    tessark::TMainForm form(dialogs, arguments);
    form.Show(SW_SHOWNORMAL);
    tessark::PumpPendingMessages(form);
    HWND editor = form.Script().Editor();
    for (wchar_t c : typed) {
        if (c == L'|') {   // Enter, as the keyboard sends it
            SendMessageW(editor, WM_KEYDOWN, VK_RETURN, 1);
            SendMessageW(editor, WM_CHAR, L'\r', 1);
            SendMessageW(editor, WM_KEYUP, VK_RETURN, 1);
        } else {
            SendMessageW(editor, WM_CHAR, c, 1);
        }
    }
    tessark::PumpPendingMessages(form);

    WNDCLASSW faulting{};
    faulting.lpfnWndProc = FaultingProcedure;
    faulting.hInstance = instance;
    faulting.lpszClassName = L"TessarkFaulting";
    RegisterClassW(&faulting);
    HWND window = CreateWindowExW(0, faulting.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance,
                                  nullptr);
    CloseHandle(CreateThread(nullptr, 0, AnswerTheMessageBox, nullptr, 0, nullptr));
    PostMessageW(window, FaultNow, 0, 0);
    tessark::RunMessageLoop(form);
    return 4;   // the fault did not end the program
}
