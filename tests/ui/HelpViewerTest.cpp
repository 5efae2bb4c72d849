// The help window, opened from the menu and from the sound strip, searched
// with its find dialog, and its failures.
#include "UiHarness.h"

#include "app/FicheAideSFX.h"
#include "app/UnitApropos.h"
#include "ui/RichEdit.h"

#include <richedit.h>
#include <winspool.h>
#include <winver.h>

#include <cstddef>
#include <cwchar>
#include <vector>

namespace tessark::test {
namespace {

class HelpViewerTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        WriteBytes(help, "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0 Arial;}}\\f0 Le {\\b script} : un mot, "
                         "un autre mot.\\par AUDIOSFX sons\\par Encore un mot, et AUDIOSFX.\\par}");
    }
    TFicheAide& Aide() { return form->FicheAide(); }
    HWND Text() { return Aide().RichEdit1(); }
    std::wstring Selected()
    {
        const auto selection = richedit::GetSelection(Text());
        return richedit::Text(Text()).substr(static_cast<std::size_t>(selection.start),
                                             static_cast<std::size_t>(selection.end - selection.start));
    }
    long SelectionStart() { return richedit::GetSelection(Text()).start; }
    void PressStripLabel(int labelId)
    {
        SendMessageW(Control(labelId), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        SendMessageW(Control(labelId), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
        Pump();
    }
    // A find-next from the dialog, with `text` typed in it.
    void FindNext(std::wstring_view text)
    {
        HWND dialog = Aide().FindDialog();
        ASSERT_NE(dialog, nullptr);
        SetDlgItemTextW(dialog, 0x480 /* the find-what edit */, std::wstring(text).c_str());
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
        Pump();
    }

    std::wstring help = installation / L"AideVUDEvizuzi.rtf";
};

TEST_F(HelpViewerTest, TheMenuShowsTheDocumentWithItsFormattingFromTheTop)
{
    Start();
    EXPECT_FALSE(Visible(Aide().hwnd()));
    Menu(id::Aide1);
    EXPECT_TRUE(Visible(Aide().hwnd()));
    EXPECT_EQ(WindowText(Aide().hwnd()), L"TESSARK Aide");
    const std::wstring text = richedit::Text(Text());
    EXPECT_EQ(text.rfind(L"Le script : un mot", 0), 0u) << testing::PrintToString(text);
    EXPECT_EQ(text.find(L"\\rtf"), std::wstring::npos) << "read as rich text";
    // Closing hides it; a new opening reads the document again, without edits.
    SendMessageW(Text(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"ajout "));
    SendMessageW(Aide().hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(Visible(Aide().hwnd()));
    Menu(id::Aide1);
    EXPECT_EQ(richedit::Text(Text()).find(L"ajout"), std::wstring::npos);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(HelpViewerTest, TheSoundStripOpensTheHelpAtTheSoundChapterEachTime)
{
    Start();
    Click(id::BtEditSon);
    for (int time = 0; time < 2; ++time) {
        PressStripLabel(id::MenuAideEditeurSons);
        EXPECT_TRUE(Visible(Aide().hwnd()));
        EXPECT_EQ(Selected(), L"AUDIOSFX");
        EXPECT_EQ(SelectionStart(), static_cast<long>(richedit::Text(Text()).find(L"AUDIOSFX")));
    }
    // A keyword that is not there leaves the selection alone.
    Aide().ShowHelpKeyword(L"absent");
    EXPECT_EQ(Selected(), L"AUDIOSFX");
}

TEST_F(HelpViewerTest, FindNextStepsThroughEachOccurrenceWithCaseCounting)
{
    Start();
    Menu(id::Aide1);
    SendMessageW(Aide().hwnd(), WM_COMMAND, 3 /* Rechercher */, 0);
    Pump();
    const std::wstring text = richedit::Text(Text());
    std::vector<long> found;
    for (int step = 0; step < 4; ++step) {
        FindNext(L"mot");
        found.push_back(SelectionStart());
    }
    const long first = static_cast<long>(text.find(L"mot"));
    const long second = static_cast<long>(text.find(L"mot", first + 1));
    const long third = static_cast<long>(text.find(L"mot", second + 1));
    EXPECT_EQ(found, (std::vector<long>{first, second, third, third})) << "after the last, nothing more";
    // Rechercher starts again from the top; a lower-case text misses the capitals.
    SendMessageW(Aide().hwnd(), WM_COMMAND, 3, 0);
    Pump();
    FindNext(L"audiosfx");
    EXPECT_EQ(Selected(), L"");
}

TEST_F(HelpViewerTest, EnterInTheFindDialogFindsAgainAndLeavesTheTextAlone)
{
    Start();
    Menu(id::Aide1);
    SendMessageW(Aide().hwnd(), WM_COMMAND, 3 /* Rechercher */, 0);
    Pump();
    const std::wstring before = richedit::Text(Text());
    PressKeys(L"mot\r\r");
    EXPECT_EQ(richedit::Text(Text()), before);
    const long first = static_cast<long>(before.find(L"mot"));
    EXPECT_EQ(SelectionStart(), static_cast<long>(before.find(L"mot", first + 1))) << "the second occurrence";
    EXPECT_EQ(Selected(), L"mot");
    EXPECT_TRUE(IsChild(Aide().FindDialog(), GetFocus())) << "the dialog keeps the focus";
}

TEST_F(HelpViewerTest, EachOpeningShowsTheVeryTopOfTheDocument)
{
    // A large first heading with room above it, and enough lines to scroll.
    std::string document = "{\\rtf1\\ansi{\\pard\\sb240\\sa120\\b\\fs32 Titre\\par}";
    for (int line = 1; line <= 80; ++line)
        document += "{\\pard ligne " + std::to_string(line) + "\\par}";
    WriteBytes(help, document + "}");
    Start();
    auto expectTop = [&](const char* when) {
        POINT scrolled{-1, -1};
        SendMessageW(Text(), EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scrolled));
        EXPECT_EQ(scrolled.y, 0) << when;
        EXPECT_EQ(GetScrollPos(Text(), SB_VERT), 0) << when;
        EXPECT_EQ(SendMessageW(Text(), EM_GETFIRSTVISIBLELINE, 0, 0), 0) << when;
        EXPECT_EQ(SelectionStart(), 0) << when;
    };
    Menu(id::Aide1);
    expectTop("first opening");
    SCROLLINFO range{};
    range.cbSize = sizeof range;
    range.fMask = SIF_RANGE | SIF_PAGE;
    GetScrollInfo(Text(), SB_VERT, &range);
    ASSERT_GT(range.nMax - static_cast<int>(range.nPage), 0) << "the document must be longer than the window";

    SendMessageW(Text(), WM_VSCROLL, SB_PAGEDOWN, 0);
    SendMessageW(Aide().hwnd(), WM_CLOSE, 0, 0);
    Menu(id::Aide1);
    expectTop("opened again");
}

// A document whose groups nest `depth` deep, the outer one included.
std::string NestedHelp(int depth, std::string_view extra = "")
{
    const auto inner = static_cast<std::size_t>(depth - 1);
    return "{\\rtf1\\ansi " + std::string(extra) + std::string(inner, '{') + "profond" + std::string(inner, '}') + "}";
}

TEST_F(HelpViewerTest, NestingTheControlTakesIsShownAsRichText)
{
    Start();
    const std::string documents[] = {
        NestedHelp(30),
        NestedHelp(32),
        // Escaped braces are characters: the real depth is 32.
        NestedHelp(32, "\\{\\{\\{\\{ {\\{\\{} \\\\"),
    };
    for (const auto& document : documents) {
        WriteBytes(help, document);
        Menu(id::Aide1);
        EXPECT_EQ(richedit::Text(Text()).find(L"\\rtf"), std::wstring::npos) << document;
        EXPECT_NE(richedit::Text(Text()).find(L"profond"), std::wstring::npos) << document;
    }
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(HelpViewerTest, NestingTooDeepIsShownAsPlainTextWithAWarning)
{
    Start();
    std::string binary = "{\\rtf1\\ansi avant {\\*\\donnees\\bin40 " + std::string(40, '{') + "} apres}";
    const std::string documents[] = {NestedHelp(33), NestedHelp(40), NestedHelp(5000), binary};
    for (const auto& document : documents) {
        SCOPED_TRACE(document.substr(0, 60));
        dialogs.shown.clear();
        dialogs.Answer(DialogButton::Ok);
        WriteBytes(help, document);
        Menu(id::Aide1);
        ASSERT_TRUE(WindowAlive());
        EXPECT_TRUE(Visible(Aide().hwnd()));
        EXPECT_EQ(richedit::Text(Text()).rfind(L"{\\rtf1\\ansi ", 0), 0u) << "the document's own text";
        EXPECT_EQ(richedit::TextLength(Text()), static_cast<long>(document.size()));
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Warning);
        EXPECT_EQ(dialogs.shown[0].text, L"Le document d'aide " + help +
                                             L" imbrique ses groupes trop profondément pour être mis en forme : "
                                             L"il est affiché en texte simple.");
    }
    // The window still works: a search finds the word in the plain text.
    SendMessageW(Aide().hwnd(), WM_COMMAND, 3 /* Rechercher */, 0);
    Pump();
    FindNext(L"apres");
    EXPECT_EQ(Selected(), L"apres");
}

TEST_F(HelpViewerTest, MissingPlainOrDamagedDocuments)
{
    DeleteFileW(help.c_str());
    Start();
    Menu(id::Aide1);
    Click(id::BtEditSon);
    PressStripLabel(id::MenuAideEditeurSons);
    EXPECT_FALSE(Visible(Aide().hwnd())) << "a missing help does nothing";
    EXPECT_TRUE(dialogs.shown.empty());

    WriteBytes(help, "Aide en texte simple, \xE9t\xE9 compris.\r\nAUDIOSFX\r\n");
    Menu(id::Aide1);
    EXPECT_EQ(richedit::Text(Text()).rfind(L"Aide en texte simple, été compris.", 0), 0u);

    WriteBytes(help, "{\\rtf1\\ansi Lisible {\\b jusqu'ici");
    Menu(id::Aide1);
    EXPECT_NE(richedit::Text(Text()).find(L"Lisible"), std::wstring::npos);

    // Locked by another program: the failure is shown and the text stays.
    HANDLE locked = CreateFileW(help.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    Menu(id::Aide1);
    CloseHandle(locked);
    EXPECT_EQ(LastMessageText(), L"Impossible d'ouvrir le fichier " + help + L".");
    EXPECT_NE(richedit::Text(Text()).find(L"Lisible"), std::wstring::npos);
}

// A help document of `size` bytes: rich text of plain paragraphs.
std::string LongHelp(std::size_t size)
{
    std::string rtf = "{\\rtf1\\ansi AUDIOSFX ";
    const std::string paragraph = "Une ligne d'aide ordinaire, sans rien de particulier.\\par\r\n";
    while (rtf.size() + paragraph.size() + 1 <= size)
        rtf += paragraph;
    rtf.append(size - 1 - rtf.size(), ' ');
    return rtf + "}";
}

TEST_F(HelpViewerTest, ADocumentOverFourMegabytesIsRefusedAtOnceAndTheHelpShownStays)
{
    constexpr std::size_t FourMegabytes = 4 * 1024 * 1024;
    Start();
    Menu(id::Aide1);
    const std::wstring shown = richedit::Text(Text());
    SendMessageW(Aide().hwnd(), WM_CLOSE, 0, 0);

    WriteBytes(help, LongHelp(FourMegabytes + 1));
    const std::wstring refusal = L"Le document d'aide " + help +
                                 L" dépasse 4 Mo : il n'est pas affiché, la fenêtre d'aide mettrait trop longtemps "
                                 L"à le mettre en forme.";
    for (bool fromTheSounds : {false, true}) {
        SCOPED_TRACE(fromTheSounds);
        dialogs.shown.clear();
        const ULONGLONG start = GetTickCount64();
        if (fromTheSounds) {
            Click(id::BtEditSon);
            PressStripLabel(id::MenuAideEditeurSons);
        } else {
            Menu(id::Aide1);
        }
        EXPECT_LT(GetTickCount64() - start, 3000u);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Error);
        EXPECT_EQ(dialogs.shown[0].text, refusal);
        EXPECT_FALSE(Visible(Aide().hwnd()));
        EXPECT_EQ(richedit::Text(Text()), shown);
    }

    // Up to the limit the document is shown, in a time a user bears.
    WriteBytes(help, LongHelp(FourMegabytes));
    dialogs.shown.clear();
    const ULONGLONG start = GetTickCount64();
    Menu(id::Aide1);
    EXPECT_LT(GetTickCount64() - start, 30000u);
    EXPECT_TRUE(dialogs.shown.empty()) << testing::PrintToString(LastMessageText());
    EXPECT_TRUE(Visible(Aide().hwnd()));
    EXPECT_EQ(richedit::Text(Text()).rfind(L"AUDIOSFX Une ligne", 0), 0u);
}

TEST_F(HelpViewerTest, PrintingWithoutAPrinterSaysSo)
{
    wchar_t name[256];
    DWORD size = 256;
    if (GetDefaultPrinterW(name, &size))
        GTEST_SKIP() << "this session has a default printer";
    Start();
    Menu(id::Aide1);
    SendMessageW(Aide().hwnd(), WM_COMMAND, 1 /* Imprimer */, 0);
    Pump();
    EXPECT_EQ(LastMessageText(), L"Aucune imprimante par défaut sélectionnée.");
}

TEST_F(HelpViewerTest, TheDemoHelpHasTheSoundChapter)
{
    const std::string demoHelp = ReadBytes(std::wstring(TESSARK_DEMO_DIR) + L"\\AideVUDEvizuzi.rtf");
    WriteBytes(help, demoHelp);
    Start();
    Menu(id::Aide1);
    const std::wstring text = richedit::Text(Text());
    for (const wchar_t* chapter : {L"Le script du niveau", L"AUDIOSFX", L"Le titre et le logo", L"La texture du ciel",
                                   L"graphics\\wads", L"Sound\\VidedIRU Dovezev\\Sounds.txt"})
        EXPECT_NE(text.find(chapter), std::wstring::npos) << testing::PrintToString(std::wstring(chapter));
}

TEST(AboutBoxTest, ShowsItsLinesAndClosesWithOk)
{
    FakeDialogs dialogs;
    TFicheAPropos about(dialogs);
    EXPECT_EQ(WindowText(about.hwnd()), L"A PROPOS");
    RECT client{};
    GetClientRect(about.hwnd(), &client);
    EXPECT_EQ(client.right, 262);
    EXPECT_EQ(client.bottom, 191);
    std::vector<std::wstring> lines;
    for (HWND child = GetWindow(about.hwnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        lines.push_back(WindowText(child));
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[1], L"UTILITAIRE TESSARK");
    EXPECT_EQ(lines[2], L"pour l'éditeur de niveaux de Tomb Raider");
    EXPECT_EQ(lines[4], L"OK");
    HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    // The real modal loop: Enter presses OK, the owner is usable again after.
    PostMessageW(GetDlgItem(about.hwnd(), IDOK), WM_KEYDOWN, VK_RETURN, 0);
    about.BeginShow(owner);
    EXPECT_EQ(about.RunModal(owner), ModalResult::Ok);
    EXPECT_FALSE(IsWindowVisible(about.hwnd()));
    EXPECT_TRUE(IsWindowEnabled(owner));
    DestroyWindow(owner);
}

// One string of the version resource of `program`, in its first language.
std::wstring VersionString(const std::wstring& program, const wchar_t* name)
{
    std::vector<std::byte> info(GetFileVersionInfoSizeW(program.c_str(), nullptr));
    if (info.empty() || !GetFileVersionInfoW(program.c_str(), 0, static_cast<DWORD>(info.size()), info.data()))
        return L"(no version resource)";
    WORD* language = nullptr;
    UINT size = 0;
    if (!VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&language), &size) ||
        size < 2 * sizeof(WORD))
        return L"(no translation)";
    wchar_t path[64];
    swprintf(path, std::size(path), L"\\StringFileInfo\\%04x%04x\\%ls", language[0], language[1], name);
    wchar_t* value = nullptr;
    if (!VerQueryValueW(info.data(), path, reinterpret_cast<void**>(&value), &size) || size == 0)
        return std::wstring(L"(no ") + name + L")";
    return value;
}

// The fixed part of the version resource, as "major.minor.patch".
std::wstring FixedFileVersion(const std::wstring& program)
{
    std::vector<std::byte> info(GetFileVersionInfoSizeW(program.c_str(), nullptr));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    if (info.empty() || !GetFileVersionInfoW(program.c_str(), 0, static_cast<DWORD>(info.size()), info.data()) ||
        !VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &size))
        return L"(no fixed version)";
    return std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." + std::to_wstring(LOWORD(fixed->dwFileVersionMS)) +
           L"." + std::to_wstring(HIWORD(fixed->dwFileVersionLS));
}

// What Explorer shows in Tessark.exe's properties, and the about box tells the
// same version under its title lines.
TEST(AboutBoxTest, TellsTheVersionOfTheProgramsResource)
{
    const std::wstring program = std::wstring(TESSARK_DEMO_DIR) + L"\\Tessark.exe";
    const std::wstring version = VersionString(program, L"ProductVersion");
    EXPECT_EQ(VersionString(program, L"FileVersion"), version);
    EXPECT_EQ(FixedFileVersion(program), version);
    EXPECT_EQ(VersionString(program, L"ProductName"), L"Tessark");
    EXPECT_EQ(VersionString(program, L"FileDescription"), L"Utilitaire Tessark pour l'éditeur de niveaux de Tomb Raider");
    EXPECT_EQ(VersionString(program, L"LegalCopyright"), L"Copyright (c) 2026 the Tessark authors");

    FakeDialogs dialogs;
    TFicheAPropos about(dialogs);
    HWND subtitle = GetWindow(GetWindow(GetWindow(about.hwnd(), GW_CHILD), GW_HWNDNEXT), GW_HWNDNEXT);
    HWND versionLine = GetWindow(subtitle, GW_HWNDNEXT);
    EXPECT_EQ(WindowText(versionLine), L"Version " + version);
    RECT subtitleBox = RectIn(subtitle, about.hwnd());
    RECT versionBox = RectIn(versionLine, about.hwnd());
    EXPECT_GE(versionBox.top, subtitleBox.bottom) << "under the title lines";
    EXPECT_LE(versionBox.bottom, RectIn(GetDlgItem(about.hwnd(), IDOK), about.hwnd()).top) << "above OK";
}

TEST_F(HelpViewerTest, TheAboutBoxIsShownModallyFromTheMenu)
{
    Start();
    bool shown = false;
    dialogs.AnswerModal([&](HWND about) {
        shown = about == form->FicheAPropos().hwnd();
        SendMessageW(GetDlgItem(about, IDOK), BM_CLICK, 0, 0);
    });
    Menu(id::Apropos1);
    EXPECT_TRUE(shown);
    EXPECT_EQ(dialogs.modalsShown, 1);
}

TEST_F(HelpViewerTest, AMinimisedHelpComesBackAndItsFindDialogGoesWithTheWindow)
{
    Start();
    Menu(id::Aide1);
    ShowWindow(Aide().hwnd(), SW_MINIMIZE);
    Pump();
    ASSERT_TRUE(IsIconic(Aide().hwnd()));
    Menu(id::Aide1);
    EXPECT_FALSE(IsIconic(Aide().hwnd())) << "asked for again, the help is restored";
    EXPECT_TRUE(Visible(Aide().hwnd()));

    ShowWindow(Aide().hwnd(), SW_MINIMIZE);
    Pump();
    Click(id::BtEditSon);
    PressStripLabel(id::MenuAideEditeurSons);
    EXPECT_FALSE(IsIconic(Aide().hwnd())) << "from the sound strip too";
    EXPECT_EQ(Selected(), L"AUDIOSFX");

    SendMessageW(Aide().hwnd(), WM_COMMAND, 3 /* Rechercher */, 0);
    Pump();
    ASSERT_TRUE(Visible(Aide().FindDialog()));
    SendMessageW(Aide().hwnd(), WM_COMMAND, 2 /* Fermer */, 0);
    Pump();
    EXPECT_FALSE(Visible(Aide().hwnd()));
    EXPECT_FALSE(Visible(Aide().FindDialog())) << "hidden with its window";
    SendMessageW(Aide().hwnd(), WM_COMMAND, 3, 0);
    Pump();
    EXPECT_TRUE(Visible(Aide().FindDialog())) << "and shown again by Rechercher";
}


} // namespace
} // namespace tessark::test
