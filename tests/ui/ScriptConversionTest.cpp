// "Convertir le Script" through the real window, with the stand-in compiler.
#include "UiHarness.h"

#include "script/DosBox.h"
#include "script/ReportPanel.h"
#include "ui/RichEdit.h"
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
        for (const wchar_t* name : {L"TESSARK_STANDIN_DELAY_MS", L"TESSARK_STANDIN_SCRIPT_ERROR_LINE",
                                    L"TESSARK_STANDIN_SCRIPT_WRITE_NOTHING", L"TESSARK_STANDIN_STARTUP_LOG",
                                    DosBoxVariable})
            SetEnvironmentVariableW(name, nullptr);
        MainWindowTest::TearDown();
    }
    int ReportIndexOf(std::wstring_view text) const
    {
        const auto lines = ReportShown();
        for (std::size_t i = 0; i < lines.size(); ++i)
            if (lines[i] == text)
                return static_cast<int>(i);
        return -1;
    }
    // How many pixels of the report's line are in the error colour.
    int RedPixelsOfReportLine(int index)
    {
        HWND list = Control(id::ReportList);
        SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        RECT item{};
        SendMessageW(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
        RECT client{};
        GetClientRect(list, &client);
        const auto pixels = Snapshot(list);
        int red = 0;
        for (int y = std::max(0L, item.top); y < std::min(item.bottom, client.bottom); ++y)
            for (int x = 0; x < client.right; ++x)
                red += pixels[static_cast<std::size_t>(y * client.right + x)] == ReportErrorColour;
        return red;
    }
    void DoubleClickReportLine(int index)
    {
        HWND list = Control(id::ReportList);
        RECT item{};
        SendMessageW(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
        const LPARAM at = MAKELPARAM(item.left + 10, (item.top + item.bottom) / 2);
        SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(list, WM_LBUTTONUP, 0, at);
        SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        SendMessageW(list, WM_LBUTTONUP, 0, at);
        Pump();
    }
    void WriteLanguageScript(const std::string& languages = "File= 0,FRENCH.TXT\r\nFile=\t1, ENGLISH.TXT ; anglais\r\n")
    {
        WriteBytes(script, "[Language]\r\n" + languages + "[Level]\r\nName= Le Caire\r\n");
        for (const wchar_t* language : {L"FRENCH.TXT", L"ENGLISH.TXT"})
            WriteBytes(folder + language, "Strings\r\n");
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
    std::wstring folder = installation / L"script\\";
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

// Tessark's own compiler takes over, and says why; this script's error then
// stops it before any file is written.
TEST_F(ScriptConversionTest, AMissingCompilerIsNamedAtOnceAndTessarkCompilesInstead)
{
    OpenScriptEditor();
    dialogs.Answer(DialogButton::Ok);
    const ULONGLONG start = GetTickCount64();
    Click(id::BtConvertScript);
    EXPECT_LT(GetTickCount64() - start, 1500u);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Error);
    EXPECT_EQ(dialogs.shown[0].text.rfind(L"Le script n'a pas été compilé :\nLigne 2 : « Le Caire »", 0), 0u)
        << dialogs.shown[0].text;
    EXPECT_NE(ReportIndexOf(L"Script.exe est introuvable (" + compiler + L") : Tessark compile le script lui-même."),
              -1);
    EXPECT_FALSE(Exists(output));
    EXPECT_FALSE(HourGlass::Active());
}

TEST_F(ScriptConversionTest, ACompilerThatIsNoProgramIsReported)
{
    WriteBytes(compiler, "ceci n'est pas un programme");
    OpenScriptEditor();
    dialogs.Answer(DialogButton::Ok);
    Click(id::BtConvertScript);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, L"Le compilateur de script n'est pas un programme :\n" + compiler +
                                         L"\n\nRemplacez-le par le Script.exe de l'éditeur de niveaux.");
    EXPECT_EQ(ReadBytes(compiler), "ceci n'est pas un programme");
    EXPECT_FALSE(Exists(output));
    EXPECT_FALSE(CursorIsHourGlass());
}

TEST_F(ScriptConversionTest, AWindowsCompilerIsHeardWithoutAConsoleAndItsFilesAreChecked)
{
    InstallCompiler();
    WriteLanguageScript();
    WriteBytes(folder + L"FRENCH.DAT", "ancien");
    OpenScriptEditor();
    EXPECT_EQ(SendMessageW(Control(id::ReportList), LB_GETCOUNT, 0, 0), 0) << "nothing to show yet";
    TempFolder logs;
    SetEnvironmentVariableW(L"TESSARK_STANDIN_STARTUP_LOG", (logs / L"startup.txt").c_str());

    Click(id::BtConvertScript);

    EXPECT_TRUE(dialogs.shown.empty());
    const std::vector<std::wstring> expected = {
        L"Script.exe stand-in (Tessark demo): compiling script.txt",
        L"  FRENCH.TXT -> FRENCH.DAT",
        L"  ENGLISH.TXT -> ENGLISH.DAT",
        L"Script.exe stand-in (Tessark demo): script.txt -> script.dat, 5 lines, 1 level(s)",
        L"Script compilé : script.dat, FRENCH.DAT, ENGLISH.DAT",
    };
    EXPECT_EQ(ReportShown(), expected);
    EXPECT_EQ(RedPixelsOfReportLine(4), 0);
    EXPECT_NE(ReadBytes(folder + L"FRENCH.DAT").find("source=FRENCH.TXT"), std::string::npos);
    EXPECT_NE(ReadBytes(folder + L"ENGLISH.DAT").find("source=ENGLISH.TXT"), std::string::npos);
    // Its own pipes and a hidden window: no console comes up.
    EXPECT_EQ(ReadBytes(logs / L"startup.txt"), "dwFlags=0x101 wShowWindow=0");
    // The report sits under the editor, which makes room for it.
    const RECT editor = RectIn(Control(id::Editor), Control(id::GroupBox1));
    const RECT report = RectIn(Control(id::ReportList), Control(id::GroupBox1));
    EXPECT_LT(editor.bottom, report.top);
    EXPECT_EQ(editor.left, report.left);
    EXPECT_EQ(editor.right, report.right);
}

TEST_F(ScriptConversionTest, ACompilerThatMakesNothingIsToldAndItsTextShown)
{
    InstallCompiler();
    WriteLanguageScript("File= 0,FRENCH.TXT\r\n");
    WriteBytes(output, "compilé la veille");
    OpenScriptEditor();
    SetEnvironmentVariableW(L"TESSARK_STANDIN_SCRIPT_WRITE_NOTHING", L"1");
    dialogs.Answer(DialogButton::Ok);

    Click(id::BtConvertScript);

    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Warning);
    EXPECT_EQ(dialogs.shown[0].text, L"Le script n'a pas été compilé : le compilateur n'a pas produit "
                                     L"script.dat, FRENCH.DAT.\nSon texte est affiché sous l'éditeur.");
    const auto lines = ReportShown();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), L"Script.exe stand-in (Tessark demo): compiling script.txt");
    EXPECT_EQ(lines.back(), L"Le compilateur n'a pas produit : script.dat, FRENCH.DAT");
    EXPECT_GT(RedPixelsOfReportLine(static_cast<int>(lines.size()) - 1), 0);
    EXPECT_EQ(ReadBytes(output), "compilé la veille") << "an old script.dat is no new one";
}

