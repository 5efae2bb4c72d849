// A picture of another size fitted to the game's at export, through the real
// window: the three ways, the size kept, the fit declined, and the bytes of
// the RAW written against the core's fitting of the same decoded pixels.
#include "PictureFiles.h"

#include "image/PictureFit.h"

#include <cstdlib>

namespace tessark::test {
namespace {

using image::FitWay;
using image::Picture;
using image::Rgb;

constexpr std::size_t Stretch = 0, Inside = 1, Fill = 2, KeepSize = 3;
constexpr std::size_t LogoRawSize = 512 * 256 * 3;

class PictureFitExportTest : public PaintedPictureTest {
protected:
    void OpenWideLogo()
    {
        Provide(L"wide.png");
        Start();
        Click(id::BtEditLogo);
        ClickFile(L"wide.png");
    }
    // Fits the logo the given way, agrees to save it and reads the RAW written.
    std::string ExportLogoFitted(std::size_t way)
    {
        dialogs.AnswerChoice(way);
        dialogs.Answer(DialogButton::Yes);
        dialogs.Answer(DialogButton::Ok);
        Click(id::BtConvertLogo);
        return ReadBytes(raw);
    }
    Picture Expected(FitWay way, std::int32_t width, std::int32_t height, Rgb border) const
    {
        return image::FitToSize(wide.Colours(), width, height, way, border);
    }
    static Rgb PixelOf(const std::string& rawBytes, std::int32_t width, std::int32_t x, std::int32_t y)
    {
        const std::size_t at = (static_cast<std::size_t>(y) * width + x) * 3;
        return {static_cast<std::uint8_t>(rawBytes[at]), static_cast<std::uint8_t>(rawBytes[at + 1]),
                static_cast<std::uint8_t>(rawBytes[at + 2])};
    }

