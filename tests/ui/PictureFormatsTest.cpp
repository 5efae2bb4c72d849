// Pictures of paint programs in the picture area, through the real window:
// listed beside the BMP and RAW files, shown pixel for pixel as ImageMagick
// decodes the same files, and damaged ones refused with a clear message.
#include "LayoutChecks.h"
#include "PictureFiles.h"

#include "util/FileNames.h"

namespace tessark::test {
namespace {

class PictureFormatsTest : public PaintedPictureTest {
protected:
    void ProvideAll()
    {
        for (const wchar_t* name : {L"alpha.png", L"photo.jpg", L"anim.gif", L"scan.tif", L"logo.tga"})
            Provide(name);
        WriteBytes(pictures + L"\\notes.txt", "pas une image");
        WriteBytes(pictures + L"\\ciel.raw", std::string(256 * 256 * 3, '\x20'));
    }
};

TEST_F(PictureFormatsTest, BothModesListThePaintProgramsFormatsBesideTheRawFiles)
{
    ProvideAll();
    Start();
    Click(id::BtEditLogo);
    const std::vector<std::wstring> all{L"alpha.png", L"anim.gif", L"ciel.raw", L"logo.tga", L"photo.jpg",
                                        L"scan.tif"};
    EXPECT_EQ(Listed(), all);
    Click(id::BtEditCiel);
    EXPECT_EQ(Listed(), all);
}

TEST_F(PictureFormatsTest, ATransparentPngBecomesBlackInTheLogoAndKeepsItsColoursInTheSky)
{
    Provide(L"alpha.png");
    const Decoded reference = Reference(L"alpha", 60, 40);
    Start();
    Click(id::BtEditLogo);
    ClickFile(L"alpha.png");
    EXPECT_EQ(LargestDifference(reference.OnBlack()), 0);
    // The 20 columns that are fully transparent; the half transparent ones stay coloured.
    EXPECT_EQ(SizeShown(), L"Image 60 x 40\r\n800 pixels rendus transparents\r\n"
                           L"800 pixels noirs : transparents dans le jeu");
    EXPECT_TRUE(Enabled(id::BtConvertLogo));
    EXPECT_EQ(form->Pictures().LogoPath(), pictures + L"\\alpha.png");
    EXPECT_TRUE(dialogs.shown.empty());

    // What the screen shows, not only what the area holds.
    LetDrawingReachTheScreen();
    const Capture shot = CaptureWindow(Control(id::Image1));
    ASSERT_EQ(shot.width, 60);
    for (const auto& [x, y] : {std::pair{5, 5}, {30, 20}, {55, 39}}) {
        const image::Rgb expected = reference.OnBlack().At(x, y);
        EXPECT_EQ(shot.pixels[static_cast<std::size_t>(y) * shot.width + x] & 0xFFFFFF,
                  static_cast<std::uint32_t>(expected.red) << 16 | expected.green << 8 | expected.blue)
            << x << ", " << y;
    }

    Click(id::BtEditCiel);
    ClickFile(L"alpha.png");
    EXPECT_EQ(LargestDifference(reference.Colours()), 0);
    EXPECT_EQ(SizeShown(), L"Image 60 x 40");
}

TEST_F(PictureFormatsTest, GifTiffAndTgaShowAsImageMagickDecodesThem)
{
    for (const wchar_t* name : {L"anim.gif", L"scan.tif", L"logo.tga"})
        Provide(name);
    Start();
    Click(id::BtEditLogo);
    ClickFile(L"anim.gif");
    EXPECT_EQ(LargestDifference(Reference(L"anim", 40, 30).Colours()), 0) << "the first frame";
    EXPECT_EQ(SizeShown(), L"Image 40 x 30");
    ClickFile(L"scan.tif");
    EXPECT_EQ(LargestDifference(Reference(L"scan", 96, 64).Colours()), 0);
    ClickFile(L"logo.tga");
    EXPECT_EQ(LargestDifference(Reference(L"logo", 50, 30).OnBlack()), 0) << "rows bottom first, run-length";
    EXPECT_EQ(SizeShown(), L"Image 50 x 30\r\n100 pixels rendus transparents\r\n"
                           L"100 pixels noirs : transparents dans le jeu");
    EXPECT_TRUE(dialogs.shown.empty());
}

// Two JPEG decoders need not agree to the last bit: the system's and
// ImageMagick's may round their transforms apart, by a step or two.
TEST_F(PictureFormatsTest, AJpegShowsAsImageMagickDecodesItWithinTwoSteps)
{
    Provide(L"photo.jpg");
    Start();
    Click(id::BtEditCiel);
    ClickFile(L"photo.jpg");
    EXPECT_LE(LargestDifference(Reference(L"photo", 96, 64).Colours()), 2);
    EXPECT_TRUE(Enabled(id::BtconvertCiel));
}

TEST_F(PictureFormatsTest, ADamagedPictureIsRefusedWithItsReasonAndTheShownOneStays)
{
    for (const wchar_t* name : {L"anim.gif", L"cut.png", L"broken.jpg", L"cut.tga", L"text.png"})
        Provide(name);
    Start();
    Click(id::BtEditLogo);
    ClickFile(L"anim.gif");
    const std::vector<std::wstring> before = FilesIn(pictures + L"\\");
    const struct {
        const wchar_t* name;
        std::wstring reason;
    } damaged[] = {
        {L"cut.png", L"Image incorrecte ou endommagée : " + pictures + L"\\cut.png"},
        {L"broken.jpg", L"Image incorrecte ou endommagée : " + pictures + L"\\broken.jpg"},
        {L"cut.tga", L"Image TGA incorrecte : les données de l'image sont tronquées"},
        {L"text.png", L"Format d'image non reconnu : " + pictures + L"\\text.png"},
    };
    for (const auto& file : damaged) {
        dialogs.shown.clear();
        ClickFile(file.name);
        ASSERT_TRUE(WindowAlive());
        ASSERT_EQ(dialogs.shown.size(), 1u) << ::testing::PrintToString(std::wstring(file.name));
        EXPECT_EQ(dialogs.shown[0].how, ShownMessage::Kind::Failure);
        EXPECT_EQ(dialogs.shown[0].text, file.reason + L".");
        EXPECT_EQ(SizeShown(), L"Image 40 x 30") << "the earlier picture stays";
        EXPECT_EQ(form->Pictures().LogoPath(), pictures + L"\\anim.gif");
    }
    EXPECT_EQ(FilesIn(pictures + L"\\"), before) << "nothing written";
}

TEST_F(PictureFormatsTest, APngLogoIsWrittenAsARawBesideItAndPacked)
{
    Provide(L"alpha.png");
    Start();
    Click(id::BtEditLogo);
    ClickFile(L"alpha.png");
    const image::Picture shown = Shown();
    dialogs.AnswerChoice(3);            // "Garder la taille"
    dialogs.Answer(DialogButton::Yes);  // the size question
    dialogs.Answer(DialogButton::Ok);
    Click(id::BtConvertLogo);
    const std::string raw = ReadBytes(pictures + L"\\alpha.raw");
    ASSERT_EQ(raw.size(), 60u * 40 * 3);
    EXPECT_TRUE(raw == RawBytesOf(shown)) << "the picture as shown, transparency black";
    EXPECT_TRUE(Exists(pictures + L"\\alpha.pak"));
    EXPECT_EQ(form->Pictures().LogoPath(), pictures + L"\\alpha.raw");
}

} // namespace
} // namespace tessark::test
