#include "UiHarness.h"

#include "ui/MessageLoop.h"
#include "script/ScriptArea.h"
#include "script/ScriptText.h"
#include "util/FmxUtils.h"

#include <Scintilla.h>

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <cwctype>

namespace tessark::test {

DialogButton FakeDialogs::MessageDlg(HWND, std::wstring_view text, DialogKind kind,
                                     const std::vector<DialogButton>& buttons)
{
    shown.push_back({ShownMessage::Kind::Dialog, kind, std::wstring(text), buttons});
    if (answers_.empty()) {
        ADD_FAILURE() << "unexpected question: " << ::testing::PrintToString(std::wstring(text));
        return DialogButton::Cancel;
    }
    const auto answer = answers_.front();
    answers_.pop_front();
    return answer;
}

std::optional<int> FakeDialogs::AskNumber(HWND, const NumberRequest& request)
{
    numberRequests.push_back(request);
    if (numbers_.empty()) {
        ADD_FAILURE() << "unexpected number question: " << ::testing::PrintToString(request.prompt);
        return std::nullopt;
    }
    const auto answer = numbers_.front();
    numbers_.pop_front();
    return answer;
}

void FakeDialogs::ShowMessage(HWND, std::wstring_view text)
{
    shown.push_back({ShownMessage::Kind::Plain, DialogKind::Information, std::wstring(text), {DialogButton::Ok}});
}

void FakeDialogs::ShowError(HWND, std::wstring_view text)
{
    shown.push_back({ShownMessage::Kind::Failure, DialogKind::Error, std::wstring(text), {DialogButton::Ok}});
}

std::optional<std::wstring> FakeDialogs::NextFile(const char* what)
{
    if (files_.empty()) {
        ADD_FAILURE() << "unexpected " << what << " dialog";
        return std::nullopt;
    }
    auto file = files_.front();
    files_.pop_front();
    return file;
}

std::optional<std::size_t> FakeDialogs::ChooseAmong(HWND, std::wstring_view text, DialogKind kind,
                                                    const std::vector<DialogChoice>& choices)
{
    shown.push_back({ShownMessage::Kind::Choice, kind, std::wstring(text), {}, choices});
    if (choices_.empty()) {
        ADD_FAILURE() << "unexpected choice: " << ::testing::PrintToString(std::wstring(text));
        return std::nullopt;
    }
    const auto way = choices_.front();
    choices_.pop_front();
    if (way && *way >= choices.size())
        ADD_FAILURE() << "no way " << *way << " among " << choices.size();
    return way;
}

std::optional<std::wstring> FakeDialogs::OpenFile(HWND, const FileDialogRequest& request)
{
    openRequests.push_back(request);
    return NextFile("open");
}

std::optional<std::wstring> FakeDialogs::SaveFile(HWND, const FileDialogRequest& request)
{
    saveRequests.push_back(request);
    return NextFile("save");
}

ModalResult FakeDialogs::ShowModal(HWND owner, IModalForm& form)
{
    ++modalsShown;
    form.BeginShow(owner);
    if (modals_.empty()) {
        ADD_FAILURE() << "unexpected modal form";
        return ModalResult::Cancel;
    }
    auto answer = std::move(modals_.front());
    modals_.pop_front();
    answer(form.hwnd());
    EXPECT_NE(form.Result(), ModalResult::None) << "the form was left open";
    return form.Result();
}

TempFolder::TempFolder(std::wstring_view name)
{
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH, temp);
    static unsigned counter = 0;
    path_ = std::wstring(temp) + std::wstring(name) + L" " + std::to_wstring(GetCurrentProcessId()) + L"_" +
            std::to_wstring(++counter) + L"\\";
    CreateDirectoryW(path_.c_str(), nullptr);
}

namespace {
void RemoveTree(const std::wstring& folder)
{
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring full = folder + name;
            SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(full + L"\\");
            else
                DeleteFileW(full.c_str());
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}
} // namespace

TempFolder::~TempFolder()
{
    RemoveTree(path_);
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return name;
}

