// The unsaved script text is never lost unseen: the shortcuts act in the main
// window only, keys never reach a hidden editor, the sound catalogue and the
// end of the session ask first, the command-line file is read safely and
// saved where it came from, and characters Windows-1252 cannot hold are
// refused by name before they reach a Windows-1252 document.
#include "UiHarness.h"

#include "app/FicheAideSFX.h"
#include "script/ScriptArea.h"
#include "sound/SoundArea.h"

#include <imm.h>

#include <cwchar>

namespace tessark::test {
namespace {

std::wstring CharactersRefused(std::wstring_view characters)
{
    return L"Ce fichier est écrit en Windows-1252, qui ne connaît pas " + std::wstring(characters) +
           L" : le texte n'a pas changé, rien n'est devenu « ? ».";
}

class UnsavedTextTest : public MainWindowTest {
protected:
    void OpenScript(const std::string& bytes)
    {
        WriteBytes(script, bytes);
        if (!form)
            Start();
        dialogs.ChooseFile(script);
        Click(id::BtEditScript);
    }
    std::wstring SaveQuestion(const std::wstring& name) const { return L"Le texte a changé. Sauver " + name + L"?"; }
    HWND Editor() const { return Control(id::Editor); }
    bool Questioned() const
    {
        for (const auto& shown : dialogs.shown)
            if (shown.how == ShownMessage::Kind::Dialog)
                return true;
        return false;
    }
    LRESULT QueryEndSession(LPARAM reason = ENDSESSION_LOGOFF)
    {
        const LRESULT answer = SendMessageW(mainWindow, WM_QUERYENDSESSION, 0, reason);
        Pump();
        return answer;
    }
    void EndSession(bool ending, LPARAM reason = ENDSESSION_LOGOFF)
    {
        SendMessageW(mainWindow, WM_ENDSESSION, ending ? TRUE : FALSE, reason);
        Pump();
    }
    // Puts `text` on the clipboard as another program would.
    static void CopyToClipboard(std::wstring_view text)
    {
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
        auto* room = static_cast<wchar_t*>(GlobalLock(memory));
        std::wmemcpy(room, text.data(), text.size());
        room[text.size()] = L'\0';
        GlobalUnlock(memory);
        SetClipboardData(CF_UNICODETEXT, memory);
        CloseClipboard();
    }

