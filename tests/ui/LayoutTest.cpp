// The window at every scale of today's screens and at any size: captions
// whole, controls inside their parents, and no pixel left from an earlier
// drawing.
#include "LayoutChecks.h"
#include "UiHarness.h"

#include "ui/Dpi.h"

namespace tessark::test {
namespace {

constexpr int Scales[] = {96, 120, 144, 192};
constexpr WorkArea Areas[] = {WorkArea::Script, WorkArea::Sound, WorkArea::Picture};

std::string Named(WorkArea area, int dpi)
{
    const char* names[] = {"none", "script", "sound", "picture"};
    return std::string(names[static_cast<int>(area)]) + " area at " + std::to_string(dpi) + " dpi";
}

class LayoutTest : public MainWindowTest {
protected:
    // The picture area as its buttons show it, with the RAW format box.
    void Show(WorkArea area)
    {
        if (area == WorkArea::Picture)
            form->Pictures().EnterMode(PictureMode::Logo);
        else
            form->ShowWorkArea(area);
        Pump();
    }
};

TEST_F(LayoutTest, NoCaptionIsCutAndNothingSticksOutAtAnyScale)
{
    Start();
    for (int dpi : Scales) {
        SimulateDpi(mainWindow, dpi);
        EXPECT_EQ(DpiOf(mainWindow), dpi);
        for (WorkArea area : Areas) {
            Show(area);
            EXPECT_EQ(CutCaptions(mainWindow), std::vector<std::wstring>{}) << Named(area, dpi);
            EXPECT_EQ(OutsideTheirParent(mainWindow), std::vector<std::wstring>{}) << Named(area, dpi);
        }
    }
}

} // namespace
} // namespace tessark::test
