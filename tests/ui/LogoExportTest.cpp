// The title logo's .pak through the real window: written by the packer or by
// Tessark, checked, and installed as the game's logo.
#include "UiHarness.h"

#include "image/BmpImage.h"
#include "image/ExportTexts.h"
#include "util/FileNames.h"
#include "util/HourGlass.h"

#include <cstdlib>

namespace tessark::test {
namespace {

std::string AsText(const std::vector<std::uint8_t>& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

// A 512 x 256 logo; a noisy one hardly compresses.
image::Picture Logo(bool noisy)
{
    image::Picture picture(512, 256);
    std::uint32_t seed = 1;
    for (std::int32_t y = 0; y < 256; ++y)
        for (std::int32_t x = 0; x < 512; ++x) {
            seed = seed * 1664525u + 1013904223u;
            picture.Set(x, y, {static_cast<std::uint8_t>(noisy ? seed >> 24 : x / 2), static_cast<std::uint8_t>(y),
                               static_cast<std::uint8_t>(noisy ? seed >> 16 : 0x40)});
        }
    return picture;
}

const std::string OldGameLogo("\x00\x00\x06\x00 ancien logo \xFF", 18);
const std::string OlderBackup = "logo plus ancien";

class LogoExportTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        CreateDirectoryW(pictures.c_str(), nullptr);
        CreateDirectoryW((installation / L"Logo").c_str(), nullptr);
        WriteBytes(pictures + L"\\titre.bmp", AsText(image::EncodeBmp24(Logo(false))));
        SetCurrentDirectoryW(pictures.c_str());
    }
    void TearDown() override
    {
        SetEnvironmentVariableW(L"TESSARK_STANDIN_PACKER_FAULT", nullptr);
        SetEnvironmentVariableW(L"TESSARK_STANDIN_DELAY_MS", nullptr);
        MainWindowTest::TearDown();
        SetCurrentDirectoryW(L"C:\\");
    }
    void InstallPacker() { ASSERT_TRUE(CopyFileW(TESSARK_PACKER_STANDIN, packer.c_str(), FALSE)); }
    // The game's data folder with a logo and an older backup of it.
    void MakeGameData(const std::wstring& root)
    {
        CreateDirectoryW((root + L"data").c_str(), nullptr);
        WriteBytes(root + L"data\\uklogo.pak", OldGameLogo);
        WriteBytes(root + L"data\\uklogo.bak", OlderBackup);
    }
    void OpenLogo()
    {
        Click(id::BtEditLogo);
        HWND list = Control(id::FileListBox3);
        ASSERT_TRUE(form->Pictures().Files().Select(L"titre.bmp"));
        SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(id::FileListBox3, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
        Pump();
    }
    // A click on "Exécuter  Logo Packer" with the answers to what it asks.
    void Export(std::initializer_list<DialogButton> answers)
    {
        dialogs.shown.clear();
        for (DialogButton answer : answers)
            dialogs.Answer(answer);
        Click(id::BtConvertLogo);
    }
    // tests/ui/check_window_paks.sh has Python's zlib check the .pak against
    // its RAW: "good_" ones must pass, "bad_" ones must fail.
    void KeepForPythonCheck(const std::wstring& name)
    {
        wchar_t folder[MAX_PATH];
        if (!GetEnvironmentVariableW(L"TESSARK_PAK_CHECK_DIR", folder, MAX_PATH))
            return;
        const std::wstring kept = std::wstring(folder) + L"\\" + name;
        EXPECT_TRUE(CopyFileW(pak.c_str(), (kept + L".pak").c_str(), FALSE));
        EXPECT_TRUE(CopyFileW(raw.c_str(), (kept + L".raw").c_str(), FALSE));
    }
    std::wstring TessarkWroteIt() const
    {
        return L"\r\n\r\nLe Logo Packer n'a pas pu être lancé :\n" + installation / L"Logo\\packer" +
               L"\r\nTessark a écrit lui-même le fichier .pak.";
    }
    std::wstring NoDataFolder() const
    {
        return L"\r\n\r\nLe dossier data du jeu est introuvable, le logo ne peut pas y être installé :\r\n" +
               installation / L"data";
    }
    std::wstring InstallQuestion(const std::wstring& root) const
    {
        return L"Installer ce logo dans le jeu ?\r\nIl sera copié en " + root + L"data\\uklogo.pak";
    }

    std::wstring pictures = installation / L"Images";
    std::wstring packer = installation / L"Logo\\packer.exe";
    std::wstring raw = pictures + L"\\titre.raw";
    std::wstring pak = pictures + L"\\titre.pak";
    std::wstring data = installation / L"data\\";
    std::wstring gameLogo = data + L"uklogo.pak";
    std::wstring gameBackup = data + L"uklogo.bak";
};

TEST_F(LogoExportTest, WithoutAPackerTessarkWritesThePakItselfAndSaysSo)
{
    Start();
    OpenLogo();
    Export({DialogButton::Ok});
    ASSERT_EQ(dialogs.shown.size(), 1u) << "no install offered without a data folder";
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Information);
    EXPECT_EQ(dialogs.shown[0].text, LogoFromBmpDone(raw) + TessarkWroteIt() + NoDataFolder());
    EXPECT_FALSE(Exists(installation / L"data")) << "the data folder is not created";
    const std::string packed = ReadBytes(pak);
    EXPECT_EQ(packed.substr(0, 4), std::string("\x00\x00\x06\x00", 4));
    EXPECT_LT(packed.size(), 393216u / 4) << "compressed";
    KeepForPythonCheck(L"good_tessark");