    std::wstring script = installation / L"script\\script.txt";
    std::wstring rescued = installation / L"script\\script.txt.recupere";
};

// --- the action list's shortcuts

TEST_F(UnsavedTextTest, TheShortcutsPressedInTheHelpWindowLeaveTheScriptAlone)
{
    WriteBytes(installation / L"AideVUDEvizuzi.rtf", "{\\rtf1\\ansi Aide du script.\\par}");
    OpenScript("ancien");
    SetEditorText(L"mes changements");
    Menu(id::Aide1);
    HWND help = form->FicheAide().hwnd();
    ASSERT_TRUE(Visible(help));
    SetForegroundWindow(help);
    SetFocus(form->FicheAide().RichEdit1());
    Pump();
    ASSERT_EQ(GetFocus(), form->FicheAide().RichEdit1());
    const auto openDialogs = dialogs.openRequests.size();

    PressShortcut('N', true);
    PressShortcut('O', true);
    PressShortcut('X', false, true);
    EXPECT_FALSE(Questioned()) << "no shortcut of the main window ran";
    EXPECT_EQ(dialogs.openRequests.size(), openDialogs);
    EXPECT_TRUE(WindowAlive());
    EXPECT_EQ(EditorText(), L"mes changements");
    EXPECT_EQ(StatusPanel(1), L"Modified");
    EXPECT_EQ(form->Script().DocumentName(), script);

    // In the main window they still act, whichever control has the focus.
    SetForegroundWindow(mainWindow);
    SetFocus(Editor());
    Pump();
    PressShortcut('N', true);
    EXPECT_EQ(EditorText(), L"");
    EXPECT_EQ(form->Script().DocumentName(), L"Sans nom");
}

// --- the focus

TEST_F(UnsavedTextTest, KeysTypedAfterACommandLineLoadNeverReachTheHiddenEditor)
{
    const std::wstring file = installation / L"a.txt";
    WriteBytes(file, "[Level]\r\n");
    Start({file});
    ASSERT_EQ(EditorText(), L"[Level]\r");
    EXPECT_NE(GetFocus(), Editor());
    PressKeys(L"abc");
    EXPECT_EQ(EditorText(), L"[Level]\r");
    EXPECT_EQ(StatusPanel(1), L"");
    EXPECT_FALSE(editor::IsModified(Editor()));
}

TEST_F(UnsavedTextTest, KeysTypedAfterADropOnTheHiddenEditorNeverReachIt)
{
    OpenScript("[Level]\r\n");
    EXPECT_EQ(GetFocus(), Editor()) << "the shown editor takes the focus";
    Click(id::BtEditSon);
    const std::wstring dropped = installation / L"b.txt";
    WriteBytes(dropped, "lu\r\n");
    DropFiles({dropped});
    ASSERT_EQ(form->Script().DocumentName(), dropped);
    EXPECT_NE(GetFocus(), Editor());
    PressKeys(L"xyz");
    EXPECT_EQ(EditorText(), L"lu\r");
    EXPECT_EQ(StatusPanel(1), L"");
    EXPECT_EQ(ReadBytes(dropped), "lu\r\n");
}

// --- the sound catalogue

class CatalogueOverUnsavedTextTest : public UnsavedTextTest {
protected:
    void SetUp() override
    {
        UnsavedTextTest::SetUp();
        CreateDirectoryW((installation / L"Sound").c_str(), nullptr);
        CreateDirectoryW((installation / L"Sound\\VidedIRU Dovezev").c_str(), nullptr);
        WriteBytes(catalogue, "PORTE: porte_grince\r\n");
    }
    void OpenCatalogue()
    {
        SendMessageW(Control(id::MenuTexteSFX), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        SendMessageW(Control(id::MenuTexteSFX), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
        Pump();
    }
    std::wstring catalogue = installation / L"Sound\\VidedIRU Dovezev\\Sounds.txt";
};

TEST_F(CatalogueOverUnsavedTextTest, AnnulerKeepsEverythingAsItWas)
{
    OpenScript("ancien");
    SetEditorText(L"mon script");
    Click(id::BtEditSon);
    dialogs.Answer(DialogButton::Cancel);
    OpenCatalogue();
    EXPECT_EQ(LastMessageText(), SaveQuestion(script));
    EXPECT_EQ(EditorText(), L"mon script");
    EXPECT_EQ(form->Script().DocumentName(), script);
    EXPECT_EQ(StatusPanel(1), L"Modified");
    EXPECT_EQ(form->ShownArea(), WorkArea::Sound);
    EXPECT_TRUE(Enabled(id::Panel1));
    EXPECT_TRUE(Enabled(id::BtConvertSFX));
    EXPECT_FALSE(Visible(Control(id::BtRetourSFX)));
    EXPECT_EQ(ReadBytes(script), "ancien");
}

TEST_F(CatalogueOverUnsavedTextTest, OuiSavesTheScriptFirstAndNonDropsIt)
{
    OpenScript("ancien");
    SetEditorText(L"mon script");
    Click(id::BtEditSon);
    dialogs.Answer(DialogButton::Yes);
    OpenCatalogue();
    EXPECT_EQ(ReadBytes(script), "mon script");
    EXPECT_EQ(EditorText(), L"PORTE: porte_grince\r");
    EXPECT_EQ(form->ShownArea(), WorkArea::Script);

    Click(id::BtRetourSFX);
    dialogs.ChooseFile(script);
    Click(id::BtEditScript);
    SetEditorText(L"encore changé");
    Click(id::BtEditSon);
    dialogs.Answer(DialogButton::No);
    OpenCatalogue();
    EXPECT_EQ(EditorText(), L"PORTE: porte_grince\r");
    EXPECT_EQ(ReadBytes(script), "mon script");
}

// --- the end of the session

TEST_F(UnsavedTextTest, TheEndOfTheSessionAsksAndAnnulerRefusesItThenARescueIfItEndsAnyway)
{
    OpenScript("ancien\r\n");
    SetEditorText(L"nouveau\r");
    dialogs.Answer(DialogButton::Cancel);
    EXPECT_EQ(QueryEndSession(), FALSE);
    EXPECT_EQ(LastMessageText(), SaveQuestion(script));
    EXPECT_EQ(dialogs.shown.back().buttons,
              (std::vector<DialogButton>{DialogButton::Yes, DialogButton::No, DialogButton::Cancel}));
    EXPECT_TRUE(WindowAlive());
    EXPECT_FALSE(Exists(rescued));

    // Ended anyway (forced by the user or the system): the text is written beside its file.
    EndSession(true);
    EXPECT_EQ(ReadBytes(rescued), "nouveau\r\n");
    EXPECT_EQ(ReadBytes(script), "ancien\r\n");
}

TEST_F(UnsavedTextTest, OuiSavesBeforeTheSessionEndsAndNonLetsTheTextGo)
{
    OpenScript("ancien");
    SetEditorText(L"nouveau");
    dialogs.Answer(DialogButton::Yes);
    EXPECT_EQ(QueryEndSession(), TRUE);
    EXPECT_EQ(ReadBytes(script), "nouveau");
    EndSession(true);
    EXPECT_FALSE(Exists(rescued));

    SetEditorText(L"abandonné");
    dialogs.Answer(DialogButton::No);
    EXPECT_EQ(QueryEndSession(), TRUE);
    EndSession(true);
    EXPECT_FALSE(Exists(rescued)) << "the user let the text go";
    EXPECT_EQ(ReadBytes(script), "nouveau");
    EXPECT_EQ(FilesIn(installation / L"script\\"), std::vector<std::wstring>{L"script.txt"});
}

TEST_F(UnsavedTextTest, ASessionEndRefusedElsewhereKeepsTheTextAndAsksAgainNextTime)
{
    OpenScript("ancien");
    SetEditorText(L"nouveau");
    dialogs.Answer(DialogButton::No);
    EXPECT_EQ(QueryEndSession(), TRUE);
    EndSession(false);
    EXPECT_TRUE(WindowAlive());
    EXPECT_EQ(EditorText(), L"nouveau");
    EXPECT_EQ(StatusPanel(1), L"Modified");

    dialogs.Answer(DialogButton::Cancel);
    EXPECT_EQ(QueryEndSession(), FALSE);
    EXPECT_EQ(dialogs.shown.size(), 2u);
    EndSession(true);
    EXPECT_EQ(ReadBytes(rescued), "nouveau");
}

TEST_F(UnsavedTextTest, ASaveThatFailsAtTheEndOfTheSessionIsShownAndRefusesTheEnd)
{
    OpenScript("ancien");
    SetEditorText(L"nouveau");
    SetFileAttributesW(script.c_str(), FILE_ATTRIBUTE_READONLY);
    dialogs.Answer(DialogButton::Yes);
    EXPECT_EQ(QueryEndSession(), FALSE);
    EXPECT_EQ(LastMessageText(), L"Impossible de créer le fichier " + script + L".");
    EndSession(true);
    EXPECT_EQ(ReadBytes(rescued), "nouveau");
    EXPECT_EQ(ReadBytes(script), "ancien");
}

TEST_F(UnsavedTextTest, ACriticalEndAsksNothingAndRescuesAtOnceAnUntitledTextToo)
{
    OpenScript("ancien");
    ClickToolButton(id::Btnouveau);
    SetEditorText(L"sans titre\r");
    EXPECT_EQ(QueryEndSession(ENDSESSION_CRITICAL), TRUE);
    EXPECT_FALSE(Questioned()) << "a critical end waits for no answer";
    const std::wstring untitled = installation / L"script\\Sans nom.txt.recupere";
    EXPECT_EQ(ReadBytes(untitled), "sans titre\r\n");
    EndSession(true, ENDSESSION_CRITICAL);
    EXPECT_EQ(ReadBytes(untitled), "sans titre\r\n");
    EXPECT_EQ(ReadBytes(script), "ancien");
}

// --- the command-line file

TEST_F(UnsavedTextTest, ACommandLineFileHeldByAnotherProgramIsReportedAndTheProgramGoesOn)
{
    const std::wstring file = installation / L"tenu.txt";
    WriteBytes(file, "[Level]\r\n");
    {
        HeldByAnotherProcess holder(file);
        Start({file});
    }
    ASSERT_TRUE(WindowAlive());
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.shown.back().how, ShownMessage::Kind::Failure);
    EXPECT_EQ(LastMessageText(), L"Impossible d'ouvrir le fichier " + file + L".");
    EXPECT_EQ(EditorText(), L"");
    EXPECT_EQ(form->Script().DocumentName(), L"Sans nom");
    EXPECT_EQ(StatusPanel(1), L"");
    // The program goes on.
    Click(id::BtEditSon);
    EXPECT_EQ(form->ShownArea(), WorkArea::Sound);
}

TEST_F(UnsavedTextTest, ARelativeCommandLineNameIsSavedWhereItWasReadAfterTheCurrentFolderMoved)
{
    wchar_t before[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, before);
    const std::wstring work = installation / L"travail", elsewhere = installation / L"ailleurs";
    CreateDirectoryW(work.c_str(), nullptr);
    CreateDirectoryW(elsewhere.c_str(), nullptr);
    WriteBytes(work + L"\\rel.txt", "ancien");
    ASSERT_TRUE(SetCurrentDirectoryW(work.c_str()));
    Start({L"rel.txt"});
    ASSERT_EQ(EditorText(), L"ancien");
    EXPECT_EQ(form->Script().DocumentName(), L"rel.txt") << "the name as given";
    EXPECT_EQ(form->Script().DocumentPath(), work + L"\\rel.txt");

    // A file list makes another folder current, as a user's click in it does.
    Click(id::BtEditSon);
    ASSERT_TRUE(form->Sounds().ReplacementFolders().SetDirectory(elsewhere));
    wchar_t current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    ASSERT_EQ(std::wstring(current), elsewhere);

    SetEditorText(L"changé");
    PressShortcut('S', true);
    EXPECT_EQ(ReadBytes(work + L"\\rel.txt"), "chang\xe9");
    EXPECT_TRUE(FilesIn(elsewhere + L"\\").empty()) << "no new file in the other folder";

    SetEditorText(L"encore");
    dialogs.Answer(DialogButton::Cancel);
    CloseWindow();
    EXPECT_EQ(LastMessageText(), SaveQuestion(L"rel.txt"));
    SetCurrentDirectoryW(before);
}

// --- characters Windows-1252 cannot hold

TEST_F(UnsavedTextTest, CharactersWindows1252CannotHoldAreRefusedByNameWhenTypedOrPasted)
{
    OpenScript("ancien");
    SetEditorText(L"[Level]\rName= ");
    SetFocus(Editor());
    editor::Select(Editor(), 14, 14);
    dialogs.Answer(DialogButton::Ok);
    TypeText(L"\u0416");
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.shown.back().kind, DialogKind::Warning);
    EXPECT_EQ(LastMessageText(), CharactersRefused(L"« \u0416 »"));
    EXPECT_EQ(EditorText(), L"[Level]\rName= ") << "nothing became '?'";

