#include "PictureFiles.h"

#include "LayoutChecks.h"

#include <algorithm>
#include <cstdlib>
#include <cwchar>

namespace tessark::test {

image::Rgb Decoded::At(std::int32_t x, std::int32_t y) const
{
    const std::size_t at = (static_cast<std::size_t>(y) * width + x) * 4;
    return {rgba[at], rgba[at + 1], rgba[at + 2]};
}

std::uint8_t Decoded::AlphaAt(std::int32_t x, std::int32_t y) const
{
    return rgba[(static_cast<std::size_t>(y) * width + x) * 4 + 3];
}

image::Picture Decoded::Colours() const
{
    image::Picture picture(width, height);
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x)
            picture.Set(x, y, At(x, y));
    return picture;
}

// Written out here rather than taken from the program, so that a fault in its blending shows.
image::Picture Decoded::OnBlack() const
{
    image::Picture picture(width, height);
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x) {
            const image::Rgb c = At(x, y);
            const unsigned a = AlphaAt(x, y);
            const auto blend = [a](std::uint8_t v) { return static_cast<std::uint8_t>((v * a + 127) / 255); };
            picture.Set(x, y, {blend(c.red), blend(c.green), blend(c.blue)});
        }
    return picture;
}

void PaintedPictureTest::SetUp()
{
    MainWindowTest::SetUp();
#ifdef TESSARK_TEST_PICTURES
    haveTestPictures = true;
#else
    GTEST_SKIP() << "the test pictures need Python and ImageMagick at build time";
#endif
    CreateDirectoryW(pictures.c_str(), nullptr);
    CreateDirectoryW((installation / L"Logo").c_str(), nullptr);
    // The folder lists start in the current folder.
    SetCurrentDirectoryW(pictures.c_str());
}

void PaintedPictureTest::TearDown()
{
    MainWindowTest::TearDown();
    SetCurrentDirectoryW(L"C:\\");
}

void PaintedPictureTest::Provide(const std::wstring& name)
{
#ifdef TESSARK_TEST_PICTURES
    ASSERT_TRUE(CopyFileW((std::wstring(TESSARK_TEST_PICTURES) + L"\\" + name).c_str(),
                          (pictures + L"\\" + name).c_str(), FALSE))
        << "no test picture " << ::testing::PrintToString(name);
#endif
}

Decoded PaintedPictureTest::Reference(const std::wstring& name, std::int32_t width, std::int32_t height)
{
    Decoded decoded{width, height, {}};
#ifdef TESSARK_TEST_PICTURES
    const std::string bytes = ReadBytes(std::wstring(TESSARK_TEST_PICTURES) + L"\\" + name + L".rgba");
    EXPECT_EQ(bytes.size(), static_cast<std::size_t>(width) * height * 4) << "the reference of another size";
    decoded.rgba.assign(bytes.begin(), bytes.end());
    decoded.rgba.resize(static_cast<std::size_t>(width) * height * 4);
#endif
    return decoded;
}

void PaintedPictureTest::ClickFile(std::wstring_view name)
{
    form->Pictures().Files().Update();
    HWND list = Control(id::FileListBox3);
    ASSERT_TRUE(form->Pictures().Files().Select(name)) << "not listed: " << ::testing::PrintToString(std::wstring(name));
    SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(id::FileListBox3, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    Pump();
}

std::vector<std::wstring> PaintedPictureTest::Listed() const
{
    form->Pictures().Files().Update();
    return form->Pictures().Files().Names();
}

int PaintedPictureTest::LargestDifference(const image::Picture& expected) const
{
    const image::Picture& shown = Shown();
    if (shown.width() != expected.width() || shown.height() != expected.height())
        return 256;
    int largest = 0;
    for (std::int32_t y = 0; y < shown.height(); ++y)
        for (std::int32_t x = 0; x < shown.width(); ++x) {
            const image::Rgb a = shown.At(x, y), b = expected.At(x, y);
            largest = std::max({largest, std::abs(a.red - b.red), std::abs(a.green - b.green),
                                std::abs(a.blue - b.blue)});
        }
    return largest;
}

void PaintedPictureTest::PauseForScreenshot()
{
    wchar_t pause[16] = {}, dpi[16] = {};
    if (!GetEnvironmentVariableW(L"TESSARK_SCREENSHOT_PAUSE_MS", pause, 16))
        return;
    if (GetEnvironmentVariableW(L"TESSARK_SCREENSHOT_DPI", dpi, 16))
        SimulateDpi(mainWindow, static_cast<int>(std::wcstol(dpi, nullptr, 10)));
    SetWindowPos(mainWindow, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE);
    const DWORD end = GetTickCount() + static_cast<DWORD>(std::wcstol(pause, nullptr, 10));
    while (GetTickCount() < end) {
        Pump();
        Sleep(50);
    }
}

std::string RawBytesOf(const image::Picture& picture)
{
    std::string raw;
    for (std::int32_t y = 0; y < picture.height(); ++y)
        for (std::int32_t x = 0; x < picture.width(); ++x) {
            const image::Rgb pixel = picture.At(x, y);
            raw += {static_cast<char>(pixel.red), static_cast<char>(pixel.green), static_cast<char>(pixel.blue)};
        }
    return raw;
}

} // namespace tessark::test