    const Decoded wide = Reference(L"wide", 1000, 300);
    std::wstring raw = pictures + L"\\wide.raw";
};

TEST_F(PictureFitExportTest, TheChoiceNamesBothSizesAndTheFourWays)
{
    OpenWideLogo();
    dialogs.AnswerChoice(std::nullopt);
    Click(id::BtConvertLogo);
    ASSERT_EQ(dialogs.shown.size(), 1u) << "cancelled: nothing else is asked";
    const ShownMessage& choice = dialogs.shown[0];
    EXPECT_EQ(choice.how, ShownMessage::Kind::Choice);
    EXPECT_EQ(choice.text, L"L'image fait 1000 x 300 pixels.\r\nLe jeu attend une image de 512 x 256 : comment "
                           L"l'ajuster ?");
    ASSERT_EQ(choice.choices.size(), 4u);
    EXPECT_EQ(choice.choices[Stretch].caption, L"Étirer à 512 x 256");
    EXPECT_EQ(choice.choices[Inside].caption, L"Toute l'image, avec des bordures");
    EXPECT_NE(choice.choices[Inside].detail.find(L"noires"), std::wstring::npos);
    EXPECT_EQ(choice.choices[Fill].caption, L"Remplir et rogner");
    EXPECT_EQ(choice.choices[KeepSize].caption, L"Garder la taille");
    EXPECT_FALSE(Exists(raw));
    EXPECT_EQ(Shown().width(), 1000);
}

TEST_F(PictureFitExportTest, EachWayWritesTheLogoAsTheCoreFitsTheSamePixels)
{
    OpenWideLogo();
    const struct {
        std::size_t choice;
        FitWay way;
    } ways[] = {{Stretch, FitWay::Stretch}, {Inside, FitWay::Inside}, {Fill, FitWay::Fill}};
    for (const auto& fit : ways) {
        SCOPED_TRACE(fit.choice);
        ClickFile(L"wide.png");  // the picture as read, after the last fit
        dialogs.shown.clear();
        const std::string bytes = ExportLogoFitted(fit.choice);
        ASSERT_EQ(bytes.size(), LogoRawSize);
        EXPECT_TRUE(bytes == RawBytesOf(Expected(fit.way, 512, 256, {}))) << "as the core fits the pixels";
        EXPECT_TRUE(RawBytesOf(Shown()) == bytes) << "the picture shown is the one written";
        ASSERT_EQ(dialogs.shown.size(), 3u);
        EXPECT_EQ(dialogs.shown[1].text,
                  L"L'image ajustée est affichée telle que le jeu la montrera.\r\nEnregistrer ce logo ?");
        EXPECT_TRUE(SendMessageW(Control(id::CheckShowAsInGame), BM_GETCHECK, 0, 0) == BST_CHECKED)
            << "shown as the game shows it";
        EXPECT_TRUE(Checked(id::RadioButton2));
        EXPECT_EQ(SizeShown().substr(0, 15), L"Image 512 x 256");
        if (fit.way == FitWay::Inside) {
            PauseForScreenshot();
            // 1000 x 300 scaled to 512 x 154: 51 black rows above and below.
            for (int y : {0, 50, 205, 255})
                EXPECT_EQ(PixelOf(bytes, 512, 256, y), Rgb{}) << "row " << y;
            EXPECT_NE(PixelOf(bytes, 512, 256, 52), Rgb{});
        }
        // Red tells the source column: a crop keeps the middle 600 of 1000 columns.
        const int left = PixelOf(bytes, 512, 0, 128).red, right = PixelOf(bytes, 512, 511, 128).red;
        if (fit.way == FitWay::Fill) {
            EXPECT_NEAR(left, 200 * 255 / 999, 3);
            EXPECT_NEAR(right, 800 * 255 / 999, 3);
        } else {
            EXPECT_NEAR(left, 0, 3);
            EXPECT_NEAR(right, 255, 3);
        }
        DeleteFileW(raw.c_str());
    }
}

TEST_F(PictureFitExportTest, DecliningTheFittedPictureWritesNothingAndShowsTheOriginalAgain)
{
    OpenWideLogo();
    const std::wstring sizeText = SizeShown();
    const std::vector<std::wstring> before = FilesIn(pictures + L"\\");
    dialogs.AnswerChoice(Fill);
    dialogs.Answer(DialogButton::No);
    Click(id::BtConvertLogo);
    EXPECT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(FilesIn(pictures + L"\\"), before);
    EXPECT_EQ(LargestDifference(wide.Colours()), 0);
    EXPECT_EQ(SizeShown(), sizeText);
    EXPECT_TRUE(Checked(id::RadioButton3)) << "the size buttons as they were";
    EXPECT_EQ(form->Pictures().LogoPath(), pictures + L"\\wide.png");
}

TEST_F(PictureFitExportTest, KeepingTheSizeAsksTheSizeQuestionAndWritesThePictureAsItIs)
{
    OpenWideLogo();
    dialogs.AnswerChoice(KeepSize);
    dialogs.Answer(DialogButton::Yes);
    dialogs.Answer(DialogButton::Ok);
    Click(id::BtConvertLogo);
    ASSERT_GE(dialogs.shown.size(), 2u);
    EXPECT_NE(dialogs.shown[1].text.find(L"au format 1000 x 300 ?"), std::wstring::npos);
    EXPECT_TRUE(ReadBytes(raw) == RawBytesOf(wide.Colours()));
}

TEST_F(PictureFitExportTest, ASkyFittedInsideGetsBordersOfItsEdgeColour)
{
    Provide(L"wide.png");
    Start();
    Click(id::BtEditCiel);
    ClickFile(L"wide.png");
    const std::wstring sky = pictures + L"\\ciel.raw";
    dialogs.AnswerChoice(Inside);
    dialogs.Answer(DialogButton::Yes);
    dialogs.ChooseFile(pictures + L"\\ciel");
    Click(id::BtconvertCiel);
    const std::string bytes = ReadBytes(sky);
    ASSERT_EQ(bytes.size(), 256u * 256 * 3);
    const Rgb edge = image::EdgeColour(wide.Colours(), 256, 256);
    EXPECT_TRUE(bytes == RawBytesOf(Expected(FitWay::Inside, 256, 256, edge)));
    EXPECT_EQ(PixelOf(bytes, 256, 128, 0), edge);
    EXPECT_EQ(PixelOf(bytes, 256, 128, 255), edge);
    EXPECT_NE(edge, Rgb{}) << "not the logo's black";
    EXPECT_EQ(dialogs.shown[1].text, L"L'image ajustée est affichée.\r\nEnregistrer cette texture du ciel ?");
}

TEST_F(PictureFitExportTest, APictureOfTheGameSizeAndARawFileAreNeverOfferedAFit)
{
    WriteBytes(pictures + L"\\ciel.raw", std::string(256 * 512 * 3, '\x30'));
    Start();
    Click(id::BtEditCiel);
    ClickFile(L"ciel.raw");  // read 256 wide: 256 x 512
    dialogs.ChooseFile(pictures + L"\\copie");
    Click(id::BtconvertCiel);
    EXPECT_TRUE(dialogs.shown.empty()) << "a RAW takes its size from the size buttons";
    EXPECT_EQ(ReadBytes(pictures + L"\\copie.raw").size(), 256u * 256 * 3);
}

} // namespace
} // namespace tessark::test
