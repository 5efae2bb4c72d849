// What the script editor adds as a script is typed: each kind of token in
// its colour on screen, the check's findings marked a moment after the last
// key, and the lists and call tips of completion.
#include "UiHarness.h"

#include "../core/FieldFiles.h"
#include "script/ScriptArea.h"
#include "util/Text1252.h"

#include <Scintilla.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace tessark::test {
namespace {

using script::TokenStyle;

class ScriptColoursTest : public MainWindowTest {
protected:
    void OpenScript(const std::string& bytes, const std::wstring& name = L"script.txt")
    {
        OpenInScriptEditor(installation / (L"script\\" + name), bytes);
    }
    HWND Editor() const { return Control(id::Editor); }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return SendMessageW(Editor(), message, wParam, lParam);
    }
    LRESULT Find(const char* text) const
    {
        Send(SCI_SETSEARCHFLAGS, SCFIND_MATCHCASE);
        Send(SCI_SETTARGETRANGE, 0, Send(SCI_GETLENGTH));
        return Send(SCI_SEARCHINTARGET, std::strlen(text), reinterpret_cast<LPARAM>(text));
    }
    // The editor's client area as it paints it, row by row.
    std::vector<COLORREF> Paint(int& width) const
    {
        RECT client{};
        GetClientRect(Editor(), &client);
        width = client.right;
        HDC screen = GetDC(Editor());
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
        HGDIOBJ old = SelectObject(memory, bitmap);
        SendMessageW(Editor(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
        std::vector<COLORREF> pixels;
        for (int y = 0; y < client.bottom; ++y)
            for (int x = 0; x < client.right; ++x)
                pixels.push_back(GetPixel(memory, x, y));
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(Editor(), screen);
        return pixels;
    }
    // Pixels in the token's box drawn in its colour (give or take smoothing).
    int PixelsOf(const char* token, TokenStyle style)
    {
        const LRESULT start = Find(token);
        EXPECT_GE(start, 0) << token;
        const LRESULT end = start + static_cast<LRESULT>(std::strlen(token));
        int width = 0;
        const auto pixels = Paint(width);
        const int left = static_cast<int>(Send(SCI_POINTXFROMPOSITION, 0, start));
        const int right = static_cast<int>(Send(SCI_POINTXFROMPOSITION, 0, end));
        const int top = static_cast<int>(Send(SCI_POINTYFROMPOSITION, 0, start));
        const int bottom = top + static_cast<int>(Send(SCI_TEXTHEIGHT, static_cast<WPARAM>(Send(SCI_LINEFROMPOSITION, start))));
        const COLORREF wanted = ScriptArea::ColourOf(style);
        int count = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right && x < width; ++x) {
                const COLORREF c = pixels[static_cast<std::size_t>(y) * width + x];
                const int dr = GetRValue(c) - GetRValue(wanted), dg = GetGValue(c) - GetGValue(wanted),
                          db = GetBValue(c) - GetBValue(wanted);
                count += std::sqrt(dr * dr + dg * dg + db * db) < 24 ? 1 : 0;
            }
        return count;
    }
    // Waits up to `milliseconds` for `done`, running the message loop.
    template <class Done>
    bool Within(int milliseconds, Done done)
    {
        for (int waited = 0; waited < milliseconds; waited += 20) {
            Pump();
            if (done())
                return true;
            Sleep(20);
        }
        return done();
    }
    std::string Suggestions() const { return form->Script().LastSuggestions(); }
};

TEST_F(ScriptColoursTest, EachKindOfTokenIsDrawnInItsColour)
{
    OpenScript("[Level]\r\n; les ruines\r\nName= Ruines\r\nFogg= 7\r\nLayer1= 160,$1F\r\nHorizon= ENABLED\r\n"
               "#INCLUDE \"autre.txt\"\r\n\r\n");
    Send(SCI_DOCUMENTEND);
    Pump();
    const struct {
        const char* token;
        TokenStyle style;
    } tokens[] = {
        {"[Level]", TokenStyle::Section},      {"les ruines", TokenStyle::Comment},
        {"Name", TokenStyle::KnownCommand},    {"Ruines", TokenStyle::String},
        {"Fogg", TokenStyle::UnknownCommand},  {"160", TokenStyle::Number},
        {"$1F", TokenStyle::HexNumber},        {"ENABLED", TokenStyle::Value},
        {"#INCLUDE", TokenStyle::Directive},
    };
    for (const auto& t : tokens)
        EXPECT_GT(PixelsOf(t.token, t.style), 0) << t.token;
    EXPECT_EQ(PixelsOf("Ruines", TokenStyle::KnownCommand), 0) << "a string is not drawn as a command";
    EXPECT_EQ(PixelsOf("Fogg", TokenStyle::KnownCommand), 0) << "an unknown command is not drawn as a known one";

    // A language file: its headers and labels.
    OpenScript("[Strings]\r\nQuestItem1:Amulette\r\n\r\n", L"FRENCH.TXT");
    Send(SCI_DOCUMENTEND);
    Pump();
    EXPECT_GT(PixelsOf("[Strings]", TokenStyle::LanguageHeader), 0);
    EXPECT_GT(PixelsOf("QuestItem1:", TokenStyle::LabelPrefix), 0);
    EXPECT_GT(PixelsOf("Amulette", TokenStyle::String), 0);
}

TEST_F(ScriptColoursTest, ATwentyMegabyteTextIsStyledOnlyWhereItIsShown)
{
    std::string big;
    while (big.size() < 20u * 1024 * 1024)
        big += "[Level]\r\nName= Ville\r\nLevel= DATA\\VILLE,101\r\n";
    OpenScript(big);
    Pump();
    EXPECT_LT(Send(SCI_GETENDSTYLED), 64 * 1024) << "styled far beyond the view";
    Send(SCI_DOCUMENTEND);
    Pump();
    EXPECT_EQ(Send(SCI_GETSTYLEAT, static_cast<WPARAM>(Send(SCI_GETLENGTH) - 9)),
              static_cast<LRESULT>(TokenStyle::String)) << "the end is styled once shown";
}

TEST_F(ScriptColoursTest, ATypedUnknownCommandIsMarkedWithinASecondWithItsFindingAsACallTip)
{
    OpenScript("[Level]\r\nName= Ville\r\n");
    Within(600, [] { return false; });   // the check after opening
    EXPECT_EQ(Send(SCI_MARKERGET, 1), 0) << "a clean script has no marks";
    Send(SCI_DOCUMENTEND);
    SetFocus(Editor());
    TypeText(L"Fogg= 1");
    const LRESULT line = 2;
    const LRESULT at = Send(SCI_POSITIONFROMLINE, line) + 1;
    EXPECT_TRUE(Within(1000, [&] { return Send(SCI_MARKERGET, line) != 0; })) << "no margin mark";
    EXPECT_NE(Send(SCI_INDICATORALLONFOR, static_cast<WPARAM>(at)) & (1 << INDIC_CONTAINER), 0) << "no squiggle";
    EXPECT_EQ(Send(SCI_INDICGETSTYLE, INDIC_CONTAINER), INDIC_SQUIGGLE);
    EXPECT_EQ(Send(SCI_MARKERGET, 1), 0) << "only the finding's line";
    ASSERT_FALSE(form->Script().Findings().empty());
    EXPECT_EQ(form->Script().Findings().front().scriptLine, 3);

    // The pointer resting on the line shows the finding.
    const LPARAM point = MAKELPARAM(Send(SCI_POINTXFROMPOSITION, 0, at), Send(SCI_POINTYFROMPOSITION, 0, at) + 3);
    Send(WM_MOUSEMOVE, 0, point);
    EXPECT_TRUE(Within(1500, [&] { return Send(SCI_CALLTIPACTIVE) != 0; })) << "no call tip";

    // Taken away: the marks go.
    Send(SCI_DELETERANGE, static_cast<WPARAM>(at - 1), 7);
    EXPECT_TRUE(Within(1000, [&] { return Send(SCI_MARKERGET, line) == 0; }));
    EXPECT_EQ(Send(SCI_INDICATORALLONFOR, static_cast<WPARAM>(at)) & (1 << INDIC_CONTAINER), 0);
}

// The report keeps listing what the check finds as the script is typed, until
// a compilation's report takes the panel: that one stays for the user to read.
TEST_F(ScriptColoursTest, TheReportListsTheFindingsAsTheyAreTypedAndKeepsACompilationsReport)
{
    TESSARK_SKIP_WITHOUT_FIELD();
    WriteBytes(installation / L"script\\ENGLISH.TXT", FieldFile("compiler/tr4-template/ENGLISH.TXT").value());
    OpenScript(FieldFile("compiler/tr4-template/SCRIPT.TXT").value());
    EXPECT_TRUE(ReportShown().empty());
    Send(SCI_DOCUMENTEND);
    SetFocus(Editor());
    TypeText(L"\r\nFogg= 1");
    ASSERT_TRUE(Within(1000, [&] { return !ReportShown().empty(); })) << "the findings not listed";
    ASSERT_FALSE(form->Script().Findings().empty());
    for (const auto& finding : form->Script().Findings())
        EXPECT_TRUE(ReportHas(cp1252::Decode(finding.text))) << finding.text;
    const std::size_t typedFindings = form->Script().Findings().size();

    Send(SCI_DELETERANGE, static_cast<WPARAM>(Send(SCI_GETLENGTH) - 9), 9);
    dialogs.Answer(DialogButton::Yes);   // compile despite the missing level files
    Click(id::BtConvertScript);
    ASSERT_TRUE(ReportHas(L"Script compilé par Tessark : SCRIPT.DAT, ENGLISH.DAT"));
    const auto compiled = ReportShown();
    TypeText(L"\r\nFogg= 1");
    ASSERT_TRUE(Within(1000, [&] { return form->Script().Findings().size() == typedFindings; }));
    EXPECT_EQ(ReportShown(), compiled);
}

TEST_F(ScriptColoursTest, CompletionOffersEachSectionsCommandsTheirLayoutAndTheScriptFoldersFiles)
{
    WriteBytes(installation / L"script\\ENGLISH.TXT", "[Strings]\r\n");
    WriteBytes(installation / L"script\\autre.txt", "");
    OpenScript("[Title]\r\n\r\n[Level]\r\n\r\n[Language]\r\n\r\n[Options]\r\n\r\n");
    SetFocus(Editor());
    auto typeOnLine = [&](int line, std::wstring_view text) {
        Send(SCI_AUTOCCANCEL);
        Send(SCI_CALLTIPCANCEL);
        const LRESULT at = Send(SCI_POSITIONFROMLINE, static_cast<WPARAM>(line));
        Send(SCI_SETSEL, static_cast<WPARAM>(at), at);
        TypeText(text);
    };
    // The list comes once the typed character is drawn.
    auto ListShown = [&] { return Within(1000, [&] { return Send(SCI_AUTOCACTIVE) != 0; }); };
    typeOnLine(3, L"L");
    EXPECT_TRUE(ListShown());
    const std::string level = Suggestions();
    EXPECT_NE(level.find("\nLevel\n"), std::string::npos) << level;
    EXPECT_NE(level.find("\nHorizon\n"), std::string::npos) << level;
    EXPECT_NE(level.find("Customize"), std::string::npos) << "TRNG commands too: " << level;

    typeOnLine(1, L"L");
    EXPECT_TRUE(ListShown());
    const std::string title = Suggestions();
    EXPECT_NE(title.find("Level"), std::string::npos) << title;
    for (const char* levelOnly : {"\nName\n", "\nPuzzle\n"}) {
        EXPECT_NE(level.find(levelOnly), std::string::npos) << level;
        EXPECT_EQ(title.find(levelOnly), std::string::npos) << "a [Level] command in [Title]: " << title;
    }
    EXPECT_NE(title, level);

    // After "=", the argument layout.
    Send(SCI_AUTOCCANCEL);
    TypeText(L"evel=");
    EXPECT_TRUE(Within(1000, [&] { return Send(SCI_CALLTIPACTIVE) != 0; }));

    // In [Language], the language files; after #INCLUDE, the script folder's texts.
    typeOnLine(5, L"File= 0,");
    EXPECT_TRUE(ListShown());
    EXPECT_NE(Suggestions().find("ENGLISH.TXT"), std::string::npos) << Suggestions();
    typeOnLine(7, L"#INCLUDE ");
    EXPECT_TRUE(ListShown());
    EXPECT_NE(Suggestions().find("autre.txt"), std::string::npos) << Suggestions();

    // Ctrl+Space asks for the list with nothing typed.
    typeOnLine(3, L"");
    PressShortcut(VK_SPACE, true);
    EXPECT_TRUE(ListShown());
    EXPECT_EQ(Suggestions(), level);
}

} // namespace
} // namespace tessark::test
