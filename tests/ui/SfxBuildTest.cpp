// The SFX and SAM build through the real window: the WAD chooser, the
// stand-in builder, and the outputs moved into the WAD folder as a pair.
#include "UiHarness.h"

#include "sound/SoundSetReport.h"
#include "sound/UnitChoixWad.h"
#include "util/HourGlass.h"

#include <functional>
#include <regex>

namespace tessark::test {
namespace {

std::vector<std::wstring> ListEntries(HWND list)
{
    std::vector<std::wstring> entries;
    const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring text(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
        entries.push_back(text);
    }
    return entries;
}

// The host path Wine gives a Windows path, when the test runs under Wine.
std::optional<std::string> HostPathOf(const std::wstring& path)
{
    using Convert = char*(CDECL*)(LPCWSTR);
    const auto convert = reinterpret_cast<Convert>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    if (!convert)
        return std::nullopt;
    char* converted = convert(path.c_str());
    if (!converted)
        return std::nullopt;
    std::string hostPath(converted);
    HeapFree(GetProcessHeap(), 0, converted);
    return hostPath;
}

// Starts a program of the host system (Wine runs those as well) and waits, at
// most five seconds, until `done` holds; Wine gives no handle to wait on.
bool RunOnHost(const std::string& commandLine, const std::function<bool()>& done)
{
    std::wstring line(commandLine.size() + 1, L'\0');
    line.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, commandLine.data(),
                                                             static_cast<int>(commandLine.size()), line.data(),
                                                             static_cast<int>(line.size()))));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    if (process.hProcess)
        CloseHandle(process.hProcess);
    if (process.hThread)
        CloseHandle(process.hThread);
    for (int i = 0; i < 100 && !done(); ++i)
        Sleep(50);
    return done();
}

