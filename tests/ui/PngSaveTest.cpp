// "Enregistrer en PNG" through the real window: the shown picture (a RAW, a
// packed logo, a fitted picture) saved and read back equal; a failed write
// leaves nothing and says why.
#include "PictureFiles.h"

#include "image/PakFile.h"
#include "image/WicImage.h"
#include "util/FileNames.h"

#include <cstdlib>
#include <span>

namespace tessark::test {
namespace {

using image::Picture;

Picture Noise(std::int32_t width, std::int32_t height)
{
    Picture picture(width, height);
    std::uint32_t state = 12345;
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x) {
            state = state * 1664525u + 1013904223u;
            picture.Set(x, y, {static_cast<std::uint8_t>(state >> 24), static_cast<std::uint8_t>(state >> 16),
                               static_cast<std::uint8_t>(state >> 8)});
        }
    return picture;
}

class PngSaveTest : public PaintedPictureTest {
protected:
    void SaveShownAs(const std::wstring& path)
    {
        dialogs.ChooseFile(path);
        SendMessageW(GetParent(Control(id::BtSavePng)), WM_COMMAND, MAKEWPARAM(id::BtSavePng, BN_CLICKED),
                     reinterpret_cast<LPARAM>(Control(id::BtSavePng)));
        Pump();
    }
    // The PNG as the system's codecs read it again.
    static Picture ReadBack(const std::wstring& path)
    {
        image::WicRead read = image::ReadPictureWithWic(path);
        EXPECT_TRUE(read.ok()) << ::testing::PrintToString(read.error);
        EXPECT_FALSE(read.picture.HasTransparency());
        return std::move(read.picture.colours);
    }
    // Keeps a copy of a PNG and the RAW of what it should hold, for ImageMagick to compare on the host.
    static void KeepForHostCheck(const std::wstring& png, const Picture& expected, const wchar_t* name)
    {
        wchar_t folder[MAX_PATH] = {};
        if (!GetEnvironmentVariableW(L"TESSARK_PNG_CHECK_DIR", folder, MAX_PATH))
            return;
        const std::wstring kept = std::wstring(folder) + L"\\" + name;
        CopyFileW(png.c_str(), (kept + L"_" + std::to_wstring(expected.width()) + L"x" +
                                std::to_wstring(expected.height()) + L".png").c_str(), FALSE);
        WriteBytes(kept + L"_" + std::to_wstring(expected.width()) + L"x" + std::to_wstring(expected.height()) +
                       L".raw",
                   RawBytesOf(expected));
    }
};

TEST_F(PngSaveTest, ARawIsSavedAsAPngThatReadsBackEqual)
{
    const Picture logo = Noise(512, 256);
    WriteBytes(pictures + L"\\titre.raw", RawBytesOf(logo));
    Start();
    Click(id::BtEditLogo);
    EXPECT_FALSE(Enabled(id::BtSavePng)) << "nothing shown yet";
    ClickFile(L"titre.raw");
    ASSERT_TRUE(Enabled(id::BtSavePng));
    SaveShownAs(pictures + L"\\titre");
    ASSERT_EQ(dialogs.saveRequests.size(), 1u);
    EXPECT_EQ(dialogs.saveRequests[0].filter, L"Image PNG|*.png");
    EXPECT_EQ(dialogs.saveRequests[0].fileName, L"titre.png");
    EXPECT_TRUE(dialogs.shown.empty());
    const std::wstring png = pictures + L"\\titre.png";
    EXPECT_EQ(ReadBytes(png).substr(1, 3), "PNG");
    EXPECT_TRUE(RawBytesOf(ReadBack(png)) == RawBytesOf(logo));
    KeepForHostCheck(png, logo, L"raw");
    EXPECT_EQ(Listed(), (std::vector<std::wstring>{L"titre.png", L"titre.raw"})) << "listed at once";
}

TEST_F(PngSaveTest, TheGamesPackedLogoAndAFittedPictureAreSavedAsShown)
{
    const Picture logo = Noise(512, 256);
    const std::string raw = RawBytesOf(logo);
    const auto pak = image::PackLogo(std::span(reinterpret_cast<const std::uint8_t*>(raw.data()), raw.size()));
    WriteBytes(pictures + L"\\uklogo.pak", std::string(pak.begin(), pak.end()));
    Provide(L"wide.png");
    Start();
    Click(id::BtEditLogo);
    ClickFile(L"uklogo.pak");
    SaveShownAs(pictures + L"\\jeu.png");
    EXPECT_TRUE(RawBytesOf(ReadBack(pictures + L"\\jeu.png")) == raw);
    KeepForHostCheck(pictures + L"\\jeu.png", logo, L"pak");

    ClickFile(L"wide.png");
    dialogs.AnswerChoice(2);  // fill and crop
    dialogs.Answer(DialogButton::Yes);
    dialogs.Answer(DialogButton::Ok);
    Click(id::BtConvertLogo);
    const Picture fitted = Shown();
    ASSERT_EQ(fitted.width(), 512);
    SaveShownAs(pictures + L"\\ajuste.png");
    EXPECT_TRUE(RawBytesOf(ReadBack(pictures + L"\\ajuste.png")) == RawBytesOf(fitted));
    KeepForHostCheck(pictures + L"\\ajuste.png", fitted, L"fitted");
}

TEST_F(PngSaveTest, AFullDiskLeavesNoPngAndSaysWhy)
{
    const auto disk = TinyDisk();
    if (!disk)
        GTEST_SKIP() << NoTinyDisk;
    // Noise does not compress: its PNG cannot fit in 64 KB.
    WriteBytes(pictures + L"\\bruit.raw", RawBytesOf(Noise(512, 256)));
    Start();
    Click(id::BtEditLogo);
    ClickFile(L"bruit.raw");
    const std::vector<std::wstring> before = FilesIn(*disk + L"\\");
    dialogs.Answer(DialogButton::Ok);
    SaveShownAs(*disk + L"\\bruit.png");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Error);
    EXPECT_EQ(dialogs.shown[0].text, L"L'image n'a pas pu être enregistrée en PNG : " + *disk +
                                         L"\\bruit.png\r\nDisque plein.");
    EXPECT_EQ(FilesIn(*disk + L"\\"), before) << "nothing left on the disk";
}

TEST_F(PngSaveTest, AReadOnlyPngIsLeftAsItWasAndTheRefusalSaysWhy)
{
    WriteBytes(pictures + L"\\ciel.raw", std::string(256 * 256 * 3, '\x40'));
    const std::wstring png = pictures + L"\\ciel.png";
    WriteBytes(png, "ancienne image");
    SetFileAttributesW(png.c_str(), FILE_ATTRIBUTE_READONLY);
    Start();
    Click(id::BtEditCiel);
    ClickFile(L"ciel.raw");
    dialogs.Answer(DialogButton::Ok);
    SaveShownAs(png);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Error);
    EXPECT_EQ(dialogs.shown[0].text.find(L"L'image n'a pas pu être enregistrée en PNG : " + png + L"\r\n"), 0u)
        << ::testing::PrintToString(dialogs.shown[0].text);
    EXPECT_EQ(ReadBytes(png), "ancienne image");
    EXPECT_EQ(FilesIn(pictures + L"\\"), (std::vector<std::wstring>{L"ciel.png", L"ciel.raw"}))
        << "no temporary file left";
    SetFileAttributesW(png.c_str(), FILE_ATTRIBUTE_NORMAL);
}

} // namespace
} // namespace tessark::test
