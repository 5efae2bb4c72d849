// Benchmark: opening a 20 MB and a 1 MB script in the script editor, side by
// side with Wine's (or Windows') notepad opening the same file, a find-next
// that has to scan the whole text, and keys typed at the end of the 1 MB
// script until they are drawn. Prints the figures; it is not a pass/fail test.
#include "BenchClock.h"
#include "app/MainForm.h"
#include "ui/MessageLoop.h"
#include "util/Win32.h"
#include "script/ScriptArea.h"
#include "ui/ScintillaEdit.h"

#include <Scintilla.h>

#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>
#include <ole2.h>

#include <cstdio>
#include <string>

namespace {

using namespace tessark;

class AnswerNo final : public IDialogs {
public:
    std::wstring fileToOpen;
    DialogButton MessageDlg(HWND, std::wstring_view, DialogKind, const std::vector<DialogButton>&) override
    {
        return DialogButton::No;
    }
    void ShowMessage(HWND, std::wstring_view text) override { Report(text); }
    void ShowError(HWND, std::wstring_view text) override { Report(text); }
    std::optional<std::size_t> ChooseAmong(HWND, std::wstring_view, DialogKind,
                                           const std::vector<DialogChoice>&) override
    {
        return std::nullopt;
    }
    std::optional<std::wstring> OpenFile(HWND, const FileDialogRequest&) override { return fileToOpen; }
    std::optional<std::wstring> SaveFile(HWND, const FileDialogRequest&) override { return std::nullopt; }
    ModalResult ShowModal(HWND, IModalForm&) override { return ModalResult::Cancel; }
    std::optional<int> AskNumber(HWND, const NumberRequest&) override { return std::nullopt; }

private:
    static void Report(std::wstring_view text)
    {
        std::fwprintf(stderr, L"message: %.*ls\n", static_cast<int>(text.size()), text.data());
    }
};

using tessark::bench::Now;

// A level script of about `bytes` bytes, with `needle` only on its last line.
std::string MakeScript(std::size_t bytes, const std::string& needle)
{
    static const char* block =
        "[Level]\r\nName=\t\tCit\xe9 des Ruines\r\nHorizon=\tENABLED\r\nLayer1=\t\t160,150,140,-8\r\n"
        "Puzzle=\t\t1,Cl\xe9 d'or,\t\t$0000,512,0,0,0,0,0\r\nLoadCamera=\t4096,-2560,18432,5120,-2304,20480,1\r\n"
        "Level=\t\tDATA\\CITE,105\r\n\r\n";
    std::string text;
    text.reserve(bytes + 256);
    while (text.size() < bytes)
        text += block;
    text += "; " + needle + "\r\n";
    return text;
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

struct NotepadWindows {
    DWORD process;
    HWND edit = nullptr;
};

BOOL CALLBACK FindNotepadEdit(HWND window, LPARAM data)
{
    auto& wanted = *reinterpret_cast<NotepadWindows*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != wanted.process)
        return TRUE;
    wanted.edit = FindWindowExW(window, nullptr, L"Edit", nullptr);
    return wanted.edit ? FALSE : TRUE;
}

// Seconds from starting notepad on `path` until its edit control holds
// `characters` characters (the whole file), or -1 after ten minutes.
double TimeNotepad(const std::wstring& path, long characters)
{
    std::wstring command = L"notepad.exe \"" + path + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const double start = Now();
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    double elapsed = -1;
    NotepadWindows windows{process.dwProcessId};
    while (Now() - start < 600) {
        if (!windows.edit)
            EnumWindows(FindNotepadEdit, reinterpret_cast<LPARAM>(&windows));
        if (windows.edit && SendMessageW(windows.edit, WM_GETTEXTLENGTH, 0, 0) >= characters) {
            elapsed = Now() - start;
            break;
        }
        Sleep(1);
    }
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 5000);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return elapsed;
}

double TimeOpenInTessark(TMainForm& form, AnswerNo& dialogs, const std::wstring& path)
{
    dialogs.fileToOpen = path;
    const double start = Now();
    form.Script().FileOpen();
    UpdateWindow(form.hwnd());
    RedrawWindow(form.hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    return Now() - start;
}

// Seconds for one find-next through the find dialog; `found` gets the match's start.
double TimeFindNext(TMainForm& form, const std::wstring& needle, long& found)
{
    form.Script().Chercher1Click();
    PumpPendingMessages(form);
    HWND find = form.Script().FindDialog();
    SetDlgItemTextW(find, edt1, needle.c_str());
    const double start = Now();
    SendMessageW(find, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(find, IDOK)));
    const double elapsed = Now() - start;
    found = static_cast<long>(form.Script().Edit().Selection().start);
    return elapsed;
}