void Put(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A WAV file of 100 silent frames in plain PCM; `fmtSize` 18 adds the empty
// extra-format word.
std::string Wave(std::uint32_t rate, std::uint16_t channels = 1, std::uint16_t bits = 16, std::uint32_t fmtSize = 16)
{
    const std::uint16_t block = static_cast<std::uint16_t>(channels * bits / 8);
    const std::uint32_t dataSize = 100u * block;
    std::string fmt;
    Put(fmt, 1, 2);
    Put(fmt, channels, 2);
    Put(fmt, rate, 4);
    Put(fmt, rate * block, 4);
    Put(fmt, block, 2);
    Put(fmt, bits, 2);
    fmt.resize(fmtSize, '\0');
    std::string wave = "RIFF";
    Put(wave, 4 + 8 + fmtSize + 8 + dataSize, 4);
    wave += "WAVEfmt ";
    Put(wave, fmtSize, 4);
    wave += fmt + "data";
    Put(wave, dataSize, 4);
    return wave + std::string(dataSize, '\0');
}

bool IsFolder(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The installation's WAD folder made a host link to a folder of the small
// disk, as if graphics\wads lay on a drive of its own.
class WadFolderOnTinyDisk {
public:
    WadFolderOnTinyDisk(const std::wstring& wads, const std::wstring& disk) : wads_(wads), onDisk_(disk + L"\\wads")
    {
        const auto graphics = HostPathOf(wads_ + L"..");
        const auto target = HostPathOf(onDisk_);
        if (!graphics || !target || !CreateDirectoryW(onDisk_.c_str(), nullptr))
            return;
        link_ = *graphics + "/wads";
        if (!RemoveDirectoryW(wads_.c_str()))
            return;
        ok_ = RunOnHost("Z:\\bin\\ln -s \"" + *target + "\" \"" + link_ + "\"",
                        [this] { return IsFolder(wads_); });
    }
    ~WadFolderOnTinyDisk()
    {
        if (ok_)
            RunOnHost("Z:\\bin\\rm -f \"" + link_ + "\"", [this] { return !IsFolder(wads_); });
        for (const std::wstring& name : FilesIn(onDisk_ + L"\\"))
            DeleteFileW((onDisk_ + L"\\" + name).c_str());
        RemoveDirectoryW(onDisk_.c_str());
    }
    bool ok() const { return ok_; }

private:
    std::wstring wads_;
    std::wstring onDisk_;
    std::string link_;
    bool ok_ = false;
};

class SfxBuildTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        for (const wchar_t* folder : {L"Sound", L"Sound\\VidedIRU Dovezev", L"graphics", L"graphics\\wads"})
            CreateDirectoryW((installation / folder).c_str(), nullptr);
        WriteBytes(builderFolder + L"Sounds.txt", "PORTE: porte_grince\r\n");
        WriteBytes(installation / L"ListeWadSfx.lws", "tut1\r\ncite.wad\r\n");
        ASSERT_TRUE(CopyFileW(TESSARK_PCWADSFX_STANDIN, (builderFolder + L"pcwadsfx.exe").c_str(), FALSE));
    }
    void TearDown() override
    {
        for (const wchar_t* variable :
             {L"TESSARK_STANDIN_DELAY_MS", L"TESSARK_STANDIN_SKIP", L"TESSARK_STANDIN_SFX_BYTES", L"TESSARK_STANDIN_EXIT"})
            SetEnvironmentVariableW(variable, nullptr);
        MainWindowTest::TearDown();
    }
    void OpenSoundsAndBuild()
    {
        Click(id::BtEditSon);
        Click(id::BtConvertSFX);
    }
    // The chooser's answer: the entry at `index` (or none), then OK or Annuler.
    void Choose(std::optional<int> index, bool ok = true)
    {
        dialogs.AnswerModal([this, index, ok](HWND chooser) {
            shownEntries = ListEntries(form->FicheChoixWad().ListeWADs());
            selectedAtShow = static_cast<int>(SendMessageW(form->FicheChoixWad().ListeWADs(), LB_GETCURSEL, 0, 0));
            if (index)
                SendMessageW(form->FicheChoixWad().ListeWADs(), LB_SETCURSEL, *index, 0);
            SendMessageW(GetDlgItem(chooser, ok ? IDOK : IDCANCEL), BM_CLICK, 0, 0);
        });
    }

    void FailToBuildTut1()
    {
        dialogs.Answer(DialogButton::Ok);
        Choose(0);
        Click(id::BtConvertSFX);
    }
    // A build that went through: the summary of the new pair, and nothing else.
    void ExpectOnlyTheSummary()
    {
        ASSERT_EQ(dialogs.shown.size(), 1u) << LastMessageText();
        EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Information);
        EXPECT_EQ(dialogs.shown[0].text.rfind(L"Fichiers SFX/SAM construits :\r\n", 0), 0u) << LastMessageText();
        dialogs.shown.clear();
    }
    void WriteOldPair()
    {
        WriteBytes(wads + L"tut1.sfx", "ancien sfx");
        WriteBytes(wads + L"tut1.sam", "ancien sam");
    }
    void ExpectOldPairIntact()
    {
        EXPECT_EQ(FilesIn(wads), (std::vector<std::wstring>{L"tut1.sam", L"tut1.sfx"}));
        EXPECT_EQ(ReadBytes(wads + L"tut1.sfx"), "ancien sfx");
        EXPECT_EQ(ReadBytes(wads + L"tut1.sam"), "ancien sam");
    }
    // A build that was not installed loses nothing: its outputs wait in the builder's folder.
    void ExpectNewPairInBuilderFolder()
    {
        EXPECT_EQ(ReadBytes(builderFolder + L"tut1.sam"), "porte_grince\r\n");
        EXPECT_EQ(ReadBytes(builderFolder + L"tut1.sfx").size(), 370u * 2 + 4 + 8);
    }

    std::wstring builderFolder = installation / L"Sound\\VidedIRU Dovezev\\";
    std::wstring samplesFolder = installation / L"Sound\\Samples\\";
    std::wstring wads = installation / L"graphics\\wads\\";
    std::vector<std::wstring> shownEntries;
    int selectedAtShow = -2;
};

