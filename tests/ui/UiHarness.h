#pragma once
// Drives the real main window in this process: real controls, real messages;
// only the message boxes and file dialogs are answered by the test.
#include "ui/ControlIds.h"
#include "ui/Dialogs.h"
#include "app/MainForm.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tessark::test {

struct ShownMessage {
    enum class Kind { Dialog, Plain, Failure, Choice } how;
    DialogKind kind;
    std::wstring text;
    std::vector<DialogButton> buttons;
    std::vector<DialogChoice> choices = {};  // a choice question's ways
};

class FakeDialogs final : public IDialogs {
public:
    void Answer(DialogButton button) { answers_.push_back(button); }
    void ChooseFile(std::optional<std::wstring> path) { files_.push_back(std::move(path)); }
    // The next choice question takes the way of this index; nothing cancels it.
    void AnswerChoice(std::optional<std::size_t> way) { choices_.push_back(way); }
    // The next modal form is prepared as for showing, then handed to `answer`,
    // which works its controls as the user would until it has a result.
    void AnswerModal(std::function<void(HWND form)> answer) { modals_.push_back(std::move(answer)); }
    // The next number question gets `number`; nothing is a cancel.
    void AnswerNumber(std::optional<int> number) { numbers_.push_back(number); }

    DialogButton MessageDlg(HWND, std::wstring_view text, DialogKind kind,
                            const std::vector<DialogButton>& buttons) override;
    void ShowMessage(HWND, std::wstring_view text) override;
    void ShowError(HWND, std::wstring_view text) override;
    std::optional<std::size_t> ChooseAmong(HWND, std::wstring_view text, DialogKind kind,
                                           const std::vector<DialogChoice>& choices) override;
    std::optional<std::wstring> OpenFile(HWND, const FileDialogRequest& request) override;
    std::optional<std::wstring> SaveFile(HWND, const FileDialogRequest& request) override;
    ModalResult ShowModal(HWND owner, IModalForm& form) override;
    std::optional<int> AskNumber(HWND owner, const NumberRequest& request) override;
    int modalsShown = 0;
    std::vector<NumberRequest> numberRequests;

    std::vector<ShownMessage> shown;
    std::vector<FileDialogRequest> openRequests;
    std::vector<FileDialogRequest> saveRequests;
    bool unansweredQuestions() const
    {
        return !answers_.empty() || !files_.empty() || !modals_.empty() || !choices_.empty() || !numbers_.empty();
    }

private:
    std::optional<std::wstring> NextFile(const char* what);
    std::deque<DialogButton> answers_;
    std::deque<std::optional<std::size_t>> choices_;
    std::deque<std::optional<std::wstring>> files_;
    std::deque<std::function<void(HWND)>> modals_;
    std::deque<std::optional<int>> numbers_;
};

// A fresh folder under the temporary folder, removed with everything in it.
class TempFolder {
public:
    explicit TempFolder(std::wstring_view name = L"tessark test");
    ~TempFolder();
    const std::wstring& path() const { return path_; }   // ends in '\'
    std::wstring operator/(std::wstring_view relative) const { return path_ + std::wstring(relative); }

private:
    std::wstring path_;
};

std::string ReadBytes(const std::wstring& path);
// The window class's name, as GetClassName gives it.
std::wstring ClassOf(HWND window);
// A window's rectangle in the client coordinates of another.
RECT RectIn(HWND child, HWND parent);
void WriteBytes(const std::wstring& path, const std::string& bytes);
bool Exists(const std::wstring& path);
// The names of the files (not folders) in a folder that ends in '\'.
std::vector<std::wstring> FilesIn(const std::wstring& folder);
// The small disk that the test session mounts to be filled up, when it could.
std::optional<std::wstring> TinyDisk();
// Another process holds the file (or folder) open with no sharing, as long as
// this object lives.
class HeldByAnotherProcess {
public:
    explicit HeldByAnotherProcess(const std::wstring& path);
    ~HeldByAnotherProcess();
    HeldByAnotherProcess(const HeldByAnotherProcess&) = delete;
    HeldByAnotherProcess& operator=(const HeldByAnotherProcess&) = delete;

private:
    HANDLE process_ = nullptr;
};
// The pixels a window shows, row by row.
std::vector<COLORREF> Snapshot(HWND window);
// A real key press (with `held` keys down around it) once the next message
// loop runs: a modal form's loop, which the test cannot reach otherwise.
void PressKeyFromNextLoop(WORD virtualKey, std::vector<WORD> held = {});
// The script editor's control read as the user sees it: positions count
// characters, a line end as one, whatever the file's bytes.
namespace editor {
struct Selection {
    long start = 0;
    long end = 0;
};
Selection GetSelection(HWND control);
void Select(HWND control, long start, long end);
long LineFromChar(HWND control, long characterIndex);
long LineIndex(HWND control, long line);
bool IsModified(HWND control);
int LineHeight(HWND control);      // in pixels
double DefaultPoints(HWND control);
} // namespace editor
inline constexpr const char* NoTinyDisk = "no small disk was mounted for this test run (mounting needs root)";

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Starts the program as if it lay in the test's installation folder.
    void Start(std::vector<std::wstring> arguments = {});

    void Pump();
    void Click(int controlId);              // a button of the tool column
    void ClickToolButton(int commandId);    // a button of the editor's toolbar
    void Menu(int commandId);
    void PressShortcut(WORD virtualKey, bool control, bool alt = false);
    // A key pressed and released while the `held` keys are down.
    void PressChord(std::vector<WORD> held, WORD virtualKey);
    void PressTab(bool backwards = false, bool control = false);
    // Writes `bytes` to `path` and opens it with "Editer un script", starting
    // the window first when the test has not.
    void OpenInScriptEditor(const std::wstring& path, const std::string& bytes);
    void TypeText(std::wstring_view text);  // into the focused control
    // Lower-case letters, digits and Enter as real key presses, through the
    // message loop to whichever window has the focus.
    void PressKeys(std::wstring_view keys);
    void DropFiles(const std::vector<std::wstring>& paths);
    void CloseWindow();                      // as the close box does

    HWND Control(int controlId) const { return form->Control(controlId); }
    std::wstring Caption(int controlId) const;
    // The lines the report under the script editor shows, as the user reads them.
    std::vector<std::wstring> ReportShown() const;
    bool ReportHas(std::wstring_view text) const;
    bool Enabled(int controlId) const { return IsWindowEnabled(Control(controlId)) != FALSE; }
    bool Visible(HWND window) const { return IsWindowVisible(window) != FALSE; }
    std::wstring StatusPanel(int panel) const;
    std::wstring EditorText() const;
    void SetEditorText(std::wstring_view text);  // as typed: marks the text modified
    bool WindowAlive() const { return IsWindow(mainWindow) != FALSE; }
    std::wstring LastMessageText() const;

    FakeDialogs dialogs;
    TempFolder installation;
    std::unique_ptr<TMainForm> form;
    HWND mainWindow = nullptr;
};

} // namespace tessark::test
