// The picture area and its two exports through the real window.
#include "LayoutChecks.h"
#include "UiHarness.h"

#include "ui/Dpi.h"
#include "image/BmpImage.h"
#include "image/ExportTexts.h"
#include "image/GameView.h"
#include "image/PakFile.h"
#include "util/FileNames.h"

#include <map>
#include <span>

namespace tessark::test {
namespace {

using image::Picture;
using image::Rgb;

std::string AsText(const std::vector<std::uint8_t>& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

Picture Pattern(std::int32_t width, std::int32_t height)
{
    Picture picture(width, height);
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x)
            picture.Set(x, y, {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 0x80});
    picture.Set(0, 0, {0xC1, 0xC2, 0xC3});
    return picture;
}

constexpr Rgb LogoColour{0x40, 0x80, 0xC0};

// A logo of one colour with `black` pure-black pixels, row by row from row 10.
Picture LogoWithBlack(std::int32_t black)
{
    Picture logo(512, 256);
    for (std::int32_t i = 0; i < 512 * 256; ++i)
        logo.Set(i % 512, i / 512, i >= 10 * 512 && i < 10 * 512 + black ? Rgb{} : LogoColour);
    return logo;
}

// The RAW bytes of a picture: red, green, blue, the top row first.
std::string RawOf(const Picture& picture)
{
    std::string raw;
    for (std::int32_t y = 0; y < picture.height(); ++y)
        for (std::int32_t x = 0; x < picture.width(); ++x) {
            const Rgb pixel = picture.At(x, y);
            raw += {static_cast<char>(pixel.red), static_cast<char>(pixel.green), static_cast<char>(pixel.blue)};
        }
    return raw;
}

std::string PakOf(const Picture& logo)
{
    const std::string raw = RawOf(logo);
    return AsText(image::PackLogo(std::span(reinterpret_cast<const std::uint8_t*>(raw.data()), raw.size())));
}

std::uint32_t Packed(Rgb colour)
{
    return static_cast<std::uint32_t>(colour.red) << 16 | colour.green << 8 | colour.blue;
}

// The files of a folder (ending in '\') are deleted when this goes, however the test ends.
struct EmptiedAtEnd {
    std::wstring folder;
    ~EmptiedAtEnd()
    {
        for (const auto& name : FilesIn(folder))
            DeleteFileW((folder + name).c_str());
    }
};

class PictureAreaTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        CreateDirectoryW(pictures.c_str(), nullptr);
        CreateDirectoryW((installation / L"Logo").c_str(), nullptr);
        WriteBytes(pictures + L"\\titre.bmp", AsText(image::EncodeBmp24(Pattern(512, 256))));
        WriteBytes(pictures + L"\\ecran.bmp", AsText(image::EncodeBmp24(Pattern(320, 200))));
        WriteBytes(pictures + L"\\notes.txt", "pas une image");
        // The folder lists start in the current folder.
        SetCurrentDirectoryW(pictures.c_str());
    }
    void TearDown() override
    {
        SetEnvironmentVariableW(L"TESSARK_STANDIN_STARTUP_LOG", nullptr);
        MainWindowTest::TearDown();
        SetCurrentDirectoryW(installation.path().c_str());
        SetCurrentDirectoryW(L"C:\\");
    }
    void InstallPacker() { ASSERT_TRUE(CopyFileW(TESSARK_PACKER_STANDIN, packer.c_str(), FALSE)); }