TEST_F(ScriptConversionTest, AnErrorLineIsRedAndADoubleClickTakesTheCaretToItsLine)
{
    InstallCompiler();
    WriteBytes(script, "[Level]\r\nName= Le Caire\r\n; la ligne 3\r\n\r\n");
    OpenScriptEditor();
    SetEnvironmentVariableW(L"TESSARK_STANDIN_SCRIPT_ERROR_LINE", L"3");
    dialogs.Answer(DialogButton::Ok);

    Click(id::BtConvertScript);

    ASSERT_EQ(dialogs.shown.size(), 1u);
    const int error = ReportIndexOf(L"Error in line 3: unknown command");
    ASSERT_GE(error, 0);
    EXPECT_GT(RedPixelsOfReportLine(error), 0);
    EXPECT_EQ(RedPixelsOfReportLine(0), 0) << "the first line says no error";

    SetFocus(Control(id::ReportList));
    DoubleClickReportLine(error);
    EXPECT_EQ(GetFocus(), Control(id::Editor));
    EXPECT_EQ(StatusPanel(0), L"Line:   3   Col:   1");
    const auto selection = editor::GetSelection(Control(id::Editor));
    EXPECT_EQ(editor::LineFromChar(Control(id::Editor), selection.start), 2);

    // A line naming no script line leaves the caret where it is.
    DoubleClickReportLine(0);
    EXPECT_EQ(StatusPanel(0), L"Line:   3   Col:   1");
}