    // A packer that exists but is no program cannot be started either.
    WriteBytes(packer, "pas un programme");
    DeleteFileW(pak.c_str());
    Export({DialogButton::Ok});
    EXPECT_EQ(LastMessageText(), LogoFromRawDone(raw) + TessarkWroteIt() + NoDataFolder());
    EXPECT_EQ(ReadBytes(pak), packed);
}

TEST_F(LogoExportTest, APakTessarkCannotWriteIsReportedAndTheOldOneKept)
{
    WriteBytes(pak, "ancien pak");
    Start();
    OpenLogo();
    const std::vector<std::wstring> withTheOldPak{L"titre.bmp", L"titre.pak", L"titre.raw"};
    const auto expectFailure = [&](const char* how, const std::vector<std::wstring>& listed) {
        Export({});
        ASSERT_EQ(dialogs.shown.size(), 1u) << how;
        EXPECT_EQ(dialogs.shown[0].how, ShownMessage::Kind::Failure) << how;
        EXPECT_EQ(dialogs.shown[0].text, L"Impossible de créer le fichier " + pak + L".") << how;
        EXPECT_EQ(form->Pictures().Files().Names(), listed) << how;
    };
    SetFileAttributesW(pak.c_str(), FILE_ATTRIBUTE_READONLY);
    expectFailure("read-only", withTheOldPak);
    SetFileAttributesW(pak.c_str(), FILE_ATTRIBUTE_NORMAL);
    {
        HeldByAnotherProcess holder(pak);
        expectFailure("held", withTheOldPak);
    }
    EXPECT_EQ(ReadBytes(pak), "ancien pak");
    DeleteFileW(pak.c_str());
    CreateDirectoryW(pak.c_str(), nullptr);
    expectFailure("a folder in the way", {L"titre.bmp", L"titre.raw"});
    RemoveDirectoryW(pak.c_str());
    EXPECT_EQ(FilesIn(pictures + L"\\"), (std::vector<std::wstring>{L"titre.bmp", L"titre.raw"})) << "nothing left aside";
}

TEST_F(LogoExportTest, ThePackersPakIsCheckedAndAnsweringNoInstallsNothing)
{
    InstallPacker();
    MakeGameData(installation.path());
    Start();
    OpenLogo();
    Export({DialogButton::Ok, DialogButton::No});
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Information);
    EXPECT_EQ(dialogs.shown[0].text, LogoFromBmpDone(raw)) << "as before when the packer runs";
    EXPECT_EQ(dialogs.shown[1].kind, DialogKind::Confirmation);
    EXPECT_EQ(dialogs.shown[1].text, InstallQuestion(installation.path()) +
                                         L"\r\nLe logo actuel sera gardé sous uklogo.bak.");
    EXPECT_EQ(dialogs.shown[1].buttons, (std::vector<DialogButton>{DialogButton::Yes, DialogButton::No}));
    EXPECT_EQ(ReadBytes(gameLogo), OldGameLogo);
    EXPECT_EQ(ReadBytes(gameBackup), OlderBackup);
    EXPECT_EQ(FilesIn(data), (std::vector<std::wstring>{L"uklogo.bak", L"uklogo.pak"}));
    KeepForPythonCheck(L"good_packer");
}