TEST_F(SfxBuildTest, BuildsTheChosenWadAndMovesBothOutputsIntoTheWadFolder)
{
    Start();
    EXPECT_FALSE(Enabled(id::BtConvertSFX));
    Choose(1);
    dialogs.Answer(DialogButton::Ok);
    OpenSoundsAndBuild();
    EXPECT_EQ(shownEntries, (std::vector<std::wstring>{L"tut1", L"cite wad"}));
    EXPECT_EQ(selectedAtShow, 0);
    EXPECT_EQ(form->FicheChoixWad().WadChoisi(), L"cite wad");
    ExpectOnlyTheSummary();
    EXPECT_EQ(FilesIn(wads), (std::vector<std::wstring>{L"cite.sam", L"cite.sfx"}));
    EXPECT_EQ(ReadBytes(wads + L"cite.sam"), "porte_grince\r\n");
    EXPECT_EQ(FilesIn(builderFolder), (std::vector<std::wstring>{L"pcwadsfx.exe", L"Sounds.txt"}));

    // A second build of the same WAD, by a slow builder: it is waited for,
    // and its outputs replace the first ones.
    WriteBytes(builderFolder + L"Sounds.txt", "PORTE: porte_lourde\r\n");
    SetEnvironmentVariableW(L"TESSARK_STANDIN_DELAY_MS", L"2500");
    Choose(1);
    dialogs.Answer(DialogButton::Ok);
    Click(id::BtConvertSFX);
    ExpectOnlyTheSummary();
    EXPECT_EQ(ReadBytes(wads + L"cite.sam"), "porte_lourde\r\n");
    EXPECT_EQ(FilesIn(wads), (std::vector<std::wstring>{L"cite.sam", L"cite.sfx"}));
    EXPECT_EQ(FilesIn(builderFolder), (std::vector<std::wstring>{L"pcwadsfx.exe", L"Sounds.txt"}));
    // Then the picture area turns the button off.
    Click(id::BtEditLogo);
    EXPECT_FALSE(Enabled(id::BtConvertSFX));
}

TEST_F(SfxBuildTest, TheSummaryCountsTheBuiltSetAndNamesTheSamplesTheGameWouldNotPlayAsMeant)
{
    WriteBytes(builderFolder + L"Sounds.txt", "; sons du niveau\r\n"
                                              "PORTE: porte_grince VOL:90 RAD:12 L N\r\n"
                                              "PAS: pas_1 pas_2 pas_3 CH:40 P\r\n"
                                              "VENT: vent\r\n");
    WriteBytes(builderFolder + L"porte_grince.wav", Wave(22050));
    CreateDirectoryW(samplesFolder.c_str(), nullptr);
    WriteBytes(samplesFolder + L"porte_grince.wav", Wave(44100));  // hidden by the builder's own copy
    WriteBytes(samplesFolder + L"pas_1.wav", Wave(22050));
    WriteBytes(samplesFolder + L"pas_2.wav", Wave(44100));
    WriteBytes(samplesFolder + L"pas_3.wav", Wave(22050, 1, 16, 18));
    Start();
    Choose(0);
    dialogs.Answer(DialogButton::Ok);
    OpenSoundsAndBuild();

    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Information);
    EXPECT_EQ(dialogs.shown[0].text,
              L"Fichiers SFX/SAM construits :\r\n"
              L"Sons du jeu utilisés : 3 / 370\r\n"
              L"Sons décrits : 3\r\n"
              L"Échantillons : 5 / 256\r\n"
              L"\r\n"
              L"Échantillons cherchés là où le constructeur les prend :\r\n  " +
                  builderFolder + L"\r\n  " + samplesFolder +
                  L"\r\n"
                  L"Échantillons introuvables : vent\r\n"
                  L"Échantillons hors du format du jeu (PCM 22 050 Hz, 16 bits, mono, bloc fmt de 16 octets) : "
                  L"pas_2, pas_3\r\n");

    // The installed .sfx: three slots used, then the details of each sound.
    std::string sfx;
    for (std::uint32_t slot = 0; slot < 370; ++slot)
        Put(sfx, slot < 3 ? slot : 0xFFFF, 2);
    Put(sfx, 3, 4);
    sfx += std::string("\x00\x00\x5A\x0C\x00\x00\x07\x10", 8);  // sample 0, volume 90, range 12, loop, 1 sample
    sfx += std::string("\x01\x00\x50\x08\x28\x00\x0C\x20", 8);  // samples 1-3, chance 40, random pitch
    sfx += std::string("\x04\x00\x50\x08\x00\x00\x04\x00", 8);
    EXPECT_EQ(ReadBytes(wads + L"tut1.sfx"), sfx);
    EXPECT_EQ(ReadBytes(wads + L"tut1.sam"), "porte_grince\r\npas_1\r\npas_2\r\npas_3\r\nvent\r\n");
}

