#pragma once
// The pictures of paint programs that the build makes for the tests (see
// tests/tools/make_test_pictures.py), with ImageMagick's decoding of each,
// and a picture-area fixture that opens them through the real window.
#include "UiHarness.h"

#include "image/Picture.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tessark::test {

// ImageMagick's decoding of one test picture: red, green, blue, alpha a pixel.
struct Decoded {
    std::int32_t width = 0, height = 0;
    std::vector<std::uint8_t> rgba;

    image::Rgb At(std::int32_t x, std::int32_t y) const;
    std::uint8_t AlphaAt(std::int32_t x, std::int32_t y) const;
    // The colours alone, as the sky shows them.
    image::Picture Colours() const;
    // Transparency on black, as the logo shows it.
    image::Picture OnBlack() const;
};

class PaintedPictureTest : public MainWindowTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Copies the test picture `name` into the folder the picture area lists.
    void Provide(const std::wstring& name);
    // `name`'s reference, for a picture of width x height.
    static Decoded Reference(const std::wstring& name, std::int32_t width, std::int32_t height);
    void ClickFile(std::wstring_view name);
    std::vector<std::wstring> Listed() const;
    std::wstring SizeShown() const { return Caption(id::StaticText4); }
    const image::Picture& Shown() const { return form->Pictures().ShownPicture(); }
    // The largest difference of one colour channel between the shown picture and `expected`.
    int LargestDifference(const image::Picture& expected) const;
    // With TESSARK_SCREENSHOT_PAUSE_MS set, keeps the window as it is on the
    // screen that long, for a screenshot of the display from outside; with
    // TESSARK_SCREENSHOT_DPI too, at that DPI first (144 for 150 %).
    void PauseForScreenshot();
    bool Checked(int radioId) const { return SendMessageW(Control(radioId), BM_GETCHECK, 0, 0) == BST_CHECKED; }

    std::wstring pictures = installation / L"Images";
    bool haveTestPictures = false;
};

// The RAW bytes of a picture: red, green, blue, the top row first.
std::string RawBytesOf(const image::Picture& picture);

} // namespace tessark::test
