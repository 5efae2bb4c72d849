// The program from the keyboard alone: real key presses through the message
// loop move the focus, open folders, press buttons and labels, close boxes.
#include "UiHarness.h"

#include "app/FicheAideSFX.h"
#include "ui/StripLabel.h"
#include "app/UnitApropos.h"
#include "ui/RichEdit.h"
#include "sound/UnitChoixWad.h"

#include <commctrl.h>

#include <algorithm>
#include <sstream>

namespace tessark::test {
namespace {

bool IsOfClass(HWND window, std::wstring_view name)
{
    return lstrcmpiW(ClassOf(window).c_str(), std::wstring(name).c_str()) == 0;
}

// What a user operates: buttons (of radio buttons, the checked one), lists,
// boxes, edits, scroll bars, the editor's toolbar, and the sound strip's
// labels that carry a caption. Not: captions, group frames, panels, the
// numeric labels and gauge that only show values, nor the up-down arrows (the
// font-size box's arrow keys work them).
bool IsOperable(HWND window)
{
    if (IsOfClass(window, L"STATIC"))
        return IsOfClass(GetParent(window), L"TessarkStrip") && !WindowText(window).empty();
    if (IsOfClass(window, L"BUTTON")) {
        const LONG type = GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK;
        if (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON)  // Tab reaches the checked one
            return SendMessageW(window, BM_GETCHECK, 0, 0) == BST_CHECKED;
        return type != BS_GROUPBOX;
    }
    for (const wchar_t* name : {L"LISTBOX", L"COMBOBOX", L"EDIT", L"SCROLLBAR", L"SysListView32", TOOLBARCLASSNAMEW,
                                L"Scintilla"})
        if (IsOfClass(window, name))
            return true;
    return std::wstring_view(ClassOf(window)).substr(0, 8) == L"RichEdit";
}

// Visible, and enabled with every window between it and `top`.
bool IsReachable(HWND window, HWND top)
{
    if (!IsWindowVisible(window))
        return false;
    for (HWND w = window; w && w != top; w = GetParent(w))
        if (!IsWindowEnabled(w))
            return false;
    return true;
}

std::vector<HWND> OperableControlsIn(HWND parent, HWND top)
{
    std::vector<HWND> controls;
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM found) {
            reinterpret_cast<std::vector<HWND>*>(found)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&controls));
    std::erase_if(controls, [top](HWND w) { return !IsOperable(w) || !IsReachable(w, top); });
    return controls;
}

std::string Describe(const std::vector<HWND>& controls)
{
    std::ostringstream text;
    for (HWND control : controls)
        text << testing::PrintToString(ClassOf(control)) << " #" << GetDlgCtrlID(control) << " "
             << testing::PrintToString(WindowText(control)) << "\n";
    return text.str();
}

std::vector<HWND> Sorted(std::vector<HWND> controls)
{
    std::sort(controls.begin(), controls.end());
    return controls;
}

// Reading order among controls that share a parent: none comes after one that
// stands wholly below it, nor left of one in the same row.
void ExpectReadingOrder(const std::vector<HWND>& visits)
{
    for (std::size_t i = 0; i + 1 < visits.size(); ++i) {
        HWND before = visits[i], after = visits[i + 1];
        if (GetParent(before) != GetParent(after))
            continue;
        const RECT a = RectIn(before, GetParent(before)), b = RectIn(after, GetParent(after));
        const bool sameRow = b.top < a.bottom && a.top < b.bottom;
        EXPECT_FALSE(b.bottom <= a.top) << "goes up to\n" << Describe({after}) << "from\n" << Describe({before});
        EXPECT_FALSE(sameRow && b.left < a.left) << "goes left to\n" << Describe({after}) << "from\n"
                                                 << Describe({before});
    }
}

class KeyboardTest : public MainWindowTest {
protected:
    // The controls the focus visits, one Tab (or Shift+Tab) at a time, from the
    // first button of the tool column until it comes back there. The script
    // editor takes Tab as a character: Ctrl+Tab leaves it.
    std::vector<HWND> TabRound(bool backwards)
    {
        HWND start = Control(id::BtEditScript);
        SetFocus(start);
        Pump();
        std::vector<HWND> visits{start};
        for (int i = 0; i < 100; ++i) {
            PressTab(backwards, GetFocus() == Control(id::Editor));
            if (GetFocus() == start)
                return visits;
            visits.push_back(GetFocus());
        }
        ADD_FAILURE() << "the focus never came back to the tool column; it went through\n" << Describe(visits);
        return visits;
    }