std::string ReadBytes(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        ADD_FAILURE() << "cannot read a file the test expected";
        return {};
    }
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

void WriteBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(written, bytes.size());
}

RECT RectIn(HWND child, HWND parent)
{
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::wstring> FilesIn(const std::wstring& folder)
{
    const bool endsInBackslash = !folder.empty() && folder.back() == L'\\';
    return FileNamesIn(endsInBackslash ? folder.substr(0, folder.size() - 1) : folder);
}

std::optional<std::wstring> TinyDisk()
{
    const std::wstring disk = L"Z:" + std::wstring(TESSARK_TINY_DISK);
    const DWORD attributes = GetFileAttributesW(disk.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    return disk;
}

namespace {
bool IsHeldOpen(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return false;
    }
    return GetLastError() == ERROR_SHARING_VIOLATION;
}
} // namespace

HeldByAnotherProcess::HeldByAnotherProcess(const std::wstring& path)
{
    std::wstring line = L"\"" + std::wstring(TESSARK_FILE_HOLDER) + L"\" \"" + path + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        ADD_FAILURE() << "the file holder could not be started";
        return;
    }
    CloseHandle(process.hThread);
    process_ = process.hProcess;
    for (int i = 0; i < 500 && !IsHeldOpen(path); ++i) {
        if (WaitForSingleObject(process_, 10) == WAIT_OBJECT_0) {
            ADD_FAILURE() << "the file holder could not open the file";
            return;
        }
    }
    EXPECT_TRUE(IsHeldOpen(path)) << "the file holder did not take the file in time";
}

HeldByAnotherProcess::~HeldByAnotherProcess()
{
    if (!process_)
        return;
    TerminateProcess(process_, 0);
    WaitForSingleObject(process_, 5000);
    CloseHandle(process_);
}

void MainWindowTest::SetUp()
{
    static const bool initialised = [] {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        OleInitialize(nullptr);
        return true;
    }();
    (void)initialised;
    CreateDirectoryW((installation / L"script").c_str(), nullptr);
}

void MainWindowTest::TearDown()
{
    if (form && WindowAlive())
        Pump();
    form.reset();
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    EXPECT_FALSE(dialogs.unansweredQuestions()) << "the test prepared answers that nothing asked for";
}

void MainWindowTest::Start(std::vector<std::wstring> arguments)
{
    form = std::make_unique<TMainForm>(dialogs, StartupArguments{installation / L"Tessark.exe", std::move(arguments)});
    mainWindow = form->hwnd();
    form->Show(SW_SHOWNORMAL);
    SetForegroundWindow(mainWindow);
    Pump();
}

void MainWindowTest::Pump()
{
    for (int round = 0; round < 3; ++round) {
        if (form)
            PumpPendingMessages(*form);
        Sleep(1);
    }
}

void MainWindowTest::Click(int controlId)
{
    SendMessageW(Control(controlId), BM_CLICK, 0, 0);
    Pump();
}

void MainWindowTest::ClickToolButton(int commandId)
{
    HWND toolBar = Control(id::StandardToolBar);
    const auto index = SendMessageW(toolBar, TB_COMMANDTOINDEX, commandId, 0);
    RECT button{};
    SendMessageW(toolBar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&button));
    const LPARAM at = MAKELPARAM((button.left + button.right) / 2, (button.top + button.bottom) / 2);
    SendMessageW(toolBar, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(toolBar, WM_LBUTTONUP, 0, at);
    Pump();
}

void MainWindowTest::Menu(int commandId)
{
    PostMessageW(mainWindow, WM_COMMAND, MAKEWPARAM(commandId, 0), 0);
    Pump();
}

namespace {
void SendChord(const std::vector<WORD>& held, WORD virtualKey)
{
    std::vector<INPUT> keys;
    auto key = [&](WORD vk, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        keys.push_back(input);
    };
    for (WORD vk : held)
        key(vk, false);
    key(virtualKey, false);
    key(virtualKey, true);
    for (auto vk = held.rbegin(); vk != held.rend(); ++vk)
        key(*vk, true);
    SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
}

struct PendingChord {
    std::vector<WORD> held;
    WORD key = 0;
};
PendingChord pendingChord;

void CALLBACK PressPendingChord(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    SendChord(pendingChord.held, pendingChord.key);
}
} // namespace

