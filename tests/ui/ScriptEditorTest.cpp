// The script editor through its real controls: open, save, the byte-exact
// round trip, the unsaved-changes question, find, caret position and font size.
#include "UiHarness.h"

#include "ui/RichEdit.h"

#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>

namespace tessark::test {
namespace {

class ScriptEditorTest : public MainWindowTest {
protected:
    void OpenScript(const std::string& bytes) { OpenInScriptEditor(script, bytes); }
    HWND Editor() const { return Control(id::Editor); }
    editor::Selection Selection() const { return editor::GetSelection(Editor()); }
    std::wstring script = installation / L"script\\script.txt";
};

TEST_F(ScriptEditorTest, OpeningShowsTheScriptFolderAndTheChosenFileName)
{
    OpenScript("[Level]\r\nName= Cit\xe9\r\n");
    ASSERT_EQ(dialogs.openRequests.size(), 1u);
    const auto& request = dialogs.openRequests[0];
    EXPECT_EQ(request.initialFolder, installation / L"script");
    EXPECT_EQ(request.filter, L"Text Files (*.TXT)|*.txt|Image titre logo|*.raw");
    EXPECT_EQ(request.filterIndex, 1);
    EXPECT_EQ(Caption(id::StaticTextFichier), L"script.txt");
    EXPECT_EQ(EditorText(), L"[Level]\rName= Cité\r");
    EXPECT_EQ(StatusPanel(0), L"Line:   1   Col:   1") << "the caret stands at the start of the loaded text";
    EXPECT_EQ(StatusPanel(1), L"");
    EXPECT_EQ(GetFocus(), Editor());
    EXPECT_TRUE(IsWindowVisible(Editor()));
    EXPECT_EQ(RectIn(Editor(), Control(id::GroupBox1)).top, 14 + 35) << "below the caption and the strip";
    EXPECT_FALSE(GetWindowLongPtrW(Editor(), GWL_STYLE) & ES_READONLY);

    // The dialog proposes the name chosen last time; cancelling it changes nothing.
    dialogs.ChooseFile(std::nullopt);
    PressShortcut('O', true);
    ASSERT_EQ(dialogs.openRequests.size(), 2u);
    EXPECT_EQ(dialogs.openRequests[1].fileName, script);
    EXPECT_EQ(form->Script().DocumentName(), script);
}

TEST_F(ScriptEditorTest, AFileSavedWithoutEditsComesBackByteForByte)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string files[] = {
        all + "\r\n" + all + "\r\n",
        "[Level]\nName= Cit\xe9\n\n" + all + "\n",
        "[Level]\rName\r" + all,
        "m\xeal\xe9\r\ngo\nlf\rcr\r\n",
    };
    for (const auto& bytes : files) {
        OpenScript(bytes);
        // Saving needs unsaved changes no more than a user does: Ctrl+S always writes.
        PressShortcut('S', true);
        EXPECT_EQ(ReadBytes(script), bytes);
    }
}

TEST_F(ScriptEditorTest, CtrlOOverChangedTextAsksWithTheDocumentsFullPath)
{
    OpenScript("ancien");
    TypeText(L"x");
    EXPECT_EQ(StatusPanel(1), L"Modified");

    dialogs.Answer(DialogButton::Cancel);
    PressShortcut('O', true);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, L"Le texte a changé. Sauver " + script + L"?");
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Confirmation);
    EXPECT_EQ(dialogs.shown[0].buttons,
              (std::vector{DialogButton::Yes, DialogButton::No, DialogButton::Cancel}));
    EXPECT_EQ(dialogs.openRequests.size(), 1u) << "Annuler leaves everything as it was";
    EXPECT_EQ(EditorText(), L"xancien");

    dialogs.Answer(DialogButton::No);
    dialogs.ChooseFile(std::nullopt);
    PressShortcut('O', true);
    EXPECT_EQ(dialogs.openRequests.size(), 2u);
    EXPECT_EQ(ReadBytes(script), "ancien") << "Non does not save";
}

TEST_F(ScriptEditorTest, NewDropsTheTextWithoutAQuestion)
{
    OpenScript("texte");
    TypeText(L"y");
    PressShortcut('N', true);
    EXPECT_EQ(EditorText(), L"");
    EXPECT_EQ(form->Script().DocumentName(), L"Sans nom");
    EXPECT_EQ(StatusPanel(1), L"");
    EXPECT_TRUE(dialogs.shown.empty());

    TypeText(L"z");
    ClickToolButton(id::Btnouveau);
    EXPECT_EQ(EditorText(), L"");
}