TEST_F(LogoExportTest, APackerThatNeverEndsIsOfferedToBeStoppedAndItsPakIsNotInstalled)
{
    InstallPacker();
    MakeGameData(installation.path());
    SetEnvironmentVariableW(L"TESSARK_STANDIN_DELAY_MS", L"60000");
    Start();
    OpenLogo();
    form->Pictures().SetPackerPatience(1000);
    const ULONGLONG start = GetTickCount64();
    Export({DialogButton::No, DialogButton::Yes, DialogButton::Ok});
    const ULONGLONG took = GetTickCount64() - start;
    EXPECT_GE(took, 2000u);
    EXPECT_LT(took, 10000u);
    ASSERT_EQ(dialogs.shown.size(), 3u);
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Confirmation);
    EXPECT_EQ(dialogs.shown[0].text, L"Le Logo Packer tourne depuis 1 s sans avoir fini.\nL'arrêter ?");
    EXPECT_EQ(dialogs.shown[1].text, L"Le Logo Packer tourne depuis 2 s sans avoir fini.\nL'arrêter ?");
    EXPECT_EQ(dialogs.shown[2].kind, DialogKind::Error);
    EXPECT_EQ(dialogs.shown[2].text, L"Le Logo Packer ne finissait pas et a été arrêté : le fichier qu'il a pu "
                                     L"laisser n'est ni vérifié ni installé :\n" + pak);
    EXPECT_FALSE(Exists(pak));
    EXPECT_EQ(ReadBytes(gameLogo), OldGameLogo);
    EXPECT_EQ(ReadBytes(gameBackup), OlderBackup);
    EXPECT_FALSE(HourGlass::Active());
}

TEST_F(LogoExportTest, ABadPakFromThePackerIsReportedInsteadOfSuccess)
{
    InstallPacker();
    MakeGameData(installation.path());
    SetEnvironmentVariableW(L"TESSARK_STANDIN_PACKER_FAULT", L"cut");
    Start();
    OpenLogo();
    Export({DialogButton::Ok});
    ASSERT_EQ(dialogs.shown.size(), 1u) << "no success, no install offered";
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Error);
    EXPECT_EQ(dialogs.shown[0].text, L"Le fichier " + pak + L" n'est pas utilisable par le jeu :\n"
                                     L"Logo .pak incorrect : les données compressées sont tronquées");
    EXPECT_EQ(ReadBytes(gameLogo), OldGameLogo);
    KeepForPythonCheck(L"bad_cut");
}

TEST_F(LogoExportTest, InstallingKeepsThePreviousLogoAsBakByteForByte)
{
    MakeGameData(installation.path());
    Start();
    OpenLogo();
    Export({DialogButton::Ok, DialogButton::Yes, DialogButton::Ok});
    ASSERT_EQ(dialogs.shown.size(), 3u);
    EXPECT_EQ(dialogs.shown[0].text, LogoFromBmpDone(raw) + TessarkWroteIt());
    EXPECT_EQ(dialogs.shown[2].kind, DialogKind::Information);
    EXPECT_EQ(dialogs.shown[2].text, L"Le logo a été installé dans le jeu :\r\n" + gameLogo +
                                         L"\r\nL'ancien logo est gardé sous uklogo.bak.");
    EXPECT_EQ(ReadBytes(gameLogo), ReadBytes(pak));
    EXPECT_EQ(ReadBytes(gameBackup), OldGameLogo) << "one level: the older backup is gone";
    EXPECT_EQ(FilesIn(data), (std::vector<std::wstring>{L"uklogo.bak", L"uklogo.pak"})) << "no file left aside";

    // A first install: nothing to keep.
    DeleteFileW(gameLogo.c_str());
    DeleteFileW(gameBackup.c_str());
    Export({DialogButton::Ok, DialogButton::Yes, DialogButton::Ok});
    ASSERT_EQ(dialogs.shown.size(), 3u);
    EXPECT_EQ(dialogs.shown[1].text, InstallQuestion(installation.path()));
    EXPECT_EQ(dialogs.shown[2].text, L"Le logo a été installé dans le jeu :\r\n" + gameLogo);
    EXPECT_EQ(ReadBytes(gameLogo), ReadBytes(pak));
    EXPECT_EQ(FilesIn(data), (std::vector<std::wstring>{L"uklogo.pak"}));
}

