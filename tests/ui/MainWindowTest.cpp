// The main window as a user meets it: the tool column, the work areas, the
// status bar, dropped files, the command line and closing.
#include "UiHarness.h"

#include <commctrl.h>

namespace tessark::test {
namespace {

std::wstring MenuText(HMENU menu, int position)
{
    wchar_t text[64] = {};
    GetMenuStringW(menu, position, text, 64, MF_BYPOSITION);
    return text;
}

} // namespace

TEST_F(MainWindowTest, StartsWithTheToolColumnTheMenuAndTheStatusBarAsBuilt)
{
    Start();
    RECT window{};
    GetWindowRect(mainWindow, &window);
    EXPECT_EQ(window.right - window.left, 776);
    EXPECT_EQ(window.bottom - window.top, 538);
    EXPECT_EQ(WindowText(mainWindow), L"Tessark");

    struct Expected { int id; const wchar_t* caption; int top; bool enabled; };
    const Expected column[] = {
        {id::Label1, L"Editeur convertisseur de scripts", 32, true},
        {id::BtEditScript, L"Editer un script", 48, true},
        {id::BtConvertScript, L"Convertir le Script", 74, false},
        {id::BtVerifScript, L"Vérifier le script", 100, false},
        {id::Label2, L"Editeur créateur de sons", 136, true},
        {id::BtEditSon, L"Editer des sons", 152, true},
        {id::BtConvertSFX, L"Exécuter  LevelVUDEvizuzi", 178, false},
        {id::Label3, L"Editeur de titre et de logo", 240, true},
        {id::BtEditLogo, L"Choisir une image BMP ou RAW", 255, true},
        {id::BtConvertLogo, L"Exécuter  Logo Packer", 281, false},
        {id::Label11, L"Changer une texture de ciel", 344, true},
        {id::BtEditCiel, L"Choisir une image BMP ou RAW", 360, true},
        {id::BtconvertCiel, L"Sauver la texture du ciel", 387, false},
    };
    for (const auto& e : column) {
        SCOPED_TRACE(::testing::Message() << "control " << e.id);
        EXPECT_EQ(Caption(e.id), e.caption);
        EXPECT_EQ(Enabled(e.id), e.enabled);
        const RECT r = RectIn(Control(e.id), Control(id::Panel1));
        EXPECT_EQ(r.top, e.top);
        EXPECT_EQ(r.left, 6);
    }
    const RECT button = RectIn(Control(id::BtEditSon), Control(id::Panel1));
    EXPECT_EQ(button.right - button.left, 165);
    EXPECT_EQ(button.bottom - button.top, 25);
    EXPECT_EQ(RectIn(Control(id::Panel1), mainWindow).right, 177);

    HMENU bar = GetMenu(mainWindow);
    ASSERT_EQ(GetMenuItemCount(bar), 4);
    EXPECT_EQ(MenuText(bar, 0), L"Fichier");
    EXPECT_EQ(MenuText(GetSubMenu(bar, 0), 0), L"Quitter");
    EXPECT_EQ(MenuText(bar, 1), L"Script");
    EXPECT_EQ(MenuText(GetSubMenu(bar, 1), 0), L"Compiler avec Tessark");
    EXPECT_EQ(MenuText(GetSubMenu(bar, 1), 1), L"Lire le SCRIPT.DAT");
    EXPECT_EQ(MenuText(bar, 2), L"A propos");
    EXPECT_EQ(MenuText(bar, 3), L"Aide");

    EXPECT_EQ(StatusPanel(0), L"Line:   1   Col:   1");
    EXPECT_EQ(StatusPanel(1), L"");
    EXPECT_EQ(StatusPanel(2), L"");
    int edges[3] = {};
    ASSERT_EQ(SendMessageW(Control(id::StatusBar), SB_GETPARTS, 3, reinterpret_cast<LPARAM>(edges)), 3);
    EXPECT_EQ(edges[0], 120);
    EXPECT_EQ(edges[1] - edges[0], 60);
    EXPECT_EQ(edges[2] - edges[1], 50);

    EXPECT_EQ(form->ShownArea(), WorkArea::None);
    EXPECT_FALSE(Visible(Control(id::GroupBox1)));
    EXPECT_FALSE(Visible(Control(id::Panel3)));
    EXPECT_FALSE(Visible(Control(id::Panel4)));
    EXPECT_EQ(form->InstallationRoot(), installation.path());
}

TEST_F(MainWindowTest, ToolButtonsSwitchTheWorkAreasAsTheirTableSays)
{
    Start();
    Click(id::BtEditSon);
    EXPECT_TRUE(Visible(Control(id::Panel3)));
    EXPECT_TRUE(Enabled(id::BtConvertSFX));

    Click(id::BtEditLogo);
    EXPECT_TRUE(Visible(Control(id::Panel4)));
    EXPECT_FALSE(Visible(Control(id::Panel3)));
    EXPECT_FALSE(Enabled(id::BtConvertSFX));

    Click(id::BtEditSon);
    Click(id::BtEditCiel);
    EXPECT_TRUE(Visible(Control(id::Panel4)));
    EXPECT_FALSE(Enabled(id::BtConvertSFX));

    Click(id::BtEditSon);
    WriteBytes(installation / L"script\\script.txt", "[Level]\r\n");
    dialogs.ChooseFile(installation / L"script\\script.txt");
    Click(id::BtEditScript);
    EXPECT_TRUE(Visible(Control(id::GroupBox1)));
    EXPECT_FALSE(Visible(Control(id::Panel3)));
    EXPECT_FALSE(Visible(Control(id::Panel4)));
    EXPECT_TRUE(Enabled(id::BtConvertScript));
    EXPECT_TRUE(Enabled(id::BtVerifScript));
    EXPECT_FALSE(Enabled(id::BtConvertSFX));
    EXPECT_TRUE(form->IsDropTarget());

    // The shown area fills the client space right of the tool column, above the status bar.
    RECT client{}, status{};
    GetClientRect(mainWindow, &client);
    GetWindowRect(Control(id::StatusBar), &status);
    const RECT area = RectIn(Control(id::GroupBox1), mainWindow);
    EXPECT_EQ(area.left, 177);
    EXPECT_EQ(area.top, 0);
    EXPECT_EQ(area.right, client.right);
    EXPECT_EQ(area.bottom, client.bottom - (status.bottom - status.top));

    Click(id::BtEditSon);
    EXPECT_TRUE(Enabled(id::BtConvertScript)) << "stays enabled for the rest of the run";
    EXPECT_TRUE(Enabled(id::BtVerifScript));
}

TEST_F(MainWindowTest, DroppedFilesLoadOnlyOnceTheEditorWasShownAndOnlyTheFirst)
{
    Start();
    const std::wstring first = installation / L"première.txt", second = installation / L"b.txt";
    WriteBytes(first, "un\r\n");
    WriteBytes(second, "deux\r\n");
    EXPECT_FALSE(GetWindowLongPtrW(mainWindow, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    DropFiles({first});
    EXPECT_EQ(EditorText(), L"") << "not a drop target before the editor was shown";

    WriteBytes(installation / L"script\\script.txt", "[Level]");
    dialogs.ChooseFile(installation / L"script\\script.txt");
    Click(id::BtEditScript);
    EXPECT_TRUE(GetWindowLongPtrW(mainWindow, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    Click(id::BtEditSon);
    DropFiles({first, second, installation / L"script\\script.txt"});
    EXPECT_EQ(EditorText(), L"un\r");
    EXPECT_EQ(form->Script().DocumentName(), first);
    EXPECT_TRUE(Visible(Control(id::Panel3))) << "a drop does not switch areas";
    EXPECT_EQ(Caption(id::StaticTextFichier), L"script.txt");

    // A later save writes the editor text to the dropped file.
    SetEditorText(L"changé");
    PressShortcut('S', true);
    EXPECT_EQ(ReadBytes(first), "chang\xe9");
}

TEST_F(MainWindowTest, ADropOverUnsavedTextAsksFirstAndAFolderIsRefusedWithoutLoss)
{
    WriteBytes(installation / L"script\\script.txt", "[Level]");
    Start();
    dialogs.ChooseFile(installation / L"script\\script.txt");
    Click(id::BtEditScript);
    SetEditorText(L"mes changements");

    const std::wstring other = installation / L"autre.txt";
    WriteBytes(other, "autre");
    dialogs.Answer(DialogButton::Cancel);
    DropFiles({other});
    EXPECT_EQ(LastMessageText(), L"Le texte a changé. Sauver " + (installation / L"script\\script.txt") + L"?");
    EXPECT_EQ(EditorText(), L"mes changements");

    dialogs.Answer(DialogButton::No);
    DropFiles({installation / L"script"});
    EXPECT_EQ(LastMessageText(), L"Impossible d'ouvrir le fichier " + (installation / L"script") + L".");
    EXPECT_EQ(dialogs.shown.back().how, ShownMessage::Kind::Failure);
    EXPECT_EQ(EditorText(), L"mes changements");
    EXPECT_EQ(form->Script().DocumentName(), installation / L"script\\script.txt");
    EXPECT_EQ(ReadBytes(installation / L"script\\script.txt"), "[Level]");
}

TEST_F(MainWindowTest, ACommandLineFileIsLoadedWithTheEditorStillHidden)
{
    const std::wstring file = installation / L"Niveau été.txt";
    WriteBytes(file, "Name= \xC9t\xE9\r\n");
    Start({file});
    EXPECT_EQ(EditorText(), L"Name= Été\r");
    EXPECT_EQ(form->Script().DocumentName(), file);
    EXPECT_EQ(form->ShownArea(), WorkArea::None);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(MainWindowTest, ACommandLineArgumentThatNamesNothingIsIgnoredQuietly)
{
    Start({installation / L"absent.txt"});
    EXPECT_EQ(EditorText(), L"");
    EXPECT_EQ(form->Script().DocumentName(), L"Sans nom");
    EXPECT_TRUE(dialogs.shown.empty());
}

class ClosingTest : public MainWindowTest {
protected:
    void OpenAndChangeScript()
    {
        WriteBytes(script, "ancien");
        Start();
        dialogs.ChooseFile(script);
        Click(id::BtEditScript);
        SetEditorText(L"nouveau");
    }
    std::wstring script = installation / L"script\\script.txt";
};

TEST_F(ClosingTest, AnnulerKeepsTheWindowOpenAndNonClosesWithoutSaving)
{
    OpenAndChangeScript();
    dialogs.Answer(DialogButton::Cancel);
    CloseWindow();
    EXPECT_TRUE(WindowAlive());
    EXPECT_EQ(dialogs.shown.back().kind, DialogKind::Confirmation);

    dialogs.Answer(DialogButton::No);
    CloseWindow();
    EXPECT_FALSE(WindowAlive());
    EXPECT_EQ(ReadBytes(script), "ancien");
}

TEST_F(ClosingTest, OuiSavesThenCloses)
{
    OpenAndChangeScript();
    dialogs.Answer(DialogButton::Yes);
    PressShortcut('X', false, true);  // Alt+X closes like the close box
    EXPECT_FALSE(WindowAlive());
    EXPECT_EQ(ReadBytes(script), "nouveau");
}

TEST_F(ClosingTest, ASaveThatFailsOnTheWayOutIsShownAndTheWindowStaysOpen)
{
    OpenAndChangeScript();
    SetFileAttributesW(script.c_str(), FILE_ATTRIBUTE_READONLY);
    dialogs.Answer(DialogButton::Yes);
    CloseWindow();
    EXPECT_TRUE(WindowAlive());
    EXPECT_EQ(LastMessageText(), L"Impossible de créer le fichier " + script + L".");
    EXPECT_EQ(ReadBytes(script), "ancien");
    EXPECT_EQ(StatusPanel(1), L"Modified");
}

TEST_F(ClosingTest, QuitterEndsAtOnceWithoutAQuestion)
{
    OpenAndChangeScript();
    Menu(id::Quitter1);
    EXPECT_FALSE(WindowAlive());
    EXPECT_EQ(ReadBytes(script), "ancien");
}

TEST_F(MainWindowTest, AHintShowsItsLongPartInTheWholeStatusBarUntilItIsGone)
{
    Start();
    HWND bar = Control(id::StatusBar);
    HWND tip = nullptr;
    while ((tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr))) {
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = Control(id::Panel2);
        tool.uId = reinterpret_cast<UINT_PTR>(Control(id::FontSize));
        if (SendMessageW(tip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)))
            break;
    }
    ASSERT_NE(tip, nullptr) << "the font-size box has a tooltip";
    // The font-size box's tooltip announces itself as tooltips do.
    NMHDR show{tip, reinterpret_cast<UINT_PTR>(Control(id::FontSize)), static_cast<UINT>(TTN_SHOW)};
    SendMessageW(Control(id::Panel2), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&show));
    EXPECT_TRUE(SendMessageW(bar, SB_ISSIMPLE, 0, 0));
    // Windows answers for the simple part by its id; Wine only by part 0 while simple.
    wchar_t text[64] = {};
    SendMessageW(bar, SB_GETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(text));
    if (text[0] == L'\0')
        SendMessageW(bar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"Select font size");

    NMHDR pop = show;
    pop.code = static_cast<UINT>(TTN_POP);
    SendMessageW(Control(id::Panel2), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&pop));
    EXPECT_FALSE(SendMessageW(bar, SB_ISSIMPLE, 0, 0));
    EXPECT_EQ(StatusPanel(0), L"Line:   1   Col:   1");

    NMTTDISPINFOW tipText{};
    tipText.hdr = {tip, reinterpret_cast<UINT_PTR>(Control(id::FontSize)), static_cast<UINT>(TTN_GETDISPINFOW)};
    tipText.uFlags = TTF_IDISHWND;
    SendMessageW(Control(id::Panel2), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&tipText));
    EXPECT_STREQ(tipText.lpszText, L"Font Size");
}

namespace {

// What the status bar shows while it is one hint panel ("" otherwise).
std::wstring HintShown(HWND bar)
{
    if (!SendMessageW(bar, SB_ISSIMPLE, 0, 0))
        return L"";
    wchar_t text[64] = {};
    SendMessageW(bar, SB_GETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(text));
    if (text[0] == L'\0')
        SendMessageW(bar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    return text;
}

// The pointer really moved there, as the mouse moves it; the window then
// gets its messages until the status bar shows `expected` or a second passed.
std::wstring HintAfterPointerMove(HWND bar, HWND over, POINT at, const std::wstring& expected)
{
    ClientToScreen(over, &at);
    SetCursorPos(at.x, at.y);
    const DWORD until = GetTickCount() + 1000;
    std::wstring shown;
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(10);
        shown = HintShown(bar);
    } while (shown != expected && static_cast<LONG>(until - GetTickCount()) > 0);
    return shown;
}

TEST_F(MainWindowTest, AToolbarButtonUnderThePointerPutsItsHintInTheStatusBar)
{
    Start();
    form->ShowWorkArea(WorkArea::Script);
    Pump();
    HWND toolBar = Control(id::StandardToolBar), bar = Control(id::StatusBar);
    const auto centreOf = [toolBar](int commandId) {
        RECT button{};
        SendMessageW(toolBar, TB_GETITEMRECT, SendMessageW(toolBar, TB_COMMANDTOINDEX, commandId, 0),
                     reinterpret_cast<LPARAM>(&button));
        return POINT{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
    };
    EXPECT_EQ(HintAfterPointerMove(bar, toolBar, centreOf(id::Btnouveau), L"Nouveau"), L"Nouveau");
    EXPECT_EQ(HintAfterPointerMove(bar, toolBar, centreOf(id::BtChercher), L"Chercher"), L"Chercher");
    RECT editor{};
    GetClientRect(Control(id::Editor), &editor);
    EXPECT_EQ(HintAfterPointerMove(bar, Control(id::Editor), {editor.right / 2, editor.bottom / 2}, L""), L"");
    EXPECT_EQ(StatusPanel(0), L"Line:   1   Col:   1") << "the three panels are back";
}

} // namespace
} // namespace tessark::test