TEST_F(ScriptConversionTest, ADosCompilerWithoutDosBoxIsExplainedAndTessarkCompilesInstead)
{
    std::string dosProgram(0x40, '\0');
    dosProgram.replace(0, 2, "MZ");
    WriteBytes(compiler, dosProgram);
    OpenScriptEditor();
    SetEnvironmentVariableW(DosBoxVariable, L"none");
    dialogs.Answer(DialogButton::Ok);

    const ULONGLONG start = GetTickCount64();
    Click(id::BtConvertScript);

    EXPECT_LT(GetTickCount64() - start, 1500u) << "no silent wait";
    EXPECT_NE(ReportIndexOf(L"Script.exe est un programme DOS et DOSBox est introuvable (" + compiler +
                            L") : Tessark compile le script lui-même."),
              -1);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Error);
    EXPECT_EQ(dialogs.shown[0].text.rfind(L"Le script n'a pas été compilé :", 0), 0u) << dialogs.shown[0].text;
    EXPECT_FALSE(Exists(output));
    EXPECT_EQ(ReadBytes(compiler), dosProgram);
}

TEST_F(ScriptConversionTest, ADosCompilerRunsThroughDosBoxAndItsTextIsShown)
{
#ifndef TESSARK_DOS_SCRIPT_STANDIN
    GTEST_SKIP() << "nasm was not found at build time: no DOS stand-in compiler";
#else
    if (!FindDosBox())
        GTEST_SKIP() << "DOSBox is not installed (Debian: apt-get install dosbox)";
    ASSERT_TRUE(CopyFileW(TESSARK_DOS_SCRIPT_STANDIN, compiler.c_str(), FALSE));
    WriteLanguageScript("File= 0,ENGLISH.TXT\r\n");
    OpenScriptEditor();

    Click(id::BtConvertScript);

    EXPECT_TRUE(dialogs.shown.empty());
    const std::vector<std::wstring> expected = {
        L"Script.exe DOS stand-in (Tessark tests): compiling SCRIPT.TXT",
        L"SCRIPT.DAT and ENGLISH.DAT written",
        L"Script compilé : script.dat, ENGLISH.DAT",
    };
    EXPECT_EQ(ReportShown(), expected);
    EXPECT_EQ(ReadBytes(output), "TESSARK-STANDIN DOS.DAT 1\r\n");
    EXPECT_EQ(ReadBytes(folder + L"ENGLISH.DAT"), "TESSARK-STANDIN DOS.DAT 1\r\n");
#endif
}

TEST_F(ScriptConversionTest, ALanguageFileOutsideTheScriptFolderStopsTheCompilation)
{
    InstallCompiler();
    WriteLanguageScript("File= 0,FRENCH.TXT\r\nFile= 1,..\\ENGLISH.TXT\r\n");
    OpenScriptEditor();
    dialogs.Answer(DialogButton::Ok);

    Click(id::BtConvertScript);

    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, L"Le script nomme un fichier de langue hors de son dossier : il n'est pas "
                                     L"compilé.\nFichier de langue hors du dossier du script : ..\\ENGLISH.TXT");
    EXPECT_EQ(ReportShown(), std::vector<std::wstring>{L"Fichier de langue hors du dossier du script : ..\\ENGLISH.TXT"});
    EXPECT_GT(RedPixelsOfReportLine(0), 0);
    EXPECT_FALSE(Exists(output)) << "the compiler did not run";
    EXPECT_FALSE(Exists(installation / L"ENGLISH.DAT"));
    DoubleClickReportLine(0);
    EXPECT_EQ(StatusPanel(0), L"Line:   3   Col:   1");
}