TEST_F(ScriptEditorTest, CtrlSWhileTheSoundAreaIsShownSavesTheHiddenText)
{
    OpenScript("a");
    SetEditorText(L"b\rc");
    Click(id::BtEditSon);
    PressShortcut('S', true);
    EXPECT_EQ(ReadBytes(script), "b\r\nc");
    EXPECT_EQ(StatusPanel(1), L"");
}

TEST_F(ScriptEditorTest, TheCaretPositionIsShownOneBasedWithThreePlaces)
{
    std::string text;
    for (int line = 1; line <= 14; ++line)
        text += "ligne " + std::to_string(line) + "\r\n";
    OpenScript(text);
    const long line12 = editor::LineIndex(Editor(), 11);
    editor::Select(Editor(), line12 + 4, line12 + 4);
    Pump();
    EXPECT_EQ(StatusPanel(0), L"Line:  12   Col:   5");
    editor::Select(Editor(), 0, 0);
    Pump();
    EXPECT_EQ(StatusPanel(0), L"Line:   1   Col:   1");
}

TEST_F(ScriptEditorTest, EveryNewDocumentShowsItsOwnCaretPosition)
{
    OpenScript("ligne 1\r\nligne 2\r\nligne 3\r\n");
    auto moveCaretAway = [&] {
        const long line3 = editor::LineIndex(Editor(), 2);
        editor::Select(Editor(), line3 + 3, line3 + 3);
        Pump();
        ASSERT_EQ(StatusPanel(0), L"Line:   3   Col:   4");
    };
    const std::wstring other = installation / L"script\\autre.txt";
    WriteBytes(other, "autre\r\ntexte\r\nici\r\n");

    moveCaretAway();
    dialogs.ChooseFile(other);
    PressShortcut('O', true);
    EXPECT_EQ(form->Script().DocumentName(), other);
    EXPECT_EQ(StatusPanel(0), L"Line:   1   Col:   1") << "opened";

    moveCaretAway();
    DropFiles({script});
    EXPECT_EQ(form->Script().DocumentName(), script);
    EXPECT_EQ(StatusPanel(0), L"Line:   1   Col:   1") << "dropped";

    moveCaretAway();
    PressShortcut('N', true);
    EXPECT_EQ(StatusPanel(0), L"Line:   1   Col:   1") << "new";
}

class FindTest : public ScriptEditorTest {
protected:
    void Search(std::wstring_view what)
    {
        HWND find = form->Script().FindDialog();
        ASSERT_NE(find, nullptr);
        SetDlgItemTextW(find, edt1, std::wstring(what).c_str());
        SendMessageW(find, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(find, IDOK)));
        Pump();
    }
};

TEST_F(FindTest, FindNextStepsThroughTheOccurrencesMatchingCase)
{
    OpenScript("Level= a\r\nlevel= b\r\nLevel= c\r\nLevel= d\r\n");
    editor::Select(Editor(), 12, 12);  // the caret somewhere in the middle
    ClickToolButton(id::BtChercher);
    HWND find = form->Script().FindDialog();
    ASSERT_NE(find, nullptr);
    EXPECT_TRUE(Visible(find));
    EXPECT_EQ(Selection().start, 0) << "the search restarts from the beginning";

    Search(L"Level");
    EXPECT_EQ(Selection().start, 0);
    EXPECT_EQ(Selection().end, 5);
    Search(L"Level");
    EXPECT_EQ(Selection().start, 18);
    Search(L"Level");
    EXPECT_EQ(Selection().start, 27);
    Search(L"Level");
    EXPECT_EQ(Selection().start, 27) << "not found: nothing changes";
    EXPECT_TRUE(dialogs.shown.empty());

    editor::Select(Editor(), 0, 0);
    Search(L"LEVEL");
    EXPECT_EQ(Selection().end, 0) << "case must match";
    Search(L"evel");
    EXPECT_EQ(Selection().start, 1) << "matches inside words";
}

TEST_F(FindTest, EnterInTheDialogFindsAgainAndNeverTypesOverTheFoundText)
{
    OpenScript("mot un, mot deux, mot trois");
    ClickToolButton(id::BtChercher);
    HWND find = form->Script().FindDialog();
    ASSERT_NE(find, nullptr);
    PressKeys(L"mot\r\r");
    EXPECT_EQ(EditorText(), L"mot un, mot deux, mot trois");
    EXPECT_EQ(StatusPanel(1), L"");
    EXPECT_EQ(Selection().start, 8) << "the second occurrence";
    EXPECT_EQ(Selection().end, 11);
    EXPECT_TRUE(IsChild(find, GetFocus())) << "the dialog keeps the focus";
}