TEST_F(SfxBuildTest, ADamagedSfxIsRefusedBeforeTheInstalledPairIsTouched)
{
    WriteOldPair();
    Start();
    Click(id::BtEditSon);
    const std::pair<const wchar_t*, const wchar_t*> cuts[] = {
        {L"700", L"fichier .sfx trop court pour sa table des sons"},
        {L"751", L"le fichier .sfx annonce plus de sons qu'il n'en contient"},
    };
    for (const auto& [kept, reason] : cuts) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(kept)));
        SetEnvironmentVariableW(L"TESSARK_STANDIN_SFX_BYTES", kept);
        // A refused build's outputs stay in the builder's folder, where the
        // next build sets them aside and brings them back: here, no such leftovers.
        DeleteFileW((builderFolder + L"tut1.sfx").c_str());
        DeleteFileW((builderFolder + L"tut1.sam").c_str());
        dialogs.shown.clear();
        FailToBuildTut1();
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Error);
        EXPECT_EQ(dialogs.shown[0].text, L"Le fichier construit est incorrect, rien n'a été installé dans le "
                                         L"répertoire des WAD :\n" +
                                             builderFolder + L"tut1.sfx\n" + reason);
        ExpectOldPairIntact();
        EXPECT_EQ(ReadBytes(builderFolder + L"tut1.sfx").size(), std::stoul(kept));
    }
}

TEST_F(SfxBuildTest, ABuilderThatExitsWithAnErrorInstallsNothing)
{
    WriteOldPair();
    SetEnvironmentVariableW(L"TESSARK_STANDIN_EXIT", L"1");
    Start();
    Click(id::BtEditSon);
    FailToBuildTut1();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Error);
    EXPECT_EQ(dialogs.shown[0].text, L"La construction a échoué : le constructeur des fichiers SFX s'est terminé avec "
                                     L"le code 1. Rien n'a été installé dans le répertoire des WAD.");
    ExpectOldPairIntact();
    ExpectNewPairInBuilderFolder();
}

TEST_F(SfxBuildTest, AWadNameWithPathPartsIsRefusedBeforeTheBuilderStarts)
{
    WriteBytes(installation / L"ListeWadSfx.lws", "..\\..\\data\\x.wad\r\nC:\\x\r\na/b\r\nnul.wad\r\n");
    CreateDirectoryW((installation / L"data").c_str(), nullptr);
    WriteBytes(installation / L"data\\x.sfx", "sfx du jeu");
    Start();
    Click(id::BtEditSon);
    const wchar_t* names[] = {L"..\\..\\data\\x.wad", L"C:\\x", L"a/b", L"nul.wad"};
    for (int entry = 0; entry < 4; ++entry) {
        SCOPED_TRACE(entry);
        dialogs.shown.clear();
        dialogs.Answer(DialogButton::Ok);
        Choose(entry);
        Click(id::BtConvertSFX);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Error);
        EXPECT_EQ(dialogs.shown[0].text, L"Le nom du WAD « " + std::wstring(names[entry]) +
                                             L" » de ListeWadSfx.lws n'est pas un simple nom de fichier (il contient "
                                             L"un dossier, un lecteur, un nom de périphérique ou un caractère "
                                             L"interdit) : la construction n'a pas été lancée.");
        EXPECT_TRUE(FilesIn(wads).empty());
        EXPECT_EQ(FilesIn(builderFolder), (std::vector<std::wstring>{L"pcwadsfx.exe", L"Sounds.txt"}));
        EXPECT_EQ(ReadBytes(installation / L"data\\x.sfx"), "sfx du jeu");
    }
}