    // The round visits every operable control of the tool column and the
    // shown area once, in reading order, and Shift+Tab takes it backwards.
    void ExpectFullRound(HWND area)
    {
        std::vector<HWND> expected = OperableControlsIn(Control(id::Panel1), mainWindow);
        const std::vector<HWND> inArea = OperableControlsIn(area, mainWindow);
        ASSERT_FALSE(inArea.empty());
        expected.insert(expected.end(), inArea.begin(), inArea.end());
        const std::vector<HWND> forward = TabRound(false);
        EXPECT_EQ(Sorted(forward), Sorted(expected)) << "visited:\n" << Describe(forward) << "expected:\n"
                                                     << Describe(expected);
        ExpectReadingOrder(forward);
        std::vector<HWND> backward = TabRound(true);
        std::reverse(backward.begin() + 1, backward.end());
        EXPECT_EQ(backward, forward) << "backwards:\n" << Describe(backward);
    }

    void OpenScript()
    {
        WriteBytes(scriptFile, "[Level]\r\nName= Test\r\n");
        dialogs.ChooseFile(scriptFile);
        Click(id::BtEditScript);
        ASSERT_EQ(form->ShownArea(), WorkArea::Script);
    }

    // A folder "sub" with `file` in it, under a fresh folder that the list shows.
    std::wstring PrepareSubfolder(DirectoryListBox& folders, const wchar_t* file)
    {
        const std::wstring root = installation / file;
        CreateDirectoryW(root.c_str(), nullptr);
        CreateDirectoryW((root + L"\\sub").c_str(), nullptr);
        WriteBytes(root + L"\\sub\\" + file, "RIFF");
        EXPECT_TRUE(folders.SetDirectory(root));
        HWND list = folders.hwnd();
        const auto count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
        SendMessageW(list, LB_SETCURSEL, count - 1, 0);
        SetFocus(list);
        Pump();
        return root + L"\\sub";
    }

    std::wstring DriveShown(int comboId)
    {
        HWND combo = Control(comboId);
        const auto index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
        wchar_t text[16] = {};
        SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
        return text;
    }

    std::wstring scriptFile = installation / L"script\\script.txt";
};