TEST_F(ScriptConversionTest, FilesTheCompilerCannotWriteAreReportedAndKept)
{
    InstallCompiler();
    WriteLanguageScript();
    WriteBytes(output, "ancien script.dat");
    CreateDirectoryW((folder + L"FRENCH.DAT").c_str(), nullptr);  // a folder in the way
    OpenScriptEditor();
    HeldByAnotherProcess held(output);
    dialogs.Answer(DialogButton::Ok);

    Click(id::BtConvertScript);

    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Warning);
    const auto lines = ReportShown();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_NE(lines[lines.size() - 2].find(L"cannot write"), std::wstring::npos) << "the compiler's own words";
    EXPECT_EQ(lines.back(), L"Le compilateur n'a pas produit : script.dat, FRENCH.DAT, ENGLISH.DAT");
    EXPECT_EQ(GetFileAttributesW((folder + L"FRENCH.DAT").c_str()) & FILE_ATTRIBUTE_DIRECTORY,
              static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
}

TEST_F(ScriptConversionTest, AFiveMegabyteScriptCompilesWithoutHanging)
{
    InstallCompiler();
    std::string big = "[Language]\r\nFile= 0,ENGLISH.TXT\r\n";
    while (big.size() < 5 * 1024 * 1024)
        big += "[Level]\r\nName=\tLe Caire ; un niveau de plus\r\nLevel= DATA\\CAIRE,101\r\n";
    WriteBytes(script, big);
    WriteBytes(folder + L"ENGLISH.TXT", "Strings\r\n");
    CreateDirectoryW((installation / L"data").c_str(), nullptr);
    WriteBytes(installation / L"data\\caire.tr4", "");
    OpenScriptEditor();

    const ULONGLONG start = GetTickCount64();
    Click(id::BtConvertScript);
    const ULONGLONG took = GetTickCount64() - start;

    EXPECT_LT(took, 30000u);
    EXPECT_TRUE(dialogs.shown.empty());
    const auto lines = ReportShown();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), L"Script compilé : script.dat, ENGLISH.DAT");
    EXPECT_NE(ReadBytes(output).find("bytes=" + std::to_string(big.size())), std::string::npos);
    std::cout << "[ MEASURE  ] 5 MB script compiled and reported in " << took << " ms\n";
}

TEST_F(ScriptConversionTest, AStuckCompilerIsStoppedWhenTheUserSaysSo)
{
    InstallCompiler();
    OpenScriptEditor();
    form->SetCompilerPatience(1000);
    SetEnvironmentVariableW(L"TESSARK_STANDIN_DELAY_MS", L"60000");
    dialogs.Answer(DialogButton::No);   // wait on once
    dialogs.Answer(DialogButton::Yes);  // then stop it

    const ULONGLONG start = GetTickCount64();
    Click(id::BtConvertScript);
    const ULONGLONG took = GetTickCount64() - start;

    EXPECT_GE(took, 2000u);
    EXPECT_LT(took, 10000u);
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Confirmation);
    EXPECT_EQ(dialogs.shown[0].text, L"Le compilateur de script tourne depuis 1 s sans avoir fini.\nL'arrêter ?");
    EXPECT_EQ(dialogs.shown[1].text, L"Le compilateur de script tourne depuis 2 s sans avoir fini.\nL'arrêter ?");
    const auto lines = ReportShown();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], L"Compilation arrêtée : le compilateur ne finissait pas.");
    EXPECT_EQ(lines.back(), L"Le compilateur n'a pas produit : script.dat");
    EXPECT_FALSE(Exists(output));
    EXPECT_FALSE(HourGlass::Active());
}

// The check of the script, on demand and before each compilation.
class ScriptCheckWindowTest : public ScriptConversionTest {};