    // A click on a file of the list, as the list reports it.
    void ClickFile(std::wstring_view name)
    {
        HWND list = Control(id::FileListBox3);
        ASSERT_TRUE(form->Pictures().Files().Select(name)) << "not listed";
        SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(id::FileListBox3, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
        Pump();
    }
    bool Checked(int radioId) const { return SendMessageW(Control(radioId), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void Type(int editId, std::wstring_view text)
    {
        SetWindowTextW(Control(editId), L"");
        for (wchar_t c : text)
            SendMessageW(Control(editId), WM_CHAR, c, 0);
        Pump();
    }
    std::wstring Shown() const { return Caption(id::StaticText4); }
    // Two clicks on "Exécuter  Logo Packer" whose RAW cannot be written: both
    // take the BMP way and fail alike, and the packer never runs.
    void ExpectTwoFailedLogoExports(const std::wstring& bmp, const std::wstring& failure)
    {
        for (int click = 1; click <= 2; ++click) {
            dialogs.shown.clear();
            Click(id::BtConvertLogo);
            ASSERT_EQ(dialogs.shown.size(), 1u) << "click " << click;
            EXPECT_EQ(dialogs.shown[0].how, ShownMessage::Kind::Failure) << "click " << click;
            EXPECT_EQ(dialogs.shown[0].text, failure) << "click " << click;
            EXPECT_EQ(form->Pictures().LogoPath(), bmp) << "click " << click;
            EXPECT_FALSE(Exists(ChangeFileExt(bmp, L".pak"))) << "click " << click << ": the packer ran";
        }
    }
    std::vector<std::wstring> Listed() const { return form->Pictures().Files().Names(); }
    std::wstring NoDataFolder() const
    {
        return L"\r\n\r\nLe dossier data du jeu est introuvable, le logo ne peut pas y être installé :\r\n" +
               installation / L"data";
    }
    // The picture display as the screen shows it, once it has drawn itself.
    Capture ShownPicture() const
    {
        LetDrawingReachTheScreen();
        return CaptureWindow(Control(id::Image1));
    }
    static std::uint32_t At(const Capture& shot, int x, int y)
    {
        return shot.pixels[static_cast<std::size_t>(y) * shot.width + x] & 0xFFFFFF;
    }

    std::wstring pictures = installation / L"Images";
    std::wstring packer = installation / L"Logo\\packer.exe";
};

TEST_F(PictureAreaTest, LogoModeShowsABmpAndMakesTheLogoPackerUsable)
{
    Start();
    Click(id::BtEditLogo);
    EXPECT_TRUE(Visible(Control(id::Panel4)));
    EXPECT_TRUE(Visible(Control(id::GroupBox6)));
    EXPECT_LE(RectIn(Control(id::ScrollBox1), Control(id::Panel4)).bottom,
              RectIn(Control(id::GroupBox6), Control(id::Panel4)).top)
        << "the picture's scroll bar stays above the size choice";
    EXPECT_TRUE(Checked(id::RadioButton2));
    EXPECT_EQ(Listed(), (std::vector<std::wstring>{L"ecran.bmp", L"titre.bmp"})) << "BMP and RAW files only";
    EXPECT_FALSE(Enabled(id::BtConvertLogo));

    ClickFile(L"titre.bmp");
    EXPECT_EQ(Shown(), L"Image 512 x 256");
    EXPECT_TRUE(Checked(id::RadioButton2));
    EXPECT_TRUE(Enabled(id::BtConvertLogo));
    EXPECT_FALSE(Enabled(id::BtconvertCiel));
    EXPECT_EQ(form->Pictures().LogoPath(), pictures + L"\\titre.bmp");
    RECT image = RectIn(Control(id::Image1), Control(id::ScrollBox1));
    EXPECT_EQ(image.right - image.left, 512);
    EXPECT_EQ(image.bottom - image.top, 256);

    ClickFile(L"ecran.bmp");
    EXPECT_EQ(Shown(), L"Image 320 x 200");
    EXPECT_TRUE(Checked(id::RadioButton3));
    EXPECT_EQ(Caption(id::EditX), L"320");
    EXPECT_EQ(Caption(id::EditY), L"200");
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(PictureAreaTest, TheLogoPackerTurnsABmpIntoRawAndPakThenPacksTheRawAgain)
{
    InstallPacker();
    Start();
    Click(id::BtEditLogo);
    ClickFile(L"titre.bmp");
    dialogs.Answer(DialogButton::Ok);
    Click(id::BtConvertLogo);

    const std::wstring raw = pictures + L"\\titre.raw";
    const std::string bytes = ReadBytes(raw);
    ASSERT_EQ(bytes.size(), 393216u);
    EXPECT_EQ(bytes.substr(0, 3), "\xC1\xC2\xC3") << "the top-left pixel's red, green and blue";
    EXPECT_TRUE(Exists(pictures + L"\\titre.pak"));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Information);
    EXPECT_EQ(dialogs.shown[0].text, L"Le fichier titre.raw  et le fichier titre.pak\r\nont été générés, et se trouve "
                                     L"dans le répertoire " + pictures + L"\\" + NoDataFolder());
    EXPECT_EQ(Listed(), (std::vector<std::wstring>{L"ecran.bmp", L"titre.bmp", L"titre.pak", L"titre.raw"}));
    EXPECT_EQ(form->Pictures().LogoPath(), raw);

    DeleteFileW((pictures + L"\\titre.pak").c_str());
    dialogs.Answer(DialogButton::Ok);
    Click(id::BtConvertLogo);
    EXPECT_TRUE(Exists(pictures + L"\\titre.pak"));
    EXPECT_EQ(LastMessageText(),
              L"Le fichier titre.pak  a été générés,\r\net se trouve dans le répertoire " + pictures + L"\\" +
                  NoDataFolder());
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW)) << "the hourglass is gone";
}

TEST_F(PictureAreaTest, TheDemoInstallationsLogoAndSkyPicturesExport)
{
    const std::wstring demo = TESSARK_DEMO_DIR;
    for (const wchar_t* name : {L"logo_512x256.bmp", L"ciel_256x256.bmp"})
        ASSERT_TRUE(CopyFileW((demo + L"\\Pictures\\" + name).c_str(), (pictures + L"\\" + name).c_str(), FALSE));
    ASSERT_TRUE(CopyFileW((demo + L"\\Logo\\packer.exe").c_str(), packer.c_str(), FALSE));
    const std::string logoBmp = ReadBytes(pictures + L"\\logo_512x256.bmp");
    const Rgb topLeft =
        image::DecodeBmp(std::span(reinterpret_cast<const std::uint8_t*>(logoBmp.data()), logoBmp.size())).At(0, 0);
    Start();
    Click(id::BtEditLogo);
    ClickFile(L"logo_512x256.bmp");
    dialogs.Answer(DialogButton::Ok);
    Click(id::BtConvertLogo);
    const std::string raw = ReadBytes(pictures + L"\\logo_512x256.raw");
    ASSERT_EQ(raw.size(), 393216u);
    EXPECT_EQ(raw.substr(0, 3), std::string({static_cast<char>(topLeft.red), static_cast<char>(topLeft.green),
                                             static_cast<char>(topLeft.blue)}));
    EXPECT_TRUE(Exists(pictures + L"\\logo_512x256.pak"));
    EXPECT_EQ(dialogs.shown.back().kind, DialogKind::Information);

    Click(id::BtEditCiel);
    ClickFile(L"ciel_256x256.bmp");
    dialogs.ChooseFile(pictures + L"\\ciel");
    Click(id::BtconvertCiel);
    EXPECT_EQ(ReadBytes(pictures + L"\\ciel.raw").size(), 256u * 256 * 3);
}

TEST_F(PictureAreaTest, TheLogoSizeQuestionCanStopTheExport)
{
    InstallPacker();
    Start();
    Click(id::BtEditLogo);
    ClickFile(L"ecran.bmp");
    ASSERT_TRUE(Checked(id::RadioButton3));
    dialogs.Answer(DialogButton::No);
    Click(id::BtConvertLogo);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Warning);
    EXPECT_EQ(dialogs.shown[0].text, LogoSizeQuestion(320, 200));
    EXPECT_EQ(dialogs.shown[0].buttons, (std::vector<DialogButton>{DialogButton::Yes, DialogButton::No}));
    EXPECT_FALSE(Exists(pictures + L"\\ecran.raw"));