void PressKeyFromNextLoop(WORD virtualKey, std::vector<WORD> held)
{
    pendingChord = {std::move(held), virtualKey};
    SetTimer(nullptr, 0, 50, PressPendingChord);
}

std::vector<COLORREF> Snapshot(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT box{};
    GetClientRect(window, &box);
    HDC dc = GetDC(window);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < box.bottom; ++y)
        for (int x = 0; x < box.right; ++x)
            pixels.push_back(GetPixel(dc, x, y));
    ReleaseDC(window, dc);
    return pixels;
}

void MainWindowTest::PressChord(std::vector<WORD> held, WORD virtualKey)
{
    SendChord(held, virtualKey);
    Sleep(20);
    Pump();
}

void MainWindowTest::PressShortcut(WORD virtualKey, bool control, bool alt)
{
    std::vector<WORD> held;
    if (control)
        held.push_back(VK_CONTROL);
    if (alt)
        held.push_back(VK_MENU);
    PressChord(held, virtualKey);
}

void MainWindowTest::PressTab(bool backwards, bool control)
{
    std::vector<WORD> held;
    if (control)
        held.push_back(VK_CONTROL);
    if (backwards)
        held.push_back(VK_SHIFT);
    PressChord(held, VK_TAB);
}

void MainWindowTest::PressKeys(std::wstring_view keys)
{
    for (wchar_t c : keys) {
        const WORD key = c == L'\r' ? VK_RETURN : static_cast<WORD>(std::towupper(c));
        PressShortcut(key, false);
    }
}

void MainWindowTest::OpenInScriptEditor(const std::wstring& path, const std::string& bytes)
{
    WriteBytes(path, bytes);
    if (!form)
        Start();
    dialogs.ChooseFile(path);
    Click(id::BtEditScript);
}

void MainWindowTest::TypeText(std::wstring_view text)
{
    HWND focus = GetFocus();
    for (wchar_t c : text)
        SendMessageW(focus, WM_CHAR, c, 1);
    Pump();
}

void MainWindowTest::DropFiles(const std::vector<std::wstring>& paths)
{
    std::wstring names;
    for (const auto& path : paths)
        names += path + L'\0';
    names += L'\0';
    const SIZE_T size = sizeof(DROPFILES) + names.size() * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GHND, size);
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), names.data(), names.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    PostMessageW(mainWindow, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    Pump();
}

void MainWindowTest::CloseWindow()
{
    PostMessageW(mainWindow, WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump();
}

std::vector<std::wstring> MainWindowTest::ReportShown() const
{
    HWND list = Control(id::ReportList);
    std::vector<std::wstring> lines;
    const auto count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::wstring line(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)), L'\0');
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()));
        lines.push_back(line);
    }
    return lines;
}

bool MainWindowTest::ReportHas(std::wstring_view text) const
{
    const auto lines = ReportShown();
    return std::find(lines.begin(), lines.end(), text) != lines.end();
}

std::wstring MainWindowTest::Caption(int controlId) const
{
    return WindowText(Control(controlId));
}

std::wstring MainWindowTest::StatusPanel(int panel) const
{
    HWND bar = Control(id::StatusBar);
    const auto length = LOWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, panel, 0));
    std::wstring text(length + 1, L'\0');
    SendMessageW(bar, SB_GETTEXTW, panel, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    if (!text.empty() && text.front() == L'\t')
        text.erase(0, 1);
    return text;
}

std::wstring MainWindowTest::EditorText() const
{
    return form->Script().EditorText();
}