TEST_F(FindTest, WithNothingSelectedTheSearchStartsAtTheTop)
{
    OpenScript("abc abc abc");
    ClickToolButton(id::BtChercher);
    editor::Select(Editor(), 6, 6);
    Search(L"abc");
    EXPECT_EQ(Selection().start, 0);
}

TEST_F(FindTest, TextTypedAfterOpeningIsFoundAndDeletedTextIsNot)
{
    OpenScript("Level= a\r\nLevel= b\r\n");
    editor::Select(Editor(), 9, 9);
    TypeText(L"Horizon= c ");
    ClickToolButton(id::BtChercher);
    Search(L"Horizon");
    EXPECT_EQ(Selection().start, 9);
    EXPECT_EQ(Selection().end, 16);

    editor::Select(Editor(), 0, 9);
    SendMessageW(Editor(), WM_KEYDOWN, VK_DELETE, 1);
    SendMessageW(Editor(), WM_KEYUP, VK_DELETE, 1);
    Pump();
    ASSERT_EQ(EditorText(), L"Horizon= c Level= b\r");
    editor::Select(Editor(), 0, 0);
    Search(L"Level= a");
    EXPECT_EQ(Selection().end, 0) << "the deleted line is not found";
    Search(L"Level= b");
    EXPECT_EQ(Selection().start, 11);
}

TEST_F(ScriptEditorTest, TheFontSizeBoxAppliesEachKeystrokeAndRefusesWhatIsNoNumber)
{
    OpenScript("texte");
    EXPECT_EQ(Caption(id::FontSize), L"8");
    HWND box = Control(id::FontSize);
    SetFocus(box);
    SendMessageW(box, EM_SETSEL, 0, -1);
    TypeText(L"1");
    EXPECT_EQ(form->Script().SelectedSize(), 1);
    TypeText(L"2");
    EXPECT_EQ(form->Script().SelectedSize(), 12);

    SendMessageW(box, EM_SETSEL, 0, -1);
    SendMessageW(box, WM_CHAR, VK_BACK, 0);
    Pump();
    EXPECT_EQ(LastMessageText(), L"'' n'est pas une valeur entière correcte.");
    EXPECT_EQ(form->Script().SelectedSize(), 12) << "no size changes";
    TypeText(L"a");
    EXPECT_EQ(LastMessageText(), L"'a' n'est pas une valeur entière correcte.");
}

TEST_F(ScriptEditorTest, TheUpDownArrowsStepThroughThreeSizesWithoutWrappingAround)
{
    OpenScript("texte");
    HWND arrows = Control(id::UpDown1);
    RECT r{};
    GetClientRect(arrows, &r);
    auto clickUp = [&] {
        const LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 4);
        SendMessageW(arrows, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(arrows, WM_LBUTTONUP, 0, at);
        Pump();
    };
    clickUp();
    EXPECT_EQ(Caption(id::FontSize), L"9");
    clickUp();
    EXPECT_EQ(Caption(id::FontSize), L"12");
    EXPECT_EQ(form->Script().SelectedSize(), 12);
    SetWindowTextW(Control(id::FontSize), L"10");
    Pump();
    clickUp();
    EXPECT_EQ(SendMessageW(arrows, UDM_GETPOS32, 0, 0), 3);
    EXPECT_EQ(Caption(id::FontSize), L"10") << "the arrow at the end of the range runs nothing";
}

TEST_F(ScriptEditorTest, UndoAndTheClipboardAreTheControlsOwn)
{
    OpenScript("abc");
    editor::Select(Editor(), 0, 1);
    ClickToolButton(id::BtCouper);
    EXPECT_EQ(EditorText(), L"bc");
    editor::Select(Editor(), 2, 2);
    ClickToolButton(id::ToolButton2);
    EXPECT_EQ(EditorText(), L"bca");
    ClickToolButton(id::BtDefaire);
    EXPECT_EQ(EditorText(), L"bc");
    editor::Select(Editor(), 0, 2);
    ClickToolButton(id::BtCopier);
    editor::Select(Editor(), 2, 2);
    ClickToolButton(id::ToolButton2);
    EXPECT_EQ(EditorText(), L"bcbc");
    EXPECT_FALSE(IsWindowEnabled(Control(id::StandardToolBar)) &&
                 SendMessageW(Control(id::StandardToolBar), TB_ISBUTTONENABLED, id::ToolButton1, 0));
}

} // namespace
} // namespace tessark::test
