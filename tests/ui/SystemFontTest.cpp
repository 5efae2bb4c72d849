// The window on a system whose message font is 9 points and wider than
// Wine's, as Windows 10 and 11 have it: the script still starts at 8 points
// and no push button's caption touches its frame, at any scale.
#include "LayoutChecks.h"
#include "UiHarness.h"

#include "ui/Dpi.h"


namespace tessark::test {
namespace {

using Nothing = std::vector<std::wstring>;

NONCLIENTMETRICSW SystemMetrics()
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return metrics;
}

// The setting lasts for the whole session, not only this process: it is put
// back however the test ends.
class SystemFontTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        NONCLIENTMETRICSW wide = original_;
        wcscpy_s(wide.lfMessageFont.lfFaceName, L"Tahoma");
        wide.lfMessageFont.lfHeight = -12;  // 9 points at 96 dpi
        ASSERT_TRUE(SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof wide, &wide, 0));
        MainWindowTest::SetUp();
    }
    void TearDown() override
    {
        MainWindowTest::TearDown();
        SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof original_, &original_, 0);
    }

private:
    NONCLIENTMETRICSW original_ = SystemMetrics();
};

TEST_F(SystemFontTest, TheScriptStartsAt8PointsAtEveryScale)
{
    Start();
    EXPECT_EQ(Caption(id::FontSize), L"8");
    EXPECT_EQ(editor::DefaultPoints(Control(id::Editor)), 8.0);
    for (int dpi : {144, 192}) {
        SimulateDpi(mainWindow, dpi);
        Pump();
        EXPECT_EQ(Caption(id::FontSize), L"8") << dpi << " dpi";
    }
}

TEST_F(SystemFontTest, PushButtonCaptionsKeepClearOfTheirFramesAtEveryScale)
{
    Start();
    form->ShowWorkArea(WorkArea::Script);
    ShowWindow(Control(id::BtRetourSFX), SW_SHOW);
    for (int dpi : {96, 120, 144, 192}) {
        SimulateDpi(mainWindow, dpi);
        Pump();
        for (WorkArea area : {WorkArea::Script, WorkArea::Sound}) {
            form->ShowWorkArea(area);
            Pump();
            EXPECT_EQ(CutPushButtonCaptions(mainWindow), Nothing{}) << dpi << " dpi";
        }
    }
}

} // namespace
} // namespace tessark::test
