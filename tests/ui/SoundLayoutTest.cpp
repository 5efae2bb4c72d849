// The sound area uses the room the window gives it: the lists first, so that
// more samples show at once, then the grid; and it holds together at the
// window's smallest size, at any scale.
#include "LayoutChecks.h"
#include "UiHarness.h"

#include "ui/Dpi.h"

#include <algorithm>

namespace tessark::test {
namespace {

int Height(HWND window)
{
    RECT box{};
    GetWindowRect(window, &box);
    return box.bottom - box.top;
}

int RowsShown(HWND list)
{
    RECT client{};
    GetClientRect(list, &client);
    return client.bottom / static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
}

class SoundLayoutTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        Start();
        Click(id::BtEditSon);
    }

    void ResizeTo(int width, int height)
    {
        SetWindowPos(mainWindow, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Pump();
    }

    int ListsHeight() const
    {
        return Height(Control(id::DirectoryListBox1)) + Height(Control(id::FileListBox1));
    }
};

// Before, the folder lists showed 5 and 3 rows at the start size.
TEST_F(SoundLayoutTest, FolderListsShowMoreRowsAtTheStartSize)
{
    EXPECT_GE(RowsShown(Control(id::DirectoryListBox1)), 7);
    EXPECT_GE(RowsShown(Control(id::DirectoryListBox2)), 5);
    EXPECT_GE(RowsShown(Control(id::FileListBox1)), 6);
    EXPECT_EQ(RowsShown(Control(id::FileListBox1)), RowsShown(Control(id::FileListBox2)));
    EXPECT_GE(Height(Control(id::StringGrid1)), 58) << "the header and two rows";
}

TEST_F(SoundLayoutTest, ListsTakeTheExtraHeightFirstThenShareItWithTheGrid)
{
    const int lists = ListsHeight(), grid = Height(Control(id::StringGrid1));
    RECT frame{};
    GetWindowRect(mainWindow, &frame);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;

    ResizeTo(width, height + 60);
    EXPECT_EQ(Height(Control(id::StringGrid1)), grid);
    EXPECT_NEAR(ListsHeight(), lists + 60, 1);
    EXPECT_NEAR(Height(Control(id::FileListBox2)) - Height(Control(id::FileListBox1)), 0, 1)
        << "both file lists grow alike";

    ResizeTo(width, height + 400);
    const int gridGain = Height(Control(id::StringGrid1)) - grid;
    EXPECT_GT(gridGain, 100) << "past a comfortable height the grid grows too";
    EXPECT_GT(ListsHeight() - lists, gridGain) << "the lists still gain more";
}

TEST_F(SoundLayoutTest, NothingOverlapsOrIsCutAtTheSmallestSizeAtAnyScale)
{
    HWND area = Control(id::Panel3);
    for (int dpi : {96, 144, 192}) {
        SimulateDpi(mainWindow, dpi);
        ResizeTo(Scale(640, dpi), Scale(480, dpi));
        SCOPED_TRACE(::testing::Message() << dpi << " dpi");
        EXPECT_EQ(OverlappingSiblings(area), std::vector<std::wstring>{});
        EXPECT_EQ(OutsideTheirParent(area), std::vector<std::wstring>{});
        EXPECT_EQ(CutCaptions(area), std::vector<std::wstring>{});
        EXPECT_GE(RowsShown(Control(id::DirectoryListBox2)), 3);
        EXPECT_GT(Height(Control(id::StringGrid1)), 0);
    }
}

// The Play glyph is drawn in green; twice the DPI, four times its pixels.
TEST_F(SoundLayoutTest, TransportGlyphsGrowWithTheScale)
{
    const auto greenPixels = [this] {
        LetDrawingReachTheScreen();
        const Capture play = CaptureRedrawn(Control(id::MediaPlayer1Play));
        return std::count(play.pixels.begin(), play.pixels.end(), 0x008000u);
    };
    const auto atBase = greenPixels();
    ASSERT_GT(atBase, 20);
    SimulateDpi(mainWindow, 192);
    Pump();
    const auto atDouble = greenPixels();
    EXPECT_GT(atDouble, atBase * 3);
    EXPECT_LT(atDouble, atBase * 5);
}

// Windows' frame takes 8 pixels on each side where Wine's takes 4: the
// gauge keeps its size whichever frame the window has.
TEST_F(SoundLayoutTest, TheStripAndTheGaugeHaveTheirOwnSizesAt96Dpi)
{
    HWND strip = Control(id::Panel6);
    const RECT filler = RectIn(Control(id::Label14), strip);
    EXPECT_EQ(filler.left, 88);
    EXPECT_EQ(filler.right - filler.left, 32);
    const RECT help = RectIn(Control(id::MenuAideEditeurSons), strip);
    EXPECT_EQ(help.left, 120);
    EXPECT_EQ(help.right - help.left, 121);
    EXPECT_EQ(RectIn(Control(id::LabelModifSons), strip).left, 241);
    EXPECT_EQ(CutCaptions(strip), std::vector<std::wstring>{});
    for (int narrower : {0, 8}) {
        ResizeTo(776 - 2 * narrower, 538);
        const RECT gauge = RectIn(Control(id::Gauge1), Control(id::GroupBox7));
        EXPECT_EQ(gauge.right - gauge.left, 177) << narrower;
        EXPECT_EQ(gauge.bottom - gauge.top, 13) << narrower;
        EXPECT_GT(RectIn(Control(id::StaticText3), Control(id::GroupBox7)).left, gauge.right);
    }
}

} // namespace
} // namespace tessark::test