    Type(id::EditX, L"640");
    Type(id::EditY, L"480");
    dialogs.Answer(DialogButton::Yes);
    dialogs.Answer(DialogButton::Ok);
    Click(id::BtConvertLogo);
    EXPECT_EQ(dialogs.shown[1].text, LogoSizeQuestion(640, 480)) << "asked about the chosen size";
    EXPECT_EQ(ReadBytes(pictures + L"\\ecran.raw").size(), 320u * 200 * 3) << "written at the picture's own size";
}

TEST_F(PictureAreaTest, ALogoExportThatCannotFinishSaysWhatIsMissing)
{
    Start();
    Click(id::BtEditLogo);
    EXPECT_FALSE(Enabled(id::BtConvertLogo));
    dialogs.Answer(DialogButton::Ok);
    form->BtConvertLogoClick();  // the handler guards itself too
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, L"Vous devez choisir une image valide !");
    dialogs.shown.clear();
    ClickFile(L"titre.bmp");
    dialogs.Answer(DialogButton::Ok);
    Click(id::BtConvertLogo);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Information) << "Tessark wrote the .pak itself";
    EXPECT_EQ(dialogs.shown[0].text, LogoFromBmpDone(pictures + L"\\titre.raw") +
                                         L"\r\n\r\nLe Logo Packer n'a pas pu être lancé :\n" +
                                         installation / L"Logo\\packer" +
                                         L"\r\nTessark a écrit lui-même le fichier .pak." + NoDataFolder());

    // A packer that leaves no .pak: a program that ignores its argument.
    dialogs.shown.clear();
    ASSERT_TRUE(CopyFileW(TESSARK_SCRIPT_STANDIN, packer.c_str(), FALSE));
    dialogs.Answer(DialogButton::Ok);
    Click(id::BtConvertLogo);
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(LastMessageText(), L"Le Logo Packer n'a pas généré le fichier :\n" + pictures + L"\\titre.pak");
}

TEST_F(PictureAreaTest, ALogoThatCannotBeWrittenKeepsTheOldRawAndTheBmpChosen)
{
    InstallPacker();
    const std::wstring bmp = pictures + L"\\titre.bmp";
    const std::wstring raw = pictures + L"\\titre.raw";
    const std::wstring cannotCreate = L"Impossible de créer le fichier " + raw + L".";
    WriteBytes(raw, "ancien");
    Start();
    Click(id::BtEditLogo);
    ClickFile(L"titre.bmp");

    SetFileAttributesW(raw.c_str(), FILE_ATTRIBUTE_READONLY);
    ExpectTwoFailedLogoExports(bmp, cannotCreate);
    SetFileAttributesW(raw.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadBytes(raw), "ancien");
    {
        HeldByAnotherProcess holder(raw);
        ExpectTwoFailedLogoExports(bmp, cannotCreate);
    }
    EXPECT_EQ(ReadBytes(raw), "ancien");
    EXPECT_EQ(FilesIn(pictures + L"\\").size(), 4u) << "no temporary file left";

    DeleteFileW(raw.c_str());
    CreateDirectoryW(raw.c_str(), nullptr);
    ExpectTwoFailedLogoExports(bmp, cannotCreate);
    RemoveDirectoryW(raw.c_str());

    // Once the RAW can be written, that new RAW is the one packed.
    dialogs.Answer(DialogButton::Ok);
    Click(id::BtConvertLogo);
    EXPECT_EQ(ReadBytes(raw).size(), 393216u);
    EXPECT_EQ(ReadBytes(pictures + L"\\titre.pak").substr(0, 4), std::string("\x00\x00\x06\x00", 4));
    EXPECT_EQ(LastMessageText(), LogoFromBmpDone(raw) + NoDataFolder());
    EXPECT_EQ(form->Pictures().LogoPath(), raw);
}

