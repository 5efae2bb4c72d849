// After the window is maximised, restored or dragged to another size, every
// area shows exactly what it shows when everything draws itself afresh.
#include "LayoutChecks.h"
#include "UiHarness.h"
#include <sstream>

namespace tessark::test {
namespace {

class RedrawTest : public MainWindowTest, public ::testing::WithParamInterface<WorkArea> {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        Start();
        form->ShowWorkArea(GetParam());
        // A blinking caret would differ from one capture to the next.
        SetFocus(mainWindow);
        Pump();
    }

    void ResizeBy(int dx, int dy)
    {
        RECT frame{};
        GetWindowRect(mainWindow, &frame);
        SetWindowPos(mainWindow, nullptr, 0, 0, frame.right - frame.left + dx, frame.bottom - frame.top + dy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Pump();
    }

    // What the screen shows now against what a full redraw shows: empty
    // when they agree, else how many pixels differ and where.
    std::string StalePixels()
    {
        LetDrawingReachTheScreen();
        const Capture shown = CaptureWindow(mainWindow);
        const Capture redrawn = CaptureRedrawn(mainWindow);
        const std::size_t count = DifferingPixels(shown, redrawn);
        if (count == 0)
            return {};
        const RECT box = DifferingBox(shown, redrawn);
        std::ostringstream text;
        text << count << " stale pixels within (" << box.left << ", " << box.top << ")-(" << box.right << ", "
             << box.bottom << ") of the window";
        return text.str();
    }
};

TEST_P(RedrawTest, MaximisedThenRestoredLeavesNoStalePixel)
{
    ShowWindow(mainWindow, SW_MAXIMIZE);
    Pump();
    EXPECT_EQ(StalePixels(), "") << "maximised";
    ShowWindow(mainWindow, SW_RESTORE);
    Pump();
    EXPECT_EQ(StalePixels(), "") << "restored";
}

// A drag sends many small changes of size, each drawn before the next.
TEST_P(RedrawTest, DraggedLargerThenSmallerLeavesNoStalePixel)
{
    for (int step = 0; step < 8; ++step)
        ResizeBy(23, 17);
    EXPECT_EQ(StalePixels(), "") << "dragged larger";
    for (int step = 0; step < 8; ++step)
        ResizeBy(-31, -13);
    EXPECT_EQ(StalePixels(), "") << "dragged smaller";
    for (int step = 0; step < 6; ++step)
        ResizeBy(19, 0);
    EXPECT_EQ(StalePixels(), "") << "only the right edge dragged";
}

std::string AreaName(const ::testing::TestParamInfo<WorkArea>& info)
{
    constexpr const char* names[] = {"None", "Script", "Sound", "Picture"};
    return names[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(EachArea, RedrawTest,
                         ::testing::Values(WorkArea::Script, WorkArea::Sound, WorkArea::Picture), AreaName);

} // namespace
} // namespace tessark::test