struct KeyTimes {
    double letter = 0;    // a letter at the end of the text, until drawn
    double list = 0;      // ... until the completion list it calls up is shown
    double newLine = 0;   // Enter at the end of the text, which scrolls the view, until drawn
};

double TypeAndDraw(HWND editor, wchar_t key)
{
    const double start = Now();
    SendMessageW(editor, WM_CHAR, key, 1);
    UpdateWindow(editor);
    return Now() - start;
}

// A letter typed on the empty last line of a [Level] section calls up the
// section's commands; the list comes after the letter is drawn.
KeyTimes TimeKeysAtEnd(TMainForm& form)
{
    ScintillaEdit& editor = form.Script().Edit();
    editor.Send(SCI_DOCUMENTEND);
    PumpPendingMessages(form);
    KeyTimes times;
    const double start = Now();
    times.letter = TypeAndDraw(editor.window(), L'L');
    while (!editor.Send(SCI_AUTOCACTIVE) && Now() - start < 5) {
        PumpPendingMessages(form);
        Sleep(0);
    }
    times.list = Now() - start;
    editor.Send(SCI_AUTOCCANCEL);
    PumpPendingMessages(form);
    times.newLine = TypeAndDraw(editor.window(), L'\r');
    return times;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const unsigned megabytes = argc > 1 ? static_cast<unsigned>(_wtoi(argv[1])) : 20;
    const int rounds = argc > 2 ? _wtoi(argv[2]) : 3;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    OleInitialize(nullptr);

    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"tessark bench\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring big = folder + L"script.txt";
    const std::wstring empty = folder + L"vide.txt";
    const std::string needle = "FinDuScriptIntrouvable";
    const std::string script = MakeScript(std::size_t{megabytes} * 1024 * 1024, needle);
    WriteFileBytes(big, script);
    WriteFileBytes(empty, "");
    const long characters = static_cast<long>(script.size());

    AnswerNo dialogs;
    TMainForm form(dialogs, StartupArguments{folder + L"Tessark.exe", {}});
    form.Show(SW_SHOWNORMAL);
    PumpPendingMessages(form);

    std::printf("file: %zu bytes\n", script.size());
    const std::wstring small = folder + L"script1.txt";
    const std::string smallScript = MakeScript(1024 * 1024, needle);
    WriteFileBytes(small, smallScript);
    for (int round = 1; round <= rounds; ++round) {
        const double tessark = TimeOpenInTessark(form, dialogs, big);
        PumpPendingMessages(form);
        long found = -1;
        const double findNext = TimeFindNext(form, std::wstring(needle.begin(), needle.end()), found);
        const double notepadEmpty = TimeNotepad(empty, 0);
        const double notepadBig = TimeNotepad(big, characters);
        const double notepad = notepadBig - notepadEmpty;
        std::printf("round %d: Tessark open %.3f s, find-next %.1f ms (match at %ld)\n", round, tessark,
                    findNext * 1000, found);
        std::printf("         notepad open %.3f s (%.3f s to the full text, less %.3f s to start empty)\n",
                    notepad, notepadBig, notepadEmpty);
        if (notepadBig > 0 && tessark > 0)
            std::printf("         notepad / Tessark = %.1f\n", notepad / tessark);
        const double smallOpen = TimeOpenInTessark(form, dialogs, small);
        PumpPendingMessages(form);
        const KeyTimes keys = TimeKeysAtEnd(form);
        std::printf("         1 MB: open %.3f s; at its end a letter is drawn in %.1f ms, the completion list it "
                    "calls up shown after %.1f ms; Enter (the view scrolls) drawn in %.1f ms\n",
                    smallOpen, keys.letter * 1000, keys.list * 1000, keys.newLine * 1000);
        PumpPendingMessages(form);
    }
    DeleteFileW(big.c_str());
    DeleteFileW(empty.c_str());
    RemoveDirectoryW(folder.c_str());
    OleUninitialize();
    return 0;
}