// In the document's code page and line ends, as the keyboard would put it there.
void MainWindowTest::SetEditorText(std::wstring_view text)
{
    HWND editor = Control(id::Editor);
    std::string bytes;
    if (form->Script().IsUtf8()) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                             nullptr, nullptr);
        bytes.resize(static_cast<std::size_t>(size));
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr,
                            nullptr);
    } else {
        static constexpr script::LineEnd LineEndOf[] = {script::LineEnd::CrLf, script::LineEnd::Cr,
                                                        script::LineEnd::Lf};
        bytes = script::EncodeScript(text, LineEndOf[SendMessageW(editor, SCI_GETEOLMODE, 0, 0)]);
        EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '?'), std::count(text.begin(), text.end(), L'?'))
            << "a Windows-1252 document cannot take this text: type it instead";
    }
    SendMessageW(editor, SCI_SELECTALL, 0, 0);
    SendMessageW(editor, SCI_REPLACESEL, 0, reinterpret_cast<LPARAM>(bytes.c_str()));
    Pump();
}

namespace editor {

std::string_view Bytes(HWND control)
{
    const auto length = static_cast<std::size_t>(SendMessageW(control, SCI_GETLENGTH, 0, 0));
    return {reinterpret_cast<const char*>(SendMessageW(control, SCI_GETCHARACTERPOINTER, 0, 0)), length};
}

// A CR LF and a UTF-8 sequence are one character each, as the user's caret
// steps over them.
bool StartsACharacter(std::string_view bytes, std::size_t at, bool utf8)
{
    if (at > 0 && bytes[at] == '\n' && bytes[at - 1] == '\r')
        return false;
    return !utf8 || (static_cast<unsigned char>(bytes[at]) & 0xC0) != 0x80;
}

bool IsUtf8(HWND control)
{
    return SendMessageW(control, SCI_GETCODEPAGE, 0, 0) == SC_CP_UTF8;
}

long CharacterIndex(HWND control, LRESULT position)
{
    const std::string_view bytes = Bytes(control);
    const bool utf8 = IsUtf8(control);
    long count = 0;
    for (std::size_t at = 0; at < static_cast<std::size_t>(position) && at < bytes.size(); ++at)
        count += StartsACharacter(bytes, at, utf8) ? 1 : 0;
    return count;
}

// Past the end: the end, as the rich edit did.
LRESULT Position(HWND control, long characterIndex)
{
    const std::string_view bytes = Bytes(control);
    const bool utf8 = IsUtf8(control);
    long count = 0;
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        if (StartsACharacter(bytes, at, utf8) && count++ == characterIndex)
            return static_cast<LRESULT>(at);
    }
    return static_cast<LRESULT>(bytes.size());
}

Selection GetSelection(HWND control)
{
    return {CharacterIndex(control, SendMessageW(control, SCI_GETSELECTIONSTART, 0, 0)),
            CharacterIndex(control, SendMessageW(control, SCI_GETSELECTIONEND, 0, 0))};
}

void Select(HWND control, long start, long end)
{
    SendMessageW(control, SCI_SETSEL, static_cast<WPARAM>(Position(control, start)), Position(control, end));
}

long LineFromChar(HWND control, long characterIndex)
{
    return static_cast<long>(SendMessageW(control, SCI_LINEFROMPOSITION, static_cast<WPARAM>(Position(control, characterIndex)), 0));
}

long LineIndex(HWND control, long line)
{
    return CharacterIndex(control, SendMessageW(control, SCI_POSITIONFROMLINE, static_cast<WPARAM>(line), 0));
}

bool IsModified(HWND control)
{
    return SendMessageW(control, SCI_GETMODIFY, 0, 0) != 0;
}

int LineHeight(HWND control)
{
    return static_cast<int>(SendMessageW(control, SCI_TEXTHEIGHT, 0, 0));
}

double DefaultPoints(HWND control)
{
    return static_cast<double>(SendMessageW(control, SCI_STYLEGETSIZEFRACTIONAL, STYLE_DEFAULT, 0)) / SC_FONT_SIZE_MULTIPLIER;
}

} // namespace editor

std::wstring MainWindowTest::LastMessageText() const
{
    return dialogs.shown.empty() ? std::wstring() : dialogs.shown.back().text;
}

} // namespace tessark::test
