// The numeric labels of the sound area.
#include "UiHarness.h"

#include "ui/LabelNum.h"

#include <climits>

namespace tessark::test {
namespace {

class LabelNumTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        Start();
        Click(id::BtEditSon);
    }
    // The colour of the label's top-left pixel on the screen.
    COLORREF Corner(const TLabelNum& label)
    {
        UpdateWindow(label.hwnd());
        HDC dc = GetDC(label.hwnd());
        const COLORREF colour = GetPixel(dc, 1, 1);
        ReleaseDC(label.hwnd(), dc);
        return colour;
    }
};

TEST_F(LabelNumTest, ShowsTheLastNumberAsPlainDecimalText)
{
    TLabelNum label(Control(id::Panel3), 900, 10, 10, 88, 14, RGB(255, 255, 255), true);
    EXPECT_EQ(label.Valeur(), 0);
    EXPECT_EQ(WindowText(label.hwnd()), L"") << "nothing until the first number";
    label.SetValeur(512);
    EXPECT_EQ(WindowText(label.hwnd()), L"512");
    label.SetValeur(512);
    EXPECT_EQ(WindowText(label.hwnd()), L"512");
    label.SetValeur(-1);
    EXPECT_EQ(WindowText(label.hwnd()), L"-1");
    label.SetValeur(INT32_MIN);
    EXPECT_EQ(WindowText(label.hwnd()), L"-2147483648");
    EXPECT_EQ(label.Valeur(), INT32_MIN);
    label.SetValeur(1234567890);
    RECT box{};
    GetClientRect(label.hwnd(), &box);
    EXPECT_EQ(box.right, 88) << "the box does not grow with its text";
    EXPECT_EQ(box.bottom, 14);
}

TEST_F(LabelNumTest, PaintsItsOwnBackground)
{
    TLabelNum white(Control(id::Panel3), 901, 10, 30, 89, 15, RGB(255, 255, 255), true);
    TLabelNum yellow(Control(id::Panel3), 902, 10, 50, 89, 13, RGB(255, 255, 128), false);
    yellow.SetValeur(1500);
    Pump();
    EXPECT_EQ(Corner(white), RGB(255, 255, 255));
    EXPECT_EQ(Corner(yellow), RGB(255, 255, 128));
}

} // namespace
} // namespace tessark::test