TEST_F(KeyboardTest, EnterInEachFolderListOpensTheFolderAndItsFileListFollows)
{
    Start();
    Click(id::BtEditSon);
    SoundArea& sounds = form->Sounds();
    std::wstring sub = PrepareSubfolder(sounds.OriginalFolders(), L"porte.wav");
    PressKeys(L"\r");
    EXPECT_EQ(sounds.OriginalFolders().Directory(), sub);
    EXPECT_EQ(sounds.Originals().Names(), std::vector<std::wstring>{L"porte.wav"});

    sub = PrepareSubfolder(sounds.ReplacementFolders(), L"grince.wav");
    SendMessageW(Control(id::DriveComboBox2), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    PressKeys(L"\r");
    EXPECT_EQ(sounds.ReplacementFolders().Directory(), sub);
    EXPECT_EQ(sounds.Replacements().Names(), std::vector<std::wstring>{L"grince.wav"});
    EXPECT_EQ(DriveShown(id::DriveComboBox2), std::wstring(1, static_cast<wchar_t>(towlower(sub[0]))) + L":");

    Click(id::BtEditLogo);
    PictureArea& pictures = form->Pictures();
    sub = PrepareSubfolder(pictures.Folders(), L"logo.bmp");
    SendMessageW(Control(id::DriveComboBox3), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    PressKeys(L"\r");
    EXPECT_EQ(pictures.Folders().Directory(), sub);
    EXPECT_EQ(pictures.Files().Names(), std::vector<std::wstring>{L"logo.bmp"});
    EXPECT_EQ(DriveShown(id::DriveComboBox3), std::wstring(1, static_cast<wchar_t>(towlower(sub[0]))) + L":");
}

TEST_F(KeyboardTest, TabGoesThroughTheToolColumnAndTheSoundArea)
{
    Start();
    Click(id::BtEditSon);
    ExpectFullRound(Control(id::Panel3));
}

TEST_F(KeyboardTest, TabGoesThroughTheToolColumnAndThePictureArea)
{
    Start();
    Click(id::BtEditLogo);
    ExpectFullRound(Control(id::Panel4));
}

TEST_F(KeyboardTest, TheArrowsCheckTheNextSizeButton)
{
    Start();
    Click(id::BtEditLogo);
    SetFocus(Control(id::RadioButton2));
    PressShortcut(VK_RIGHT, false);
    EXPECT_EQ(GetFocus(), Control(id::RadioButton3));
    EXPECT_EQ(SendMessageW(Control(id::RadioButton3), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(Control(id::RadioButton2), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    PressShortcut(VK_DOWN, false);
    EXPECT_EQ(GetFocus(), Control(id::RadioButton1)) << "round to the first";
    PressShortcut(VK_LEFT, false);
    EXPECT_EQ(SendMessageW(Control(id::RadioButton3), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(KeyboardTest, TabGoesThroughTheScriptAreaWhoseEditorKeepsTabAndEnter)
{
    Start();
    OpenScript();
    ExpectFullRound(Control(id::GroupBox1));
    EXPECT_EQ(EditorText().find(L'\t'), std::wstring::npos) << "Ctrl+Tab typed a tab";

    SetFocus(Control(id::Editor));
    editor::Select(Control(id::Editor), 0, 0);
    PressTab();
    PressKeys(L"\r");
    EXPECT_EQ(GetFocus(), Control(id::Editor));
    EXPECT_EQ(EditorText().rfind(L"\t\r[Level]", 0), 0u) << testing::PrintToString(EditorText());
    PressShortcut('S', true);
    EXPECT_EQ(ReadBytes(scriptFile), "\t\r\n[Level]\r\nName= Test\r\n");
}

TEST_F(KeyboardTest, TheEditorsToolbarTakesTheArrowsAndEnter)
{
    Start();
    OpenScript();
    HWND bar = Control(id::StandardToolBar);
    SetFocus(Control(id::Editor));
    PressTab(true, true);
    ASSERT_EQ(GetFocus(), Control(id::FontSize));
    PressTab(true);
    ASSERT_EQ(GetFocus(), bar) << "Shift+Tab from the font size box reaches the toolbar";
    // "Chercher", the one command without a key of its own, is the eighth.
    for (int i = 0; i < 7; ++i)
        PressChord({}, VK_RIGHT);
    EXPECT_EQ(SendMessageW(bar, TB_GETHOTITEM, 0, 0), 7);
    PressKeys(L"\r");
    ASSERT_NE(form->Script().FindDialog(), nullptr);
    EXPECT_TRUE(IsWindowVisible(form->Script().FindDialog()));
}

TEST_F(KeyboardTest, ToolButtonsActOnSpaceAndEnterAndShowTheirFocus)
{
    Start();
    HWND button = Control(id::BtEditSon);
    const auto unfocused = Snapshot(button);
    SetFocus(Control(id::BtEditScript));
    PressTab();
    ASSERT_EQ(GetFocus(), button) << "the disabled button between them is no stop";
    EXPECT_NE(Snapshot(button), unfocused) << "no focus mark on the button";
    PressKeys(L" ");
    EXPECT_EQ(form->ShownArea(), WorkArea::Sound);

    SetFocus(Control(id::BtEditLogo));
    PressKeys(L"\r");
    EXPECT_EQ(form->ShownArea(), WorkArea::Picture);
}

TEST_F(KeyboardTest, StripLabelsActOnSpaceAndEnterAndShowTheirFocus)
{
    WriteBytes(installation / L"AideVUDEvizuzi.rtf", "{\\rtf1\\ansi Le script.\\par AUDIOSFX sons\\par}");
    Start();
    Click(id::BtEditSon);
    HWND help = Control(id::MenuAideEditeurSons);
    const auto unfocused = Snapshot(help);
    SetFocus(Control(id::MenuTexteSFX));
    PressTab();
    ASSERT_EQ(GetFocus(), help) << "the empty label between them is no stop";
    EXPECT_NE(Snapshot(help), unfocused) << "no focus mark on the label";
    PressKeys(L" ");
    EXPECT_TRUE(Visible(form->FicheAide().hwnd()));
    EXPECT_NE(StripLabelColour(help), RGB(255, 255, 255)) << "the label stays lit";

    dialogs.Answer(DialogButton::Ok);
    SetForegroundWindow(mainWindow);
    SetFocus(Control(id::MenuTexteSFX));
    PressKeys(L"\r");
    EXPECT_NE(LastMessageText().find(L"introuvable"), std::wstring::npos) << testing::PrintToString(LastMessageText());

    // The list labels are stops once there is a list to print or save.
    SetFocus(help);
    PressTab();
    EXPECT_NE(GetFocus(), Control(id::LabelModifSons));
    form->Sounds().Modifications().AddModification(L"porte.wav", L"grince.wav", L"porte.bak");
    SetFocus(help);
    PressTab();
    PressTab();
    ASSERT_EQ(GetFocus(), Control(id::LabelSauveSons));
    dialogs.Answer(DialogButton::Ok);
    PressKeys(L"\r");
    EXPECT_NE(LastMessageText().find(L"enregistr"), std::wstring::npos) << testing::PrintToString(LastMessageText());
}

TEST_F(KeyboardTest, EscapeClosesTheHelpWindow)
{
    WriteBytes(installation / L"AideVUDEvizuzi.rtf", "{\\rtf1\\ansi Le script.\\par AUDIOSFX sons\\par}");
    Start();
    Menu(id::Aide1);
    TFicheAide& help = form->FicheAide();
    ASSERT_TRUE(Visible(help.hwnd()));
    PressShortcut(VK_ESCAPE, false);
    EXPECT_FALSE(Visible(help.hwnd()));

    form->MenuAideEditeurSonsClick();
    Pump();
    ASSERT_EQ(GetFocus(), help.RichEdit1());
    PressShortcut(VK_ESCAPE, false);
    EXPECT_FALSE(Visible(help.hwnd()));
    EXPECT_TRUE(WindowAlive());
}

// A modal box is owned by the main window and can be neither minimised nor maximised.
void ExpectOwnedFixedBox(HWND box, HWND owner)
{
    EXPECT_EQ(GetWindow(box, GW_OWNER), owner);
    EXPECT_EQ(GetWindowLongW(box, GWL_STYLE) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
}

TEST_F(KeyboardTest, EscapeClosesTheAboutBoxAndTheWadChooser)
{
    Start();
    TFicheAPropos& about = form->FicheAPropos();
    PressKeyFromNextLoop(VK_ESCAPE);
    about.BeginShow(mainWindow);
    about.RunModal(mainWindow);
    EXPECT_FALSE(Visible(about.hwnd()));
    EXPECT_TRUE(IsWindowEnabled(mainWindow));
    ExpectOwnedFixedBox(about.hwnd(), mainWindow);

    TFicheChoixWad& chooser = form->FicheChoixWad();
    PressKeyFromNextLoop(VK_ESCAPE);
    chooser.BeginShow(mainWindow);
    EXPECT_EQ(chooser.RunModal(mainWindow), ModalResult::Cancel);
    EXPECT_FALSE(Visible(chooser.hwnd()));
    ExpectOwnedFixedBox(chooser.hwnd(), mainWindow);
}

TEST_F(KeyboardTest, ALongWadEntryCanBeScrolledTo)
{
    const std::wstring longEntry = L"un niveau dont le nom ne tient pas dans la largeur de la liste des wads";
    const std::string line(longEntry.begin(), longEntry.end());
    WriteBytes(installation / L"ListeWadSfx.lws", "tut1\r\n" + line + "\r\n");
    Start();
    TFicheChoixWad& chooser = form->FicheChoixWad();
    chooser.BeginShow(mainWindow);
    HWND list = chooser.ListeWADs();
    ASSERT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 2);
    HDC dc = GetDC(list);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
    SIZE text{};
    GetTextExtentPoint32W(dc, longEntry.c_str(), static_cast<int>(longEntry.size()), &text);
    SelectObject(dc, old);
    ReleaseDC(list, dc);
    RECT client{};
    GetClientRect(list, &client);
    ASSERT_GT(text.cx, client.right) << "the entry fits: the test proves nothing";
    EXPECT_GE(SendMessageW(list, LB_GETHORIZONTALEXTENT, 0, 0), text.cx);
    EXPECT_NE(GetWindowLongW(list, GWL_STYLE) & WS_HSCROLL, 0);
}

} // namespace
} // namespace tessark::test

