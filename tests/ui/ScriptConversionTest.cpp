// "Convertir le Script" through the real window, with the stand-in compiler.
#include "UiHarness.h"

#include "util/HourGlass.h"

#include <atomic>
#include <thread>

namespace tessark::test {
namespace {

class ScriptConversionTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        WriteBytes(script, "[Level]\r\nName= Le Caire\r\n[Level]\r\n");
    }
    void TearDown() override
    {
        SetEnvironmentVariableW(L"TESSARK_STANDIN_DELAY_MS", nullptr);
        MainWindowTest::TearDown();
    }
    void InstallCompiler() { ASSERT_TRUE(CopyFileW(TESSARK_SCRIPT_STANDIN, compiler.c_str(), FALSE)); }
    // The button is enabled once the editor was shown.
    void OpenScriptEditor()
    {
        Start();
        dialogs.ChooseFile(script);
        Click(id::BtEditScript);
        ASSERT_TRUE(Enabled(id::BtConvertScript));
    }
    bool CursorIsHourGlass() const { return GetCursor() == LoadCursorW(nullptr, IDC_WAIT); }

    std::wstring script = installation / L"script\\script.txt";
    std::wstring compiler = installation / L"script\\Script.exe";
    std::wstring output = installation / L"script\\script.dat";
};

TEST_F(ScriptConversionTest, CompilesTheSavedScriptOfTheScriptFolderOnceAndWaits)
{
    InstallCompiler();
    OpenScriptEditor();
    SetEditorText(L"[Level]\r\nNon enregistré\r\n");
    // The current folder may be anywhere; the compiler runs in the script folder.
    TempFolder elsewhere;
    WriteBytes(elsewhere / L"script.txt", "autre\r\n");
    SetCurrentDirectoryW(elsewhere.path().c_str());

    const ULONGLONG start = GetTickCount64();
    Click(id::BtConvertScript);
    EXPECT_GE(GetTickCount64() - start, 2000u) << "the pause follows the compiler's end";

    const std::string dat = ReadBytes(output);
    EXPECT_NE(dat.find("source=script.txt\r\nlines=3\r\n"), std::string::npos) << dat;
    EXPECT_NE(dat.find("levels=2\r\n"), std::string::npos) << "the saved file, not the editor's text";
    EXPECT_FALSE(Exists(elsewhere / L"script.dat"));
    EXPECT_FALSE(HourGlass::Active());
    EXPECT_FALSE(CursorIsHourGlass());
    EXPECT_TRUE(dialogs.shown.empty());
    SetCurrentDirectoryW(installation.path().c_str());
}

// Watches the window from another thread while it waits for the compiler.
struct WaitProbe {
    explicit WaitProbe(HWND window, HWND button) : window(window), button(button) {}
    void Run()
    {
        Sleep(400);
        InvalidateRect(window, nullptr, FALSE);
        for (int i = 0; i < 100 && !repainted; ++i) {
            RECT dirty{};
            repainted = !GetUpdateRect(window, &dirty, FALSE);
            Sleep(10);
        }
        PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    }
    HWND window, button;
    std::atomic<bool> repainted{false};
};

WNDPROC originalProcedure = nullptr;
std::atomic<bool> paintedUnderHourGlass{false};

LRESULT CALLBACK RecordingProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT && HourGlass::Active() && GetCursor() == LoadCursorW(nullptr, IDC_WAIT))
        paintedUnderHourGlass = true;
    return CallWindowProcW(originalProcedure, hwnd, message, wParam, lParam);
}

TEST_F(ScriptConversionTest, WhileWaitingTheWindowRepaintsUnderTheHourGlassAndIgnoresInput)
{
    InstallCompiler();
    OpenScriptEditor();
    SetEnvironmentVariableW(L"TESSARK_STANDIN_DELAY_MS", L"1000");
    originalProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(mainWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordingProcedure)));
    paintedUnderHourGlass = false;

    WaitProbe probe(mainWindow, Control(id::BtEditSon));
    std::thread watcher([&] { probe.Run(); });
    Click(id::BtConvertScript);
    watcher.join();
    SetWindowLongPtrW(mainWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(originalProcedure));

    EXPECT_TRUE(probe.repainted);
    EXPECT_TRUE(paintedUnderHourGlass);
    EXPECT_EQ(form->ShownArea(), WorkArea::Script) << "the click made while waiting was dropped";
    EXPECT_TRUE(Exists(output));
    EXPECT_FALSE(CursorIsHourGlass());
}

TEST_F(ScriptConversionTest, AMissingCompilerIsNamedAtOnce)
{
    OpenScriptEditor();
    dialogs.Answer(DialogButton::Ok);
    const ULONGLONG start = GetTickCount64();
    Click(id::BtConvertScript);
    EXPECT_LT(GetTickCount64() - start, 1500u);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Error);
    EXPECT_EQ(dialogs.shown[0].text, L"Le compilateur de script est introuvable :\n" + compiler);
    EXPECT_FALSE(HourGlass::Active());
}

TEST_F(ScriptConversionTest, ACompilerThatIsNoProgramIsReported)
{
    WriteBytes(compiler, "ceci n'est pas un programme");
    OpenScriptEditor();
    dialogs.Answer(DialogButton::Ok);
    Click(id::BtConvertScript);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, L"Le compilateur de script n'a pas pu être lancé :\n" + compiler);
    EXPECT_EQ(ReadBytes(compiler), "ceci n'est pas un programme");
    EXPECT_FALSE(Exists(output));
    EXPECT_FALSE(CursorIsHourGlass());
}

} // namespace
} // namespace tessark::test