TEST_F(PictureAreaTest, AFullDiskKeepsTheOldLogoAndTheBmpChosen)
{
    const auto disk = TinyDisk();
    if (!disk)
        GTEST_SKIP() << NoTinyDisk;
    const EmptiedAtEnd emptied{*disk + L"\\"};
    InstallPacker();
    // 512 x 32 pixels: the BMP fits on the 64 KB disk, its RAW does not fit beside it.
    const std::wstring bmp = *disk + L"\\titre.bmp";
    const std::wstring raw = *disk + L"\\titre.raw";
    WriteBytes(bmp, AsText(image::EncodeBmp24(Pattern(512, 32))));
    WriteBytes(raw, "ancien logo");
    SetCurrentDirectoryW(disk->c_str());
    Start();
    Click(id::BtEditLogo);
    ClickFile(L"titre.bmp");
    ASSERT_TRUE(Checked(id::RadioButton2)) << "512 x 256 chosen: no size question";
    ExpectTwoFailedLogoExports(bmp, L"Disque plein.");
    EXPECT_EQ(ReadBytes(raw), "ancien logo");
    EXPECT_EQ(FilesIn(*disk + L"\\"), (std::vector<std::wstring>{L"titre.bmp", L"titre.raw"}));
}

TEST_F(PictureAreaTest, TheLogoPackerRunsHidden)
{
    InstallPacker();
    const std::wstring startup = installation / L"packer startup.txt";
    SetEnvironmentVariableW(L"TESSARK_STANDIN_STARTUP_LOG", startup.c_str());
    Start();
    Click(id::BtEditLogo);
    ClickFile(L"titre.bmp");
    for (const char* way : {"BMP way", "RAW way"}) {
        DeleteFileW(startup.c_str());
        dialogs.Answer(DialogButton::Ok);
        Click(id::BtConvertLogo);
        EXPECT_EQ(dialogs.shown.back().kind, DialogKind::Information) << way;
        // STARTF_USESHOWWINDOW (1) with SW_HIDE (0).
        EXPECT_EQ(ReadBytes(startup), "dwFlags=0x1 wShowWindow=0") << way;
    }
    EXPECT_EQ(form->Pictures().LogoPath(), pictures + L"\\titre.raw") << "the second click took the RAW way";
}

