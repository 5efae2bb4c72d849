// The main window and its boxes at today's scales: what is written for a
// 96-dpi screen grows with the DPI, the shown picture keeps its own pixels and
// the script keeps its size in points.
#include "LayoutChecks.h"
#include "UiHarness.h"

#include "ui/Dpi.h"
#include "app/FicheAideSFX.h"
#include "app/UnitApropos.h"
#include "image/BmpImage.h"
#include "ui/RichEdit.h"
#include "sound/UnitChoixWad.h"

#include <commctrl.h>
#include <richedit.h>

namespace tessark::test {
namespace {

constexpr int Scales[] = {96, 120, 144, 192};
using Nothing = std::vector<std::wstring>;

SIZE SizeOf(HWND window)
{
    RECT frame{};
    GetWindowRect(window, &frame);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

SIZE ClientSizeOf(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

::testing::AssertionResult SizeIs(SIZE actual, int width, int height)
{
    if (actual.cx == width && actual.cy == height)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << actual.cx << " x " << actual.cy << " instead of " << width << " x "
                                         << height;
}

// From the top of the first line to the top of the second, in pixels.
int LineHeight(HWND editor)
{
    POINTL first{}, second{};
    SendMessageW(editor, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&first), 0);
    const auto secondLine = SendMessageW(editor, EM_LINEINDEX, 1, 0);
    SendMessageW(editor, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&second), secondLine);
    return static_cast<int>(second.y - first.y);
}

int FontHeight(HWND control)
{
    LOGFONTW face{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof face, &face);
    return face.lfHeight;
}

std::string At(int dpi)
{
    return "at " + std::to_string(dpi) + " dpi";
}

class ScaleTest : public MainWindowTest {};

// From the screen's top-left corner, as large as the screen lets it be, but
// never under the window's smallest size.
::testing::AssertionResult SizeAtMostOnScreen(HWND window, int width, int height)
{
    MINMAXINFO limits{};
    limits.ptMaxTrackSize = {GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
    SendMessageW(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    const POINT& most = limits.ptMaxTrackSize;
    const POINT& least = limits.ptMinTrackSize;
    return SizeIs(SizeOf(window), std::max<int>(least.x, std::min<int>(width, most.x)),
                  std::max<int>(least.y, std::min<int>(height, most.y)))
           << " (screen " << most.x << " x " << most.y << ")";
}

// The window at its top-left corner in its size at 96 dpi.
void BackTo96(HWND window, int width, int height)
{
    SimulateDpi(window, 96);
    SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOZORDER);
}

TEST_F(ScaleTest, TheMainWindowItsToolColumnAndStatusBarGrowWithTheScale)
{
    Start();
    form->ShowWorkArea(WorkArea::Script);
    for (int dpi : Scales) {
        // From the starting size at 96 dpi each time.
        BackTo96(mainWindow, 776, 538);
        SimulateDpi(mainWindow, dpi);
        Pump();
        EXPECT_TRUE(SizeAtMostOnScreen(mainWindow, Scale(776, dpi), Scale(538, dpi))) << At(dpi);
        EXPECT_EQ(RectIn(Control(id::Panel1), mainWindow).right, Scale(177, dpi)) << At(dpi);
        EXPECT_EQ(RectIn(Control(id::GroupBox1), mainWindow).left, Scale(177, dpi)) << At(dpi);
        EXPECT_EQ(RectIn(Control(id::BtEditCiel), Control(id::Panel1)).top, Scale(360, dpi)) << At(dpi);
        HWND status = Control(id::StatusBar);
        int edges[3] = {};
        ASSERT_EQ(SendMessageW(status, SB_GETPARTS, 3, reinterpret_cast<LPARAM>(edges)), 3);
        EXPECT_EQ(edges[0], Scale(120, dpi)) << At(dpi);
        EXPECT_EQ(edges[1], Scale(180, dpi)) << At(dpi);
        EXPECT_EQ(edges[2], Scale(230, dpi)) << At(dpi);
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(status, WM_GETFONT, 0, 0)), GuiFont(dpi)) << At(dpi);
        EXPECT_EQ(StatusPanel(0), L"Line:   1   Col:   1") << At(dpi);
    }
}

TEST_F(ScaleTest, AtItsSmallestTheWindowHoldsTheToolColumnAndEachAreaWithoutOverlap)
{
    Start();
    form->ShowWorkArea(WorkArea::Script);
    // The widest row of the script area: shown while the sound catalogue is open.
    ShowWindow(Control(id::BtRetourSFX), SW_SHOW);
    for (int dpi : Scales) {
        SimulateDpi(mainWindow, dpi);
        MINMAXINFO limits{};
        SendMessageW(mainWindow, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
        EXPECT_LT(limits.ptMinTrackSize.x, Scale(776, dpi)) << At(dpi);
        EXPECT_LT(limits.ptMinTrackSize.y, Scale(538, dpi)) << At(dpi);
        // Any smaller size asked for stops at the minimum, as a dragged edge does.
        SetWindowPos(mainWindow, nullptr, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER);
        EXPECT_TRUE(SizeIs(SizeOf(mainWindow), limits.ptMinTrackSize.x, limits.ptMinTrackSize.y)) << At(dpi);
        for (WorkArea area : {WorkArea::Script, WorkArea::Sound, WorkArea::Picture}) {
            if (area == WorkArea::Picture)
                form->Pictures().EnterMode(PictureMode::Logo);
            else
                form->ShowWorkArea(area);
            Pump();
            const char* names[] = {"", ", script area", ", sound area", ", picture area"};
            const std::string where = At(dpi) + names[static_cast<int>(area)];
            EXPECT_EQ(OverlappingSiblings(mainWindow), Nothing{}) << where;
            EXPECT_EQ(OutsideTheirParent(mainWindow), Nothing{}) << where;
            EXPECT_EQ(CutCaptions(mainWindow), Nothing{}) << where;
        }
        SetWindowPos(mainWindow, nullptr, 0, 0, Scale(776, dpi), Scale(538, dpi), SWP_NOMOVE | SWP_NOZORDER);
    }
}

TEST_F(ScaleTest, TheScriptKeepsItsSizeInPointsAndTheToolbarGrows)
{
    Start();
    form->ShowWorkArea(WorkArea::Script);
    HWND editor = Control(id::Editor);
    SetEditorText(L"un\rdeux\rtrois");
    const std::wstring points = Caption(id::FontSize);
    const int lineAt96 = editor::LineHeight(editor);
    ASSERT_GT(lineAt96, 0);
    SimulateDpi(mainWindow, 144);
    Pump();
    EXPECT_EQ(Caption(id::FontSize), points);
    // The editor's font comes in whole pixels, some faces in a few sizes only.
    const int lineAt144 = editor::LineHeight(editor);
    EXPECT_NEAR(lineAt144, lineAt96 * 3 / 2, lineAt96 / 5);

    HWND toolBar = Control(id::StandardToolBar);
    const auto buttonSize = SendMessageW(toolBar, TB_GETBUTTONSIZE, 0, 0);
    EXPECT_EQ(LOWORD(buttonSize), Scale(23, 144));
    EXPECT_EQ(HIWORD(buttonSize), Scale(22, 144));
    int imageWidth = 0, imageHeight = 0;
    ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(SendMessageW(toolBar, TB_GETIMAGELIST, 0, 0)), &imageWidth,
                          &imageHeight);
    EXPECT_EQ(imageWidth, 24);
    EXPECT_EQ(SendMessageW(toolBar, TB_BUTTONCOUNT, 0, 0), 9);
    EXPECT_TRUE(SendMessageW(toolBar, TB_ISBUTTONENABLED, id::BtCouper, 0));
    EXPECT_FALSE(SendMessageW(toolBar, TB_ISBUTTONENABLED, id::ToolButton1, 0));
    // The toolbar made for the new DPI still works the editor.
    ClickToolButton(id::Btnouveau);
    EXPECT_EQ(EditorText(), L"");

    // A loaded script is drawn at the window's DPI too, in the same place.
    const RECT place = RectIn(Control(id::Editor), Control(id::GroupBox1));
    TempFolder folder;
    WriteBytes(folder / L"niveau.txt", "[Level]\r\nName= Ville\r\n");
    form->Script().LoadDocument(folder / L"niveau.txt");
    editor = Control(id::Editor);
    EXPECT_EQ(editor::LineHeight(editor), lineAt144);
    const RECT fresh = RectIn(editor, Control(id::GroupBox1));
    EXPECT_TRUE(EqualRect(&fresh, &place)) << fresh.left << "," << fresh.top << " " << fresh.right << ","
                                           << fresh.bottom << " instead of " << place.left << "," << place.top
                                           << " " << place.right << "," << place.bottom;
    EXPECT_EQ(Caption(id::FontSize), points);
}

TEST_F(ScaleTest, APictureKeepsItsOwnPixelsAndTheScrollBoxFillsTheArea)
{
    TempFolder pictures(L"tessark pictures");
    image::Picture logo(512, 256);
    const auto bytes = image::EncodeBmp24(logo);
    WriteBytes(pictures / L"titre.bmp", std::string(bytes.begin(), bytes.end()));
    SetCurrentDirectoryW(pictures.path().c_str());
    Start();
    Click(id::BtEditLogo);
    ASSERT_TRUE(form->Pictures().Files().Select(L"titre.bmp"));
    HWND list = Control(id::FileListBox3);
    SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(id::FileListBox3, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    Pump();
    for (int dpi : {144, 192}) {
        SimulateDpi(mainWindow, dpi);
        Pump();
        EXPECT_TRUE(SizeIs(ClientSizeOf(Control(id::Image1)), 512, 256)) << At(dpi);
        const RECT box = RectIn(Control(id::ScrollBox1), Control(id::Panel4));
        const SIZE area = ClientSizeOf(Control(id::Panel4));
        EXPECT_EQ(box.left, Scale(200, dpi)) << At(dpi);
        EXPECT_EQ(box.right, area.cx) << At(dpi);
        EXPECT_EQ(box.bottom, area.cy - Scale(50, dpi)) << At(dpi);
    }
    SetCurrentDirectoryW(L"C:\\");
}

// The boxes follow their own window's DPI.
TEST(BoxScaleTest, TheAboutBoxKeepsItsClientAndFontsInUnits)
{
    FakeDialogs dialogs;
    TFicheAPropos about(dialogs);
    ShowWindow(about.hwnd(), SW_SHOWNOACTIVATE);
    HWND title = GetWindow(GetWindow(about.hwnd(), GW_CHILD), GW_HWNDNEXT);
    ASSERT_EQ(WindowText(title), L"UTILITAIRE TESSARK");
    for (int dpi : {120, 144, 192, 96}) {
        SimulateDpi(about.hwnd(), dpi);
        EXPECT_TRUE(SizeIs(ClientSizeOf(about.hwnd()), Scale(262, dpi), Scale(191, dpi))) << At(dpi);
        EXPECT_EQ(FontHeight(title), -Scale(13, dpi)) << At(dpi);
        EXPECT_EQ(CutCaptions(about.hwnd()), Nothing{}) << At(dpi);
        EXPECT_EQ(OutsideTheirParent(about.hwnd()), Nothing{}) << At(dpi);
    }
    ShowWindow(about.hwnd(), SW_HIDE);
}

TEST(BoxScaleTest, TheWadChooserKeepsItsClientInUnits)
{
    FakeDialogs dialogs;
    TFicheChoixWad chooser(dialogs, L"C:\\");
    ShowWindow(chooser.hwnd(), SW_SHOWNOACTIVATE);
    for (int dpi : {120, 144, 192, 96}) {
        SimulateDpi(chooser.hwnd(), dpi);
        EXPECT_TRUE(SizeIs(ClientSizeOf(chooser.hwnd()), Scale(258, dpi), Scale(246, dpi))) << At(dpi);
        EXPECT_EQ(FontHeight(chooser.ListeWADs()), FontHeight(GetDlgItem(chooser.hwnd(), IDOK))) << At(dpi);
        EXPECT_EQ(CutCaptions(chooser.hwnd()), Nothing{}) << At(dpi);
        EXPECT_EQ(OutsideTheirParent(chooser.hwnd()), Nothing{}) << At(dpi);
    }
    ShowWindow(chooser.hwnd(), SW_HIDE);
}

TEST(BoxScaleTest, TheHelpWindowGrowsAndItsTextKeepsItsSizeInPoints)
{
    FakeDialogs dialogs;
    TFicheAide help(dialogs);
    ShowWindow(help.hwnd(), SW_SHOWNOACTIVATE);
    HWND text = help.RichEdit1();
    richedit::SetText(text, L"AUDIOSFX\rLe titre et le logo\r");
    const int lineAt96 = LineHeight(text);
    ASSERT_GT(lineAt96, 0);
    for (int dpi : {144, 192, 96}) {
        BackTo96(help.hwnd(), 696, 480);
        SimulateDpi(help.hwnd(), dpi);
        EXPECT_TRUE(SizeAtMostOnScreen(help.hwnd(), Scale(696, dpi), Scale(480, dpi))) << At(dpi);
        const SIZE client = ClientSizeOf(help.hwnd());
        EXPECT_TRUE(SizeIs(SizeOf(text), client.cx, client.cy)) << At(dpi);
        EXPECT_NEAR(LineHeight(text), lineAt96 * dpi / 96, lineAt96 / 5) << At(dpi);
        EXPECT_EQ(OutsideTheirParent(help.hwnd()), Nothing{}) << At(dpi);
    }
    ShowWindow(help.hwnd(), SW_HIDE);
}

} // namespace
} // namespace tessark::test