TEST_F(SfxBuildTest, ABuilderThatNeverEndsIsOfferedToBeStoppedAndInstallsNothing)
{
    WriteOldPair();
    SetEnvironmentVariableW(L"TESSARK_STANDIN_DELAY_MS", L"60000");
    Start();
    Click(id::BtEditSon);
    form->Sounds().SetBuilderPatience(1000);
    dialogs.Answer(DialogButton::No);   // wait on once
    dialogs.Answer(DialogButton::Yes);  // then stop it
    const ULONGLONG start = GetTickCount64();
    FailToBuildTut1();
    const ULONGLONG took = GetTickCount64() - start;
    EXPECT_GE(took, 2000u);
    EXPECT_LT(took, 10000u);
    ASSERT_EQ(dialogs.shown.size(), 3u);
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Confirmation);
    EXPECT_EQ(dialogs.shown[0].text, L"Le constructeur des fichiers SFX tourne depuis 1 s sans avoir fini.\nL'arrêter ?");
    EXPECT_EQ(dialogs.shown[1].text, L"Le constructeur des fichiers SFX tourne depuis 2 s sans avoir fini.\nL'arrêter ?");
    EXPECT_EQ(dialogs.shown[2].kind, DialogKind::Error);
    EXPECT_EQ(dialogs.shown[2].text, L"Construction arrêtée : le constructeur des fichiers SFX ne finissait pas. Rien "
                                     L"n'a été installé dans le répertoire des WAD.");
    ExpectOldPairIntact();
    EXPECT_EQ(FilesIn(builderFolder), (std::vector<std::wstring>{L"pcwadsfx.exe", L"Sounds.txt"}));
    EXPECT_FALSE(HourGlass::Active());
}

TEST(SoundSetReport, APairThatCannotBeReadIsNamedAsSuch)
{
    TempFolder folder;
    const std::wstring sfx = folder / L"tut1.sfx";
    const std::wstring sam = folder / L"tut1.sam";
    std::string emptySet;
    for (int slot = 0; slot < 370; ++slot)
        Put(emptySet, 0xFFFF, 2);
    Put(emptySet, 0, 4);
    WriteBytes(sfx, emptySet);
    ASSERT_TRUE(CreateDirectoryW(sam.c_str(), nullptr));  // a folder in the way of the .sam
    SoundSetReport report = ReportBuiltSoundSet(sfx, sam, folder.path());
    EXPECT_TRUE(report.damaged);
    EXPECT_EQ(report.text, L"Les fichiers SFX/SAM construits ne peuvent pas être lus :\nImpossible d'ouvrir le fichier " + sam);
    RemoveDirectoryW(sam.c_str());

    WriteBytes(sam, "");
    {
        HeldByAnotherProcess player(sfx);
        report = ReportBuiltSoundSet(sfx, sam, folder.path());
    }
    EXPECT_EQ(report.text, L"Les fichiers SFX/SAM construits ne peuvent pas être lus :\nImpossible d'ouvrir le fichier " + sfx);
    report = ReportBuiltSoundSet(sfx, sam, folder.path());
    EXPECT_FALSE(report.damaged) << testing::PrintToString(report.text);
    EXPECT_NE(report.text.find(L"Sons du jeu utilisés : 0 / 370\r\n"), std::wstring::npos);
}

TEST_F(SfxBuildTest, EachMissingPieceIsNamedAndNothingIsBuilt)
{
    Start();
    Click(id::BtEditSon);
    // No WAD folder: said before the chooser shows.
    RemoveDirectoryW(wads.c_str());
    dialogs.Answer(DialogButton::Ok);
    Click(id::BtConvertSFX);
    EXPECT_EQ(dialogs.modalsShown, 0);
    EXPECT_EQ(LastMessageText(), L"Le répertoire des fichiers WAD est introuvable");
    CreateDirectoryW(wads.c_str(), nullptr);

    // Annuler ends silently.
    dialogs.shown.clear();
    Choose(0, false);
    Click(id::BtConvertSFX);
    EXPECT_TRUE(dialogs.shown.empty());

    // An empty list file gives one empty entry, which names no WAD.
    WriteBytes(installation / L"ListeWadSfx.lws", "");
    Choose(std::nullopt);
    dialogs.Answer(DialogButton::Ok);
    Click(id::BtConvertSFX);
    EXPECT_EQ(shownEntries, (std::vector<std::wstring>{L""}));
    EXPECT_EQ(LastMessageText(), L"Pas de fichier WAD sélectionné !");

    // No builder.
    WriteBytes(installation / L"ListeWadSfx.lws", "tut1\r\n");
    DeleteFileW((builderFolder + L"pcwadsfx.exe").c_str());
    Choose(0);
    dialogs.Answer(DialogButton::Ok);
    Click(id::BtConvertSFX);
    EXPECT_EQ(LastMessageText(), L"Impossible d'executer la construction des fichiers SFX!\r\nLe programme n'existe "
                                 L"pas à l'endroit spécifié.\r\n\r\n" +
                                     builderFolder + L"pcwadsfx.exe");
    EXPECT_TRUE(FilesIn(wads).empty());
}