    // Pasted from another program, through the toolbar and the keyboard.
    CopyToClipboard(L"Cit\u00e9 \u97f3 \u0416\u97f3");
    dialogs.Answer(DialogButton::Ok);
    ClickToolButton(id::ToolButton2);
    EXPECT_EQ(LastMessageText(), CharactersRefused(L"« \u97f3 », « \u0416 »"));
    dialogs.Answer(DialogButton::Ok);
    PressChord({VK_CONTROL}, 'V');
    EXPECT_EQ(LastMessageText(), CharactersRefused(L"« \u97f3 », « \u0416 »"));
    EXPECT_EQ(EditorText(), L"[Level]\rName= ");
    EXPECT_FALSE(dialogs.unansweredQuestions());

    // What Windows-1252 holds goes in, and is saved as it is.
    TypeText(L"Cit\u00e9\u20ac");
    PressShortcut('S', true);
    EXPECT_EQ(ReadBytes(script), "[Level]\r\nName= Cit\xe9\x80");
}

TEST_F(UnsavedTextTest, ACharacterTypedInTwoHalvesIsRefusedWholeAndAUtf8FileTakesIt)
{
    OpenScript("ancien");
    SetFocus(Editor());
    editor::Select(Editor(), 6, 6);
    dialogs.Answer(DialogButton::Ok);
    TypeText(L"\U0001D11E");
    EXPECT_EQ(LastMessageText(), CharactersRefused(L"« \U0001D11E »"));
    EXPECT_EQ(EditorText(), L"ancien");
    EXPECT_FALSE(editor::IsModified(Editor()));

    // A UTF-8 file holds every character: nothing is refused there.
    OpenScript("\xEF\xBB\xBF" "ancien");
    SetFocus(Editor());
    editor::Select(Editor(), 6, 6);
    TypeText(L" \u0416\U0001D11E");
    PressShortcut('S', true);
    EXPECT_EQ(ReadBytes(script), "\xEF\xBB\xBF" "ancien \xD0\x96\xF0\x9D\x84\x9E");
    EXPECT_FALSE(dialogs.unansweredQuestions());
}

// An input method hands its word over whole, once it is composed.
TEST_F(UnsavedTextTest, AWordFromAnInputMethodIsRefusedWholeWhenWindows1252CannotHoldIt)
{
    OpenScript("ancien");
    SetFocus(Editor());
    editor::Select(Editor(), 6, 6);
    auto compose = [&](std::wstring_view word) {
        HIMC context = ImmGetContext(Editor());
        if (!context)
            return false;
        ImmSetCompositionStringW(context, SCS_SETSTR, const_cast<wchar_t*>(word.data()),
                                 static_cast<DWORD>(word.size() * sizeof(wchar_t)), nullptr, 0);
        ImmNotifyIME(context, NI_COMPOSITIONSTR, CPS_COMPLETE, 0);
        ImmReleaseContext(Editor(), context);
        Pump();
        return true;
    };
    dialogs.Answer(DialogButton::Ok);
    if (!compose(L" Cit\u00e9 \u0416"))
        GTEST_SKIP() << "the session has no input method context";
    EXPECT_EQ(LastMessageText(), CharactersRefused(L"« \u0416 »"));
    EXPECT_EQ(EditorText(), L"ancien") << "nothing became '?'";

    // A word Windows-1252 holds goes in.
    compose(L" Cit\u00e9");
    EXPECT_EQ(EditorText(), L"ancien Cit\u00e9");
    EXPECT_FALSE(dialogs.unansweredQuestions());
}

} // namespace
} // namespace tessark::test