TEST_F(ScriptCheckWindowTest, TheTextOnScreenIsCheckedOnDemandAndEachFindingLeadsToItsLine)
{
    CreateDirectoryW((installation / L"data").c_str(), nullptr);
    WriteBytes(installation / L"data\\caire.tr4", "");
    WriteBytes(folder + L"ENGLISH.TXT", "Strings\r\n");
    OpenScriptEditor();
    EXPECT_TRUE(Enabled(id::BtVerifScript));
    SetEditorText(L"[Language]\r\nFile= 0,ENGLISH.TXT\r\n[Level]\r\nName= Le Caire\r\nLevel= DATA\\CAIRE,101\r\n");

    Click(id::BtVerifScript);
    EXPECT_EQ(ReportShown(), std::vector<std::wstring>{L"Vérification du script : aucun problème trouvé."});
    EXPECT_EQ(RedPixelsOfReportLine(0), 0);

    // Unsaved text with faults: what the user sees is what is checked.
    SetEditorText(L"[Language]\r\nFile= 0,FRENCH.TXT\r\n[Level]\r\nName= Le Caire\r\nLevel= DATA\\NIL,101\r\n"
                  L"Nmae= x\r\n");
    Click(id::BtVerifScript);
    const auto lines = ReportShown();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], L"Ligne 2 : le fichier de langue « FRENCH.TXT » est introuvable dans le dossier du script");
    EXPECT_EQ(lines[1], L"Ligne 5 : le fichier du niveau « DATA\\NIL » est introuvable");
    EXPECT_EQ(lines[2], L"Ligne 6 : commande inconnue « Nmae »");
    EXPECT_GT(RedPixelsOfReportLine(2), 0);
    DoubleClickReportLine(1);
    EXPECT_EQ(GetFocus(), Control(id::Editor));
    EXPECT_EQ(StatusPanel(0), L"Line:   5   Col:   1");
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_FALSE(Exists(output)) << "a check compiles nothing";
}

TEST_F(ScriptCheckWindowTest, FindingsBeforeCompilingAskWhetherToCompileAllTheSame)
{
    InstallCompiler();
    WriteBytes(script, "[Level]\r\nName= Le Caire\r\nNmae= x\r\nHorizn= x\r\nLegnd= x\r\nLyer1= x\r\nRian= x\r\n");
    OpenScriptEditor();
    const std::wstring question = L"La vérification du script a trouvé 5 problème(s), listé(s) sous l'éditeur.\n"
                                  L"Compiler quand même ?";

    dialogs.Answer(DialogButton::No);
    Click(id::BtConvertScript);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Confirmation);
    EXPECT_EQ(dialogs.shown[0].text, question);
    const auto findings = ReportShown();
    ASSERT_EQ(findings.size(), 5u);
    EXPECT_EQ(findings[0], L"Ligne 3 : commande inconnue « Nmae »");
    EXPECT_FALSE(Exists(output)) << "Non: the compiler did not run";

    dialogs.Answer(DialogButton::Yes);
    Click(id::BtConvertScript);
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[1].text, question);
    const auto lines = ReportShown();
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(std::vector<std::wstring>(lines.begin(), lines.begin() + 5), findings);
    EXPECT_EQ(lines[5], L"Script.exe stand-in (Tessark demo): compiling script.txt");
    EXPECT_EQ(lines.back(), L"Script compilé : script.dat");
    EXPECT_TRUE(Exists(output));
    // The result, last, is in view.
    HWND list = Control(id::ReportList);
    RECT last{}, client{};
    SendMessageW(list, LB_GETITEMRECT, lines.size() - 1, reinterpret_cast<LPARAM>(&last));
    GetClientRect(list, &client);
    EXPECT_GT(SendMessageW(list, LB_GETTOPINDEX, 0, 0), 0);
    EXPECT_GE(last.top, 0);
    EXPECT_LE(last.bottom, client.bottom);
}

TEST_F(ScriptCheckWindowTest, AnotherTextOpenedOrANewOneLeavesNoReportOfTheOldOne)
{
    WriteBytes(script, "[Level]\r\nNmae= x\r\n");
    const std::wstring other = installation / L"script\\autre.txt";
    WriteBytes(other, "ligne 1\r\nligne 2\r\n");
    OpenScriptEditor();
    Click(id::BtVerifScript);
    ASSERT_EQ(ReportShown(), std::vector<std::wstring>{L"Ligne 2 : commande inconnue « Nmae »"});

    // Its line 2 would lead into a text it was not made from.
    dialogs.ChooseFile(other);
    Menu(id::FileOpenCmd);
    EXPECT_EQ(EditorText(), L"ligne 1\rligne 2\r");
    EXPECT_TRUE(ReportShown().empty());

    Click(id::BtVerifScript);
    ASSERT_FALSE(ReportShown().empty());
    ClickToolButton(id::Btnouveau);
    EXPECT_TRUE(ReportShown().empty());
}

} // namespace
} // namespace tessark::test
