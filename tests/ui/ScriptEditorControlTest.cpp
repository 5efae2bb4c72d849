// The script editor's text control as a level builder meets it: UTF-8 files
// shown and saved as they came, new lines in the file's own line end, the
// numbered margin, Ctrl+G and the files an #INCLUDE line names.
#include "UiHarness.h"

#include "LayoutChecks.h"
#include "script/ScriptArea.h"

#include <Scintilla.h>

namespace tessark::test {
namespace {

class ScriptEditorControlTest : public MainWindowTest {
protected:
    void OpenScript(const std::string& bytes) { OpenInScriptEditor(script, bytes); }
    HWND Editor() const { return Control(id::Editor); }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return SendMessageW(Editor(), message, wParam, lParam);
    }
    void CaretOnLine(int line)   // 0-based
    {
        const LRESULT at = Send(SCI_POSITIONFROMLINE, static_cast<WPARAM>(line));
        Send(SCI_SETSEL, static_cast<WPARAM>(at), at);
        Pump();
    }
    void CtrlDoubleClickOnLine(int line)
    {
        const LRESULT at = Send(SCI_POSITIONFROMLINE, static_cast<WPARAM>(line)) + 2;
        const LPARAM point = MAKELPARAM(Send(SCI_POINTXFROMPOSITION, 0, at), Send(SCI_POINTYFROMPOSITION, 0, at) + 2);
        for (int click = 0; click < 2; ++click) {
            Send(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, point);
            Send(WM_LBUTTONUP, MK_CONTROL, point);
        }
        Pump();
    }
    std::wstring script = installation / L"script\\script.txt";
    std::wstring other = installation / L"script\\autre.txt";
};

TEST_F(ScriptEditorControlTest, AUtf8FileIsShownAsUtf8AndSavedBackAsItCame)
{
    const std::string marked = "\xEF\xBB\xBF[Level]\r\nName= Caf\xC3\xA9 \xD0\x96\r\n";
    OpenScript(marked);
    EXPECT_EQ(Send(SCI_GETCODEPAGE), SC_CP_UTF8);
    EXPECT_EQ(StatusPanel(2), L"UTF-8");
    EXPECT_EQ(EditorText(), L"[Level]\rName= Café Ж\r");
    PressShortcut('S', true);
    EXPECT_EQ(ReadBytes(script), marked);

    // Without a mark, UTF-8 beyond ASCII is recognised too; an edit keeps the rest.
    const std::string unmarked = "[Level]\nName= Caf\xC3\xA9\n";
    OpenScript(unmarked);
    EXPECT_EQ(StatusPanel(2), L"UTF-8");
    editor::Select(Editor(), 18, 18);
    TypeText(L"\u00e8");
    PressShortcut('S', true);
    EXPECT_EQ(ReadBytes(script), "[Level]\nName= Caf\xC3\xA9\xC3\xA8\n");

    // A Windows-1252 file is not UTF-8: the panel goes blank again.
    OpenScript("Name= Cit\xe9\r\n");
    EXPECT_EQ(Send(SCI_GETCODEPAGE), 0) << "the default character set's: Windows-1252";
    EXPECT_EQ(StatusPanel(2), L"");
    EXPECT_EQ(EditorText(), L"Name= Cité\r");
}

TEST_F(ScriptEditorControlTest, EnterWritesTheLineEndOfTheFilesFirstLine)
{
    const struct {
        std::string file;
        std::string saved;
    } cases[] = {
        {"a\r\nb", "a\r\nb\r\n"},
        {"a\nb\r\n", "a\nb\n\r\n"},
        {"a\rb\n", "a\rb\r\n"},
        {"ab", "ab\r\n"},
    };
    for (const auto& c : cases) {
        OpenScript(c.file);
        // The caret at the end of "b", where the Enter goes.
        const LRESULT b = Send(SCI_SEARCHNEXT, 0, reinterpret_cast<LPARAM>("b"));
        Send(SCI_SETSEL, static_cast<WPARAM>(b + 1), b + 1);
        EXPECT_FALSE(editor::IsModified(Editor()));
        PressKeys(L"\r");
        PressShortcut('S', true);
        EXPECT_EQ(ReadBytes(script), c.saved) << testing::PrintToString(c.file);
    }
}

TEST_F(ScriptEditorControlTest, LineNumbersTakeTheRoomOfTheLargestAndTheCurrentLineIsMarked)
{
    OpenScript("un\r\ndeux\r\n");
    EXPECT_EQ(Send(SCI_GETMARGINTYPEN, 0), SC_MARGIN_NUMBER);
    EXPECT_TRUE(Send(SCI_GETCARETLINEVISIBLE));
    const LRESULT narrow = Send(SCI_GETMARGINWIDTHN, 0);
    EXPECT_GE(narrow, Send(SCI_TEXTWIDTH, STYLE_LINENUMBER, reinterpret_cast<LPARAM>("9")));

    std::string many;
    for (int line = 0; line < 12000; ++line)
        many += "Level= DATA\\NIVEAU,101\r\n";
    OpenScript(many);
    const LRESULT wide = Send(SCI_GETMARGINWIDTHN, 0);
    EXPECT_GE(wide, Send(SCI_TEXTWIDTH, STYLE_LINENUMBER, reinterpret_cast<LPARAM>("99999")));
    EXPECT_GT(wide, narrow);

    // Lines typed away: the margin shrinks back.
    Send(SCI_SELECTALL);
    TypeText(L"x");
    EXPECT_EQ(Send(SCI_GETMARGINWIDTHN, 0), narrow);

    SimulateDpi(mainWindow, 144);
    Pump();
    EXPECT_NEAR(Send(SCI_GETMARGINWIDTHN, 0), narrow * 3 / 2, narrow / 3) << "the margin follows the DPI";
}

TEST_F(ScriptEditorControlTest, CtrlGAsksForTheLineAndPutsTheCaretThere)
{
    std::string text;
    for (int line = 1; line <= 15; ++line)
        text += "ligne " + std::to_string(line) + "\r\n";
    OpenScript(text);
    CaretOnLine(3);
    dialogs.AnswerNumber(12);
    PressShortcut('G', true);
    ASSERT_EQ(dialogs.numberRequests.size(), 1u);
    const auto& asked = dialogs.numberRequests[0];
    EXPECT_EQ(asked.title, L"Aller à la ligne");
    EXPECT_EQ(asked.prompt, L"Numéro de la ligne, de 1 à 16 :");
    EXPECT_EQ(asked.proposed, 4) << "the caret's line";
    EXPECT_EQ(asked.minimum, 1);
    EXPECT_EQ(asked.maximum, 16);
    EXPECT_EQ(StatusPanel(0), L"Line:  12   Col:   1");
    EXPECT_EQ(GetFocus(), Editor());

    dialogs.AnswerNumber(std::nullopt);
    PressShortcut('G', true);
    EXPECT_EQ(StatusPanel(0), L"Line:  12   Col:   1") << "Annuler moves nothing";
    EXPECT_FALSE(dialogs.unansweredQuestions());

    // While another area is shown, the shortcut asks nothing.
    Click(id::BtEditSon);
    PressShortcut('G', true);
    EXPECT_EQ(dialogs.numberRequests.size(), 2u);
}

TEST_F(ScriptEditorControlTest, F5OrCtrlDoubleClickOnAnIncludeLineOpensThatFileAfterTheQuestion)
{
    WriteBytes(other, "[Level]\r\nName= Autre\r\n");
    OpenScript("[Options]\r\n#include \"autre.txt\"\r\n#INCLUDE \"absent.txt\"\r\nName= ici\r\n");

    // A line that includes nothing does nothing.
    CaretOnLine(3);
    PressShortcut(VK_F5, false);
    EXPECT_EQ(form->Script().DocumentName(), script);
    EXPECT_TRUE(dialogs.shown.empty());

    // A missing file is named; the document stays.
    CaretOnLine(2);
    dialogs.Answer(DialogButton::Ok);
    PressShortcut(VK_F5, false);
    EXPECT_EQ(LastMessageText(),
              L"Le fichier que cette ligne inclut n'existe pas : " + installation / L"script\\absent.txt");
    EXPECT_EQ(form->Script().DocumentName(), script);

    // Unsaved changes are asked about first; Annuler stays.
    CaretOnLine(3);
    TypeText(L"x");
    CaretOnLine(1);
    dialogs.Answer(DialogButton::Cancel);
    PressShortcut(VK_F5, false);
    EXPECT_EQ(LastMessageText(), L"Le texte a changé. Sauver " + script + L"?");
    EXPECT_EQ(form->Script().DocumentName(), script);

    // Ctrl+double-click on the line, Non to saving: the included file opens.
    Send(SCI_SETSEL, 0, 0);
    dialogs.Answer(DialogButton::No);
    CtrlDoubleClickOnLine(1);
    EXPECT_EQ(form->Script().DocumentName(), other);
    EXPECT_EQ(EditorText(), L"[Level]\rName= Autre\r");
    EXPECT_EQ(Caption(id::StaticTextFichier), L"autre.txt");
    EXPECT_EQ(StatusPanel(1), L"");
    EXPECT_EQ(ReadBytes(script).substr(0, 9), "[Options]") << "Non saved nothing";
    EXPECT_EQ(ReadBytes(script).find("xName"), std::string::npos);
    EXPECT_FALSE(dialogs.unansweredQuestions());
}

} // namespace
} // namespace tessark::test