TEST_F(SfxBuildTest, AMissingListLeavesTheChooserEmpty)
{
    DeleteFileW((installation / L"ListeWadSfx.lws").c_str());
    Start();
    Choose(std::nullopt);
    dialogs.Answer(DialogButton::Ok);
    OpenSoundsAndBuild();
    EXPECT_TRUE(shownEntries.empty());
    EXPECT_EQ(LastMessageText(), L"Pas de fichier WAD sélectionné !");
}

TEST_F(SfxBuildTest, AnOutputLeftByAnEarlierBuildNeverPassesForANewOne)
{
    WriteOldPair();
    // An earlier build left its outputs behind, one of them read-only.
    WriteBytes(builderFolder + L"tut1.sfx", "sfx restant");
    WriteBytes(builderFolder + L"tut1.sam", "sam restant");
    SetFileAttributesW((builderFolder + L"tut1.sfx").c_str(), FILE_ATTRIBUTE_READONLY);
    Start();
    Click(id::BtEditSon);
    for (const wchar_t* skipped : {L"sam", L"sfx"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(skipped)));
        SetEnvironmentVariableW(L"TESSARK_STANDIN_SKIP", skipped);
        FailToBuildTut1();
        EXPECT_EQ(LastMessageText(), L"La construction a échoué : le fichier n'a pas été créé, rien n'a été installé "
                                     L"dans le répertoire des WAD :\n" +
                                         builderFolder + L"tut1." + skipped);
        EXPECT_EQ(dialogs.shown.back().kind, DialogKind::Error);
        ExpectOldPairIntact();
        // The builder's folder is as the build found it.
        EXPECT_EQ(FilesIn(builderFolder),
                  (std::vector<std::wstring>{L"pcwadsfx.exe", L"Sounds.txt", L"tut1.sam", L"tut1.sfx"}));
        EXPECT_EQ(ReadBytes(builderFolder + L"tut1.sfx"), "sfx restant");
        EXPECT_EQ(ReadBytes(builderFolder + L"tut1.sam"), "sam restant");
    }

    // A leftover that cannot be set aside: the builder is not started.
    SetEnvironmentVariableW(L"TESSARK_STANDIN_SKIP", nullptr);
    {
        HeldByAnotherProcess player(builderFolder + L"tut1.sam");
        FailToBuildTut1();
    }
    EXPECT_EQ(LastMessageText(), L"Le fichier laissé par une construction précédente ne peut pas être mis de côté, "
                                 L"la construction n'a pas été lancée :\n" +
                                     builderFolder + L"tut1.sam");
    EXPECT_EQ(ReadBytes(builderFolder + L"tut1.sfx"), "sfx restant");
    ExpectOldPairIntact();

    // A complete build replaces the leftovers, read-only or not.
    dialogs.shown.clear();
    Choose(0);
    dialogs.Answer(DialogButton::Ok);
    Click(id::BtConvertSFX);
    ExpectOnlyTheSummary();
    EXPECT_EQ(ReadBytes(wads + L"tut1.sam"), "porte_grince\r\n");
    EXPECT_EQ(ReadBytes(wads + L"tut1.sfx").size(), 370u * 2 + 4 + 8);
    EXPECT_EQ(FilesIn(builderFolder), (std::vector<std::wstring>{L"pcwadsfx.exe", L"Sounds.txt"}));
}