TEST_F(PictureAreaTest, SkyModeReadsRawFilesAtTheChosenWidth)
{
    WriteBytes(pictures + L"\\ciel.raw", std::string(256 * 256 * 3, '\x40'));
    WriteBytes(pictures + L"\\ecran.raw", std::string(320 * 200 * 3, '\x20'));
    Start();
    Click(id::BtEditCiel);
    EXPECT_TRUE(Checked(id::RadioButton1));
    EXPECT_EQ(Listed(), (std::vector<std::wstring>{L"ciel.raw", L"ecran.bmp", L"ecran.raw", L"titre.bmp"}));
    ClickFile(L"ciel.raw");
    EXPECT_EQ(Shown(), L"Image 256 x 256");
    EXPECT_TRUE(Enabled(id::BtconvertCiel));
    EXPECT_FALSE(Enabled(id::BtConvertLogo));
    EXPECT_TRUE(form->Pictures().LogoPath().empty());

    Click(id::RadioButton2);
    EXPECT_EQ(Shown(), L"Image 512 x 128") << "read again at the new width";
    EXPECT_TRUE(Checked(id::RadioButton2));

    Click(id::RadioButton3);
    Type(id::EditX, L"3a2-0");
    EXPECT_EQ(Caption(id::EditX), L"320") << "only digits get in";
    ClickFile(L"ecran.raw");
    EXPECT_EQ(Shown(), L"Image 320 x 200");
    EXPECT_EQ(Caption(id::EditY), L"200");

    Type(id::EditX, L"0");
    ClickFile(L"ciel.raw");
    EXPECT_EQ(Shown(), L"Image 256 x 256") << "a width of 0 reads at 256";
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(PictureAreaTest, ARawFileShorterThanOneRowIsRefusedAndLeavesNothingToExport)
{
    InstallPacker();
    WriteBytes(pictures + L"\\vide.raw", "");
    WriteBytes(pictures + L"\\court.raw", std::string(7, '\x20'));
    WriteBytes(pictures + L"\\ligne.raw", std::string(512 * 3 - 1, '\x20'));
    const auto expectRefused = [&](std::wstring_view name) {
        ClickFile(name);
        ASSERT_FALSE(dialogs.shown.empty()) << "no message";
        EXPECT_EQ(LastMessageText(), L"Le fichier " + pictures + L"\\" + std::wstring(name) +
                                         L" est plus court qu'une ligne de l'image à la largeur choisie.");
        EXPECT_EQ(dialogs.shown.back().how, ShownMessage::Kind::Failure);
        EXPECT_EQ(Shown(), L"") << "no size shown";
        EXPECT_TRUE(form->Pictures().ShownPicture().empty());
        const RECT image = RectIn(Control(id::Image1), Control(id::ScrollBox1));
        EXPECT_EQ(image.right - image.left, 0) << "the earlier picture is no longer on screen";
        EXPECT_TRUE(form->Pictures().LogoPath().empty());
        EXPECT_FALSE(Enabled(id::BtConvertLogo));
        EXPECT_FALSE(Enabled(id::BtconvertCiel));
    };
    Start();
    Click(id::BtEditLogo);
    for (const wchar_t* name : {L"vide.raw", L"court.raw", L"ligne.raw"}) {
        ClickFile(L"titre.bmp");
        ASSERT_TRUE(Enabled(id::BtConvertLogo));
        expectRefused(name);
    }
    dialogs.Answer(DialogButton::Ok);
    form->BtConvertLogoClick();
    EXPECT_EQ(LastMessageText(), L"Vous devez choisir une image valide !");
    EXPECT_FALSE(Exists(pictures + L"\\ligne.pak"));

    Click(id::BtEditCiel);
    ClickFile(L"titre.bmp");
    ASSERT_TRUE(Enabled(id::BtconvertCiel));
    expectRefused(L"vide.raw");
}

TEST_F(PictureAreaTest, AnEmptyHeightDoesNotStopARawFileFromBeingRead)
{
    InstallPacker();
    WriteBytes(pictures + L"\\ecran.raw", std::string(320 * 200 * 3, '\x20'));
    Start();
    Click(id::BtEditLogo);
    Click(id::RadioButton3);
    Type(id::EditX, L"320");
    Type(id::EditY, L"");
    ClickFile(L"ecran.raw");
    EXPECT_TRUE(dialogs.shown.empty()) << "only the width is needed to read";
    EXPECT_EQ(Shown(), L"Image 320 x 200");
    EXPECT_EQ(Caption(id::EditY), L"200");
    EXPECT_TRUE(Enabled(id::BtConvertLogo));

    // The exports use the chosen height, and need it.
    Type(id::EditY, L"");
    Click(id::BtConvertLogo);
    EXPECT_EQ(LastMessageText(), L"'' n'est pas une valeur entière correcte.");
    EXPECT_FALSE(Exists(pictures + L"\\ecran.pak"));

    Click(id::BtEditCiel);
    Click(id::RadioButton3);
    ClickFile(L"ecran.raw");
    EXPECT_EQ(Shown(), L"Image 320 x 200");
    Type(id::EditY, L"");
    dialogs.shown.clear();
    Click(id::BtconvertCiel);
    EXPECT_EQ(LastMessageText(), L"'' n'est pas une valeur entière correcte.");
    EXPECT_TRUE(dialogs.saveRequests.empty());
}

TEST_F(PictureAreaTest, PicturesThatCannotBeShownChangeNothing)
{
    WriteBytes(pictures + L"\\abime.bmp", "BM n'importe quoi");
    WriteBytes(pictures + L"\\etroit.raw", std::string(5 * 3 * 10, '\x20'));
    Start();
    Click(id::BtEditLogo);
    ClickFile(L"titre.bmp");
    ClickFile(L"abime.bmp");
    EXPECT_EQ(LastMessageText(), L"Image bitmap incorrecte.");
    EXPECT_EQ(dialogs.shown.back().how, ShownMessage::Kind::Failure);
    EXPECT_EQ(Shown(), L"Image 512 x 256");
    EXPECT_EQ(form->Pictures().LogoPath(), pictures + L"\\titre.bmp");

    Click(id::RadioButton3);  // reads titre.bmp again: same picture
    Type(id::EditX, L"5");
    ClickFile(L"etroit.raw");
    EXPECT_EQ(LastMessageText(), L"Image bitmap incorrecte.") << "a width below 8 cannot be shown";
    EXPECT_EQ(form->Pictures().ShownPicture().width(), 512);

    Type(id::EditX, L"");
    ClickFile(L"etroit.raw");
    EXPECT_EQ(LastMessageText(), L"'' n'est pas une valeur entière correcte.");
    Type(id::EditX, L"99999999999");
    ClickFile(L"etroit.raw");
    EXPECT_EQ(LastMessageText(), L"'99999999999' n'est pas une valeur entière correcte.");
    EXPECT_EQ(form->Pictures().LogoPath(), pictures + L"\\titre.bmp");
}

TEST_F(PictureAreaTest, TheSkyTextureIsSavedAtTheChosenSizeUnderAChosenName)
{
    WriteBytes(pictures + L"\\grand.bmp", AsText(image::EncodeBmp24(Pattern(512, 512))));
    Start();
    Click(id::BtEditCiel);
    ClickFile(L"grand.bmp");
    EXPECT_TRUE(Checked(id::RadioButton1));
    dialogs.ChooseFile(pictures + L"\\ciel.bmp");
    Click(id::BtconvertCiel);
    ASSERT_EQ(dialogs.saveRequests.size(), 1u);
    EXPECT_EQ(dialogs.saveRequests[0].filter, L"Fichier image RAW |*.raw");
    EXPECT_TRUE(dialogs.shown.empty()) << "no question at 256 x 256, no message after";
    const std::string sky = ReadBytes(pictures + L"\\ciel.raw");
    ASSERT_EQ(sky.size(), 256u * 256 * 3);
    EXPECT_EQ(sky.substr(0, 3), "\xC1\xC2\xC3");
    EXPECT_EQ(static_cast<unsigned char>(sky[(255 * 256 + 255) * 3]), 255) << "the top-left 256 x 256 pixels";

    Click(id::RadioButton2);
    dialogs.Answer(DialogButton::No);
    Click(id::BtconvertCiel);
    EXPECT_EQ(LastMessageText(), SkySizeQuestion(512, 256));

    dialogs.Answer(DialogButton::Yes);
    dialogs.ChooseFile(std::nullopt);
    Click(id::BtconvertCiel);
    EXPECT_EQ(ReadBytes(pictures + L"\\ciel.raw").size(), 256u * 256 * 3) << "cancelled: nothing written";

    dialogs.Answer(DialogButton::Yes);
    dialogs.ChooseFile(pictures + L"\\ciel");
    Click(id::BtconvertCiel);
    EXPECT_EQ(ReadBytes(pictures + L"\\ciel.raw").size(), 512u * 256 * 3);
}

TEST_F(PictureAreaTest, AFullDiskKeepsTheOldSkyTexture)
{
    const auto disk = TinyDisk();
    if (!disk)
        GTEST_SKIP() << NoTinyDisk;
    const std::wstring target = *disk + L"\\ciel.raw";
    WriteBytes(target, "ancien ciel");
    WriteBytes(pictures + L"\\ciel.bmp", AsText(image::EncodeBmp24(Pattern(256, 256))));
    Start();
    Click(id::BtEditCiel);
    ClickFile(L"ciel.bmp");
    dialogs.ChooseFile(target);
    Click(id::BtconvertCiel);
    EXPECT_EQ(LastMessageText(), L"Disque plein.");
    EXPECT_EQ(ReadBytes(target), "ancien ciel");
    EXPECT_EQ(FilesIn(*disk + L"\\"), (std::vector<std::wstring>{L"ciel.raw"}));
    DeleteFileW(target.c_str());
}

TEST_F(PictureAreaTest, InLogoModeTheSizeTextCountsThePixelsTheGameLeavesTransparent)
{
    WriteBytes(pictures + L"\\noir1.bmp", AsText(image::EncodeBmp24(LogoWithBlack(1))));
    WriteBytes(pictures + L"\\noir1234.bmp", AsText(image::EncodeBmp24(LogoWithBlack(1234))));
    const std::wstring many = L"Image 512 x 256\r\n1 234 pixels noirs : transparents dans le jeu";
    Start();
    Click(id::BtEditLogo);
    ClickFile(L"titre.bmp");
    EXPECT_EQ(Shown(), L"Image 512 x 256") << "no black pixel";
    const int oneLine = RectIn(Control(id::StaticText4), Control(id::Panel5)).bottom -
                        RectIn(Control(id::StaticText4), Control(id::Panel5)).top;
    ClickFile(L"noir1.bmp");
    EXPECT_EQ(Shown(), L"Image 512 x 256\r\n1 pixel noir : transparent dans le jeu");
    ClickFile(L"noir1234.bmp");
    EXPECT_EQ(Shown(), many);
    EXPECT_TRUE(Enabled(id::BtConvertLogo));

    for (int dpi : {96, 120, 144, 192}) {
        SimulateDpi(mainWindow, dpi);
        Pump();
        const std::string where = "at " + std::to_string(dpi) + " dpi";
        EXPECT_EQ(CutCaptions(Control(id::Panel5)), std::vector<std::wstring>{}) << where;
        EXPECT_EQ(OverlappingSiblings(Control(id::Panel5)), std::vector<std::wstring>{}) << where;
        EXPECT_EQ(OutsideTheirParent(Control(id::Panel5)), std::vector<std::wstring>{}) << where;
        EXPECT_LE(RectIn(Control(id::FileListBox3), Control(id::Panel5)).bottom,
                  RectIn(Control(id::CheckShowAsInGame), Control(id::Panel5)).top) << where;
        EXPECT_LE(RectIn(Control(id::CheckShowAsInGame), Control(id::Panel5)).bottom,
                  RectIn(Control(id::StaticText4), Control(id::Panel5)).top) << where;
    }
    SimulateDpi(mainWindow, 96);
    Pump();
    ClickFile(L"titre.bmp");
    const RECT back = RectIn(Control(id::StaticText4), Control(id::Panel5));
    EXPECT_EQ(back.bottom - back.top, oneLine) << "one line again";

    Click(id::BtEditCiel);
    ClickFile(L"noir1234.bmp");
    EXPECT_EQ(Shown(), L"Image 512 x 256") << "a sky texture has no transparent pixels";
    Click(id::BtEditLogo);
    ClickFile(L"noir1234.bmp");
    EXPECT_EQ(Shown(), many);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(PictureAreaTest, TheGameViewShowsBlackAsACheckerboardAndMarksTheHiddenBordersInLogoModeOnly)
{
    InstallPacker();
    Picture logo = LogoWithBlack(0);
    for (std::int32_t y = 40; y < 72; ++y)
        for (std::int32_t x = 100; x < 132; ++x)
            logo.Set(x, y, {});
    WriteBytes(pictures + L"\\damier.bmp", AsText(image::EncodeBmp24(logo)));
    Start();
    SetWindowPos(mainWindow, nullptr, 0, 0, 1100, 750, SWP_NOZORDER);
    Click(id::BtEditLogo);
    ClickFile(L"damier.bmp");
    const RECT image = RectIn(Control(id::Image1), Control(id::ScrollBox1));
    RECT box{};
    GetClientRect(Control(id::ScrollBox1), &box);
    ASSERT_TRUE(image.left >= 0 && image.top >= 0 && image.right <= box.right && image.bottom <= box.bottom)
        << "the whole picture is on the screen";
    ASSERT_TRUE(Visible(Control(id::CheckShowAsInGame)));
    EXPECT_EQ(Caption(id::CheckShowAsInGame), L"Transparence du jeu");
    EXPECT_EQ(SendMessageW(Control(id::CheckShowAsInGame), BM_GETCHECK, 0, 0), BST_UNCHECKED);

    const Capture asItIs = ShownPicture();
    ASSERT_EQ(asItIs.width, 512);
    EXPECT_EQ(At(asItIs, 100, 40), 0u);
    EXPECT_EQ(At(asItIs, 0, 0), Packed(LogoColour));
    EXPECT_EQ(At(asItIs, 255, 128), Packed(LogoColour));

    Click(id::CheckShowAsInGame);
    const Capture asInGame = ShownPicture();
    // Cells of 8 pixels from the picture's corner: 100, 40 is in cell 12, 5.
    EXPECT_EQ(At(asInGame, 100, 40), Packed(image::CheckerDark));
    EXPECT_EQ(At(asInGame, 104, 40), Packed(image::CheckerLight));
    EXPECT_EQ(At(asInGame, 100, 48), Packed(image::CheckerLight));
    EXPECT_EQ(At(asInGame, 124, 71), Packed(image::CheckerDark));
    EXPECT_EQ(At(asInGame, 131, 71), Packed(image::CheckerLight));
    EXPECT_EQ(At(asInGame, 99, 40), Packed(LogoColour));
    const std::uint32_t hidden = Packed(image::TintedAsHidden(LogoColour));
    for (auto [x, y] : {std::pair{0, 0}, {0, 128}, {255, 128}, {256, 128}, {511, 128}, {300, 0}, {300, 255}})
        EXPECT_EQ(At(asInGame, x, y), hidden) << x << ", " << y;
    for (auto [x, y] : {std::pair{1, 1}, {254, 128}, {257, 128}, {510, 254}})
        EXPECT_EQ(At(asInGame, x, y), Packed(LogoColour)) << x << ", " << y;
    // 4 columns and 2 rows of the halves, their 8 crossings counted once, and the black square.
    EXPECT_EQ(DifferingPixels(asItIs, asInGame), 4u * 256 + 2 * 512 - 8 + 32 * 32);

    dialogs.Answer(DialogButton::Ok);
    Click(id::BtConvertLogo);
    EXPECT_EQ(ReadBytes(pictures + L"\\damier.raw"), RawOf(logo)) << "the export is the picture's own pixels";
    EXPECT_EQ(DifferingPixels(ShownPicture(), asInGame), 0u);

    Click(id::BtEditCiel);
    EXPECT_FALSE(Visible(Control(id::CheckShowAsInGame)));
    EXPECT_EQ(DifferingPixels(ShownPicture(), asItIs), 0u) << "a sky texture is shown as it is";
    Click(id::BtEditLogo);
    EXPECT_EQ(DifferingPixels(ShownPicture(), asInGame), 0u) << "the choice is kept";
    Click(id::CheckShowAsInGame);
    EXPECT_EQ(DifferingPixels(ShownPicture(), asItIs), 0u);
}

TEST_F(PictureAreaTest, ALogoPakIsListedAndShownButNotPackedAgain)
{
    Picture logo = Pattern(512, 256);
    for (std::int32_t i = 0; i < 1234; ++i)
        logo.Set(i % 512, 100 + i / 512, {});
    WriteBytes(pictures + L"\\uklogo.pak", PakOf(logo));
    InstallPacker();
    Start();
    Click(id::BtEditLogo);
    EXPECT_EQ(Listed(), (std::vector<std::wstring>{L"ecran.bmp", L"titre.bmp", L"uklogo.pak"}));
    ClickFile(L"ecran.bmp");
    ASSERT_TRUE(Enabled(id::BtConvertLogo));
    ASSERT_EQ(Caption(id::EditX), L"320");
    ClickFile(L"uklogo.pak");
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(Shown(), L"Image 512 x 256\r\n1 234 pixels noirs : transparents dans le jeu");
    EXPECT_TRUE(Checked(id::RadioButton2)) << "a .pak is 512 pixels wide whatever the size choice";
    EXPECT_EQ(RawOf(form->Pictures().ShownPicture()), RawOf(logo));
    const Capture shot = ShownPicture();
    ASSERT_EQ(shot.width, 512);
    EXPECT_EQ(At(shot, 0, 0), Packed(logo.At(0, 0)));
    EXPECT_EQ(At(shot, 300, 200), Packed(logo.At(300, 200)));
    // The packer would take the .pak for a RAW picture and write over it.
    EXPECT_FALSE(Enabled(id::BtConvertLogo));
    EXPECT_TRUE(form->Pictures().LogoPath().empty());
    EXPECT_EQ(ReadBytes(pictures + L"\\uklogo.pak"), PakOf(logo));

    Click(id::BtEditCiel);
    EXPECT_EQ(Listed(), (std::vector<std::wstring>{L"ecran.bmp", L"titre.bmp"})) << "a sky texture is never packed";
}

TEST_F(PictureAreaTest, ADamagedPakIsRefusedWithItsReasonAndLeavesNothingToExport)
{
    const std::string good = PakOf(Pattern(512, 256));
    std::string wrongSize = good;
    wrongSize.replace(0, 4, "\xFF\xFF\xFF\xFF");
    std::string badHeader = good;
    badHeader[4] = '\0';
    const std::map<std::wstring, std::pair<std::string, std::wstring>> damaged = {
        {L"vide.pak", {"", L"Logo .pak incorrect : le fichier est trop court."}},
        {L"taille.pak", {wrongSize, L"Logo .pak incorrect : il annonce 4 294 967 295 octets au lieu de 393 216."}},
        {L"coupe.pak", {good.substr(0, good.size() / 2),
                        L"Logo .pak incorrect : les données compressées sont tronquées."}},
        {L"abime.pak", {badHeader, L"Logo .pak incorrect : les données compressées sont endommagées."}},
        {L"suite.pak", {good + "xyz", L"Logo .pak incorrect : des octets suivent les données compressées."}},
        {L"enorme.pak", {good + std::string(5 << 20, '\0'), L"Image bitmap incorrecte."}},
    };
    for (const auto& [name, file] : damaged)
        WriteBytes(pictures + L"\\" + name, file.first);
    WriteBytes(pictures + L"\\uklogo.pak", good);
    Start();
    Click(id::BtEditLogo);
    for (const auto& [name, file] : damaged) {
        const std::string which(name.begin(), name.end());
        ClickFile(L"titre.bmp");
        ASSERT_TRUE(Enabled(id::BtConvertLogo));
        dialogs.shown.clear();
        ClickFile(name);
        ASSERT_EQ(dialogs.shown.size(), 1u) << which;
        EXPECT_EQ(dialogs.shown[0].how, ShownMessage::Kind::Failure) << which;
        EXPECT_EQ(dialogs.shown[0].text, file.second) << which;
        EXPECT_EQ(Shown(), L"") << which;
        EXPECT_TRUE(form->Pictures().ShownPicture().empty()) << which;
        EXPECT_EQ(RectIn(Control(id::Image1), Control(id::ScrollBox1)).right -
                      RectIn(Control(id::Image1), Control(id::ScrollBox1)).left, 0) << which;
        EXPECT_FALSE(Enabled(id::BtConvertLogo)) << which;
        EXPECT_TRUE(form->Pictures().LogoPath().empty()) << which;
        EXPECT_EQ(ReadBytes(pictures + L"\\" + name), file.first) << which << " changed";
    }

    // One that cannot be read at all is said so, and the picture shown stays.
    ClickFile(L"titre.bmp");
    {
        HeldByAnotherProcess holder(pictures + L"\\uklogo.pak");
        ClickFile(L"uklogo.pak");
    }
    EXPECT_EQ(LastMessageText(), L"Impossible d'ouvrir le fichier " + pictures + L"\\uklogo.pak.");
    EXPECT_EQ(Shown(), L"Image 512 x 256");
    ClickFile(L"uklogo.pak");
    EXPECT_EQ(RawOf(form->Pictures().ShownPicture()), RawOf(Pattern(512, 256))) << "once free, it is shown";
}

// Counted as at most 1024 wide, the picture already has the width asked
// for: only its height changes on screen.
TEST_F(PictureAreaTest, ASkyFromAPictureWiderThan1024ChangesOnlyTheSideThatDiffers)
{
    const Picture wide = Pattern(1100, 256);
    WriteBytes(pictures + L"\\large.bmp", AsText(image::EncodeBmp24(wide)));
    Start();
    Click(id::BtEditCiel);
    Click(id::RadioButton3);
    Type(id::EditX, L"1024");
    Type(id::EditY, L"512");
    ClickFile(L"large.bmp");
    dialogs.Answer(DialogButton::Yes);
    dialogs.ChooseFile(pictures + L"\\ciel");
    Click(id::BtconvertCiel);
    RECT shown{};
    GetClientRect(Control(id::Image1), &shown);
    EXPECT_EQ(shown.right, 1100) << "the width was not changed";
    EXPECT_EQ(shown.bottom, 512);

    const std::string raw = ReadBytes(pictures + L"\\ciel.raw");
    ASSERT_EQ(raw.size(), 1024u * 512 * 3);
    const std::string wideRaw = RawOf(wide);
    for (std::size_t row = 0; row < 256; ++row)
        ASSERT_EQ(raw.substr(row * 1024 * 3, 1024 * 3), wideRaw.substr(row * 1100 * 3, 1024 * 3)) << "row " << row;
    EXPECT_EQ(raw.find_first_not_of('\0', 256 * 1024 * 3), std::string::npos) << "the rows below are black";
}

} // namespace
} // namespace tessark::test