TEST_F(LogoExportTest, AnInstallThatCannotBeDoneLeavesTheGameLogoAsItWas)
{
    MakeGameData(installation.path());
    Start();
    OpenLogo();
    const auto expectRefused = [&](const std::wstring& text) {
        Export({DialogButton::Ok, DialogButton::Yes, DialogButton::Ok});
        ASSERT_EQ(dialogs.shown.size(), 3u);
        EXPECT_EQ(dialogs.shown[2].kind, DialogKind::Error);
        EXPECT_EQ(dialogs.shown[2].text, text);
    };
    const auto expectUntouched = [&] {
        EXPECT_EQ(ReadBytes(gameLogo), OldGameLogo);
        EXPECT_EQ(ReadBytes(gameBackup), OlderBackup);
        EXPECT_EQ(FilesIn(data), (std::vector<std::wstring>{L"uklogo.bak", L"uklogo.pak"}));
    };

    SetFileAttributesW(gameLogo.c_str(), FILE_ATTRIBUTE_READONLY);
    expectRefused(L"Le logo du jeu est en lecture seule, il n'a pas été remplacé :\n" + gameLogo);
    SetFileAttributesW(gameLogo.c_str(), FILE_ATTRIBUTE_NORMAL);
    expectUntouched();
    {
        HeldByAnotherProcess holder(gameLogo);
        expectRefused(L"Le logo du jeu ne peut pas être renommé en .bak, il n'a pas été remplacé :\n" + gameLogo);
    }
    expectUntouched();

    DeleteFileW(gameBackup.c_str());
    CreateDirectoryW(gameBackup.c_str(), nullptr);
    expectRefused(L"Un dossier porte le nom de la sauvegarde du logo, le logo n'a pas été remplacé :\n" + gameBackup);
    EXPECT_EQ(ReadBytes(gameLogo), OldGameLogo);
    RemoveDirectoryW(gameBackup.c_str());

    DeleteFileW(gameLogo.c_str());
    CreateDirectoryW(gameLogo.c_str(), nullptr);
    expectRefused(L"Un dossier porte le nom du logo du jeu, le logo n'a pas été installé :\n" + gameLogo);
    EXPECT_TRUE(FilesIn(data).empty());
    RemoveDirectoryW(gameLogo.c_str());
}

TEST_F(LogoExportTest, AFullDiskLeavesTheGameLogoAsItWas)
{
    const auto disk = TinyDisk();
    if (!disk)
        GTEST_SKIP() << NoTinyDisk;
    // The installation on the 64 KB disk; the picture and its .pak elsewhere.
    const std::wstring root = *disk + L"\\";
    MakeGameData(root);
    struct Cleared {
        std::wstring data;
        ~Cleared()
        {
            for (const auto& name : FilesIn(data))
                DeleteFileW((data + name).c_str());
            RemoveDirectoryW(data.c_str());
        }
    } cleared{root + L"data\\"};
    WriteBytes(pictures + L"\\titre.bmp", AsText(image::EncodeBmp24(Logo(true))));
    form = std::make_unique<TMainForm>(dialogs, StartupArguments{root + L"Tessark.exe", {}});
    mainWindow = form->hwnd();
    form->Show(SW_SHOWNORMAL);
    Pump();
    OpenLogo();
    Export({DialogButton::Ok, DialogButton::Yes, DialogButton::Ok});
    ASSERT_EQ(dialogs.shown.size(), 3u);
    ASSERT_GT(ReadBytes(pak).size(), 64u * 1024) << "the .pak must not fit on the disk";
    EXPECT_EQ(dialogs.shown[2].kind, DialogKind::Error);
    EXPECT_EQ(dialogs.shown[2].text, L"Le logo n'a pas été installé, le logo du jeu est resté tel quel :\nDisque plein.");
    EXPECT_EQ(ReadBytes(root + L"data\\uklogo.pak"), OldGameLogo);
    EXPECT_EQ(ReadBytes(root + L"data\\uklogo.bak"), OlderBackup);
    EXPECT_EQ(FilesIn(root + L"data\\"), (std::vector<std::wstring>{L"uklogo.bak", L"uklogo.pak"}));
}

} // namespace
} // namespace tessark::test