TEST_F(SfxBuildTest, WhenTheSecondFileCannotBeReplacedTheOldPairStays)
{
    const std::wstring sam = wads + L"tut1.sam";
    Start();
    Click(id::BtEditSon);

    // Held open by another program: seen only once the .sfx has been swapped in.
    WriteOldPair();
    {
        HeldByAnotherProcess player(sam);
        FailToBuildTut1();
    }
    EXPECT_EQ(LastMessageText(), L"Le fichier ne peut pas être remplacé, il est peut-être ouvert dans un autre "
                                 L"programme ; rien n'a été installé :\n" +
                                     sam);
    ExpectOldPairIntact();
    ExpectNewPairInBuilderFolder();

    SetFileAttributesW(sam.c_str(), FILE_ATTRIBUTE_READONLY);
    FailToBuildTut1();
    SetFileAttributesW(sam.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(LastMessageText(), L"Le fichier à remplacer est en lecture seule, rien n'a été installé :\n" + sam);
    ExpectOldPairIntact();
    ExpectNewPairInBuilderFolder();

    ASSERT_TRUE(DeleteFileW(sam.c_str()));
    ASSERT_TRUE(CreateDirectoryW(sam.c_str(), nullptr));
    FailToBuildTut1();
    EXPECT_EQ(LastMessageText(), L"Un dossier porte le nom du fichier à remplacer, rien n'a été installé :\n" + sam);
    EXPECT_EQ(FilesIn(wads), std::vector<std::wstring>{L"tut1.sfx"});
    EXPECT_EQ(ReadBytes(wads + L"tut1.sfx"), "ancien sfx");
    EXPECT_TRUE(FilesIn(sam + L"\\").empty());
    ExpectNewPairInBuilderFolder();
    RemoveDirectoryW(sam.c_str());
}

TEST_F(SfxBuildTest, AFullWadDiskReplacesNeitherFile)
{
    const auto disk = TinyDisk();
    if (!disk)
        GTEST_SKIP() << NoTinyDisk;
    WadFolderOnTinyDisk wadsOnDisk(wads, *disk);
    if (!wadsOnDisk.ok())
        GTEST_SKIP() << "graphics\\wads cannot be linked to the small disk here (the test runs outside Wine)";
    WriteOldPair();
    // Room for one new file, not for two.
    const std::wstring filler = *disk + L"\\remplissage";
    ULARGE_INTEGER room{};
    ASSERT_TRUE(GetDiskFreeSpaceExW(disk->c_str(), &room, nullptr, nullptr));
    ASSERT_GT(room.QuadPart, 4096u);
    WriteBytes(filler, std::string(static_cast<std::size_t>(room.QuadPart - 4096), 'r'));
    Start();
    Click(id::BtEditSon);
    FailToBuildTut1();
    DeleteFileW(filler.c_str());
    EXPECT_EQ(LastMessageText(), L"Le fichier n'a pas pu être copié dans le répertoire des WAD, rien n'a été "
                                 L"installé :\n" +
                                     wads + L"tut1.sam\nDisque plein");
    ExpectOldPairIntact();
    ExpectNewPairInBuilderFolder();
}

TEST_F(SfxBuildTest, ABuilderThatCannotStartIsReportedWithItsCode)
{
    WriteBytes(builderFolder + L"pcwadsfx.exe", "pas un programme");
    Start();
    Choose(0);
    OpenSoundsAndBuild();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].how, ShownMessage::Kind::Plain);
    EXPECT_TRUE(std::regex_match(dialogs.shown[0].text, std::wregex(L"\\d+  \\S.*")))
        << testing::PrintToString(dialogs.shown[0].text);
    EXPECT_TRUE(FilesIn(wads).empty());
}

TEST_F(SfxBuildTest, EnterAndEscapeCloseTheChooser)
{
    Start();
    TFicheChoixWad& chooser = form->FicheChoixWad();
    EXPECT_EQ(WindowText(chooser.hwnd()), L"Choisir le WAD");
    RECT client{};
    GetClientRect(chooser.hwnd(), &client);
    EXPECT_EQ(client.right, 258);
    EXPECT_EQ(client.bottom, 246);
    for (auto [key, expected] : {std::pair{VK_RETURN, ModalResult::Ok}, std::pair{VK_ESCAPE, ModalResult::Cancel}}) {
        PostMessageW(chooser.ListeWADs(), WM_KEYDOWN, key, 0);
        chooser.BeginShow(mainWindow);
        EXPECT_EQ(chooser.RunModal(mainWindow), expected);
        EXPECT_FALSE(Visible(chooser.hwnd()));
        EXPECT_TRUE(IsWindowEnabled(mainWindow));
    }
    EXPECT_EQ(chooser.WadChoisi(), L"tut1");
}

} // namespace
} // namespace tessark::test
