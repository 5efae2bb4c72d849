// The sound area through the real window: picks, the replacement with its
// backup and row, the failures that must leave every sample in place, and
// the report.
#include "SoundAreaFixture.h"

#include "ui/Gauge.h"
#include "ui/ProgressWindow.h"
#include "sound/ModificationList.h"
#include "sound/WaveVolume.h"
#include "util/FileNames.h"
#include "util/Messages.h"

#include <commctrl.h>
#include <mmsystem.h>
#include <winspool.h>

#include <cstdint>
#include <tuple>
#include <utility>

namespace tessark::test {
namespace {

// 16-bit stereo at 44,100 Hz, the left channel at `left`, the right at `right`.
std::string StereoWav(std::uint32_t frames, std::int16_t left, std::int16_t right)
{
    std::string wav = "RIFF";
    PutLittleEndian(wav, 36 + frames * 4, 4);
    wav += "WAVEfmt ";
    PutLittleEndian(wav, 16, 4);
    PutLittleEndian(wav, 1, 2);
    PutLittleEndian(wav, 2, 2);
    PutLittleEndian(wav, 44100, 4);
    PutLittleEndian(wav, 44100 * 4, 4);
    PutLittleEndian(wav, 4, 2);
    PutLittleEndian(wav, 16, 2);
    wav += "data";
    PutLittleEndian(wav, frames * 4, 4);
    for (std::uint32_t i = 0; i < frames; ++i) {
        PutLittleEndian(wav, static_cast<std::uint16_t>(left), 2);
        PutLittleEndian(wav, static_cast<std::uint16_t>(right), 2);
    }
    return wav;
}

// Pixels of the warning colour, and dark ones (the window text's colour).
std::pair<std::size_t, std::size_t> WarningAndDarkPixels(HWND label)
{
    std::size_t warning = 0, dark = 0;
    for (const COLORREF pixel : Snapshot(label)) {
        warning += GetRValue(pixel) > 128 && GetGValue(pixel) < 64 && GetBValue(pixel) < 64;
        dark += GetRValue(pixel) < 64 && GetGValue(pixel) < 64 && GetBValue(pixel) < 64;
    }
    return {warning, dark};
}

std::wstring AsciiLower(std::wstring text)
{
    for (auto& c : text)
        if (c >= L'A' && c <= L'Z')
            c = static_cast<wchar_t>(c - L'A' + L'a');
    return text;
}

bool HaveWaveOutput()
{
    return waveOutGetNumDevs() > 0;
}

constexpr const char* NoWaveOutput = "no wave output device in this session";

// A mono PCM WAV whose header claims `dataBytes` of samples, made by growing
// the file: a huge sample that costs the disk (nearly) nothing.
void WriteHugeWav(const std::wstring& path, std::uint32_t dataBytes, std::uint32_t rate, std::uint16_t bits)
{
    std::string header = Wav(0, 0, rate, bits);
    std::string sizes;
    PutLittleEndian(sizes, 36 + dataBytes, 4);
    header = Patched(header, 4, sizes);
    sizes.clear();
    PutLittleEndian(sizes, dataBytes, 4);
    WriteBytes(path, Patched(header, 40, sizes));
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LARGE_INTEGER end{};
    end.QuadPart = 44 + static_cast<LONGLONG>(dataBytes);
    EXPECT_TRUE(SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file));
    CloseHandle(file);
}

// What the test saw of the progress window before pressing its "Annuler".
struct SeenProgress {
    bool shown = false;
    std::wstring caption;
    bool ownerDisabled = false;
};
SeenProgress seenProgress;
HWND progressOwner = nullptr;

// From the progress window's own loop: a real click on its "Annuler".
void CALLBACK CancelTheProgress(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND progress = FindWindowW(ProgressWindowClass, nullptr);
    if (!progress || !IsWindowVisible(progress))
        return;
    KillTimer(nullptr, timer);
    seenProgress = {true, WindowText(progress), IsWindowEnabled(progressOwner) == FALSE};
    HWND cancel = GetDlgItem(progress, IDCANCEL);
    SendMessageW(cancel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(cancel, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}


TEST_F(SoundAreaTest, OpensOnTheCurrentFolderWithEverythingEmpty)
{
    Start();
    EXPECT_FALSE(Visible(Control(id::Panel3)));
    Click(id::BtEditSon);
    EXPECT_TRUE(Visible(Control(id::Panel3)));
    EXPECT_TRUE(Enabled(id::BtConvertSFX));
    EXPECT_FALSE(Enabled(id::BitBtn1));
    EXPECT_EQ(Caption(id::BitBtn1), L"Remplacer le son");
    EXPECT_EQ(Caption(id::StaticText1), L"");
    EXPECT_EQ(Caption(id::StaticText2), L"");
    EXPECT_EQ(Caption(id::LabelVers1), L"<<");
    EXPECT_FALSE(Enabled(id::LabelModifSons));
    EXPECT_FALSE(Enabled(id::LabelSauveSons));
    EXPECT_EQ(IncludeTrailingBackslash(form->Sounds().OriginalFolders().Directory()), samples + L"\\");
    // The mask ignores letter case; backups and other files are not listed.
    EXPECT_EQ(form->Sounds().Originals().Names(), (std::vector<std::wstring>{L"Door.Wav", L"porte.wav"}));
    const auto& rows = form->Sounds().Modifications().Rows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (std::vector<std::wstring>{L"Indice", L"    Sons origineaux", L"    Remplacés par",
                                                  L"  Anciens fichiers renomés en"}));
    EXPECT_EQ(GridDataRows(), 1);
    // Another area hides the sounds; coming back finds them as they were.
    Click(id::BtEditLogo);
    EXPECT_FALSE(Visible(Control(id::Panel3)));
    EXPECT_FALSE(Enabled(id::BtConvertSFX));
    Click(id::BtEditSon);
    EXPECT_TRUE(Visible(Control(id::Panel3)));
}

TEST_F(SoundAreaTest, PicksShowNameSizeAndDurationAndEnableTheReplacement)
{
    OpenSounds();
    ClickEntry(id::FileListBox1, L"porte.wav");
    EXPECT_EQ(Caption(id::StaticText1), L"[ porte.wav ]");
    EXPECT_EQ(Number(id::LabelNum1), static_cast<int>(porte.size()));
    EXPECT_EQ(Number(id::LabelNum3), 300);
    EXPECT_EQ(Caption(id::StaticText3), L"porte.wav");
    EXPECT_EQ(form->Sounds().FichierOriginal(), samples + L"\\porte.wav");
    EXPECT_FALSE(Enabled(id::BitBtn1));

    ClickEntry(id::FileListBox2, L"grince.wav");
    EXPECT_EQ(Caption(id::StaticText2), L"[ grince.wav ]");
    EXPECT_EQ(Number(id::LabelNum2), static_cast<int>(grince.size()));
    EXPECT_EQ(Number(id::LabelNum4), 100);
    EXPECT_EQ(Number(id::LabelNum3), 300) << "the other list's duration stays";
    EXPECT_EQ(form->Sounds().Preview().Gauge().MaxValue(), 100);
    EXPECT_TRUE(Enabled(id::BitBtn1));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(SoundAreaTest, PicksShowTheFormatBesideTheSizeInTheWarningColourWhenTheGameWouldPlayItWrongly)
{
    WriteBytes(samples + L"\\propre.wav", GameWav());
    WriteBytes(replacements + L"\\propre.wav", GameWav());
    WriteBytes(replacements + L"\\lent.wav", Wav(1102, 0x70));  // 100 ms at 11,025 Hz, 8-bit
    OpenSounds();
    EXPECT_EQ(Caption(id::LabelFormat1), L"");
    ClickEntry(id::FileListBox1, L"propre.wav");
    EXPECT_EQ(Caption(id::LabelFormat1), L"22050 Hz · 16 bits · mono · PCM · 0,45 s");
    auto [warning, dark] = WarningAndDarkPixels(Control(id::LabelFormat1));
    EXPECT_EQ(warning, 0u);
    EXPECT_GT(dark, 20u) << "the text is written";

    ClickEntry(id::FileListBox2, L"lent.wav");
    EXPECT_EQ(Caption(id::LabelFormat2),
              L"11025 Hz : joué à la mauvaise vitesse, 8 bits — 11025 Hz · 8 bits · mono · PCM · 0,10 s");
    std::tie(warning, dark) = WarningAndDarkPixels(Control(id::LabelFormat2));
    EXPECT_GT(warning, 20u);
    EXPECT_EQ(dark, 0u);
    EXPECT_EQ(Caption(id::LabelFormat1), L"22050 Hz · 16 bits · mono · PCM · 0,45 s") << "each side has its own";

    ClickEntry(id::FileListBox2, L"propre.wav");
    EXPECT_EQ(Caption(id::LabelFormat2), L"22050 Hz · 16 bits · mono · PCM · 0,45 s");
    EXPECT_EQ(WarningAndDarkPixels(Control(id::LabelFormat2)).first, 0u) << "the warning does not stay";
    EXPECT_TRUE(dialogs.shown.empty()) << LastMessageText();
}

TEST_F(SoundAreaTest, AnEmptyPickChangesNothing)
{
    OpenSounds();
    ClickEntry(id::FileListBox1, L"porte.wav");
    ClickEntry(id::FileListBox1, L"Door.Wav", true);
    ClickEntry(id::FileListBox2, L"grince.wav");
    ASSERT_EQ(Caption(id::StaticText1), L"[ Door.Wav ]");
    // The focused entry is deselected, which picks nothing.
    WriteBytes(samples + L"\\Door.Wav", Wav(10, 0x30));
    ClickEntry(id::FileListBox1, L"Door.Wav", true);
    EXPECT_TRUE(dialogs.shown.empty()) << LastMessageText();
    EXPECT_EQ(Caption(id::StaticText1), L"[ Door.Wav ]");
    EXPECT_EQ(Number(id::LabelNum1), 44 + 2205) << "the size is not read again";
    EXPECT_EQ(Number(id::LabelNum3), 200);
    EXPECT_EQ(Caption(id::StaticText3), L"grince.wav") << "the preview keeps its clip";
    EXPECT_EQ(form->Sounds().FichierOriginal(), samples + L"\\Door.Wav");
    EXPECT_TRUE(Enabled(id::BitBtn1)) << "both lists still have a selected entry";
}

// The prefix's wave device replaced, for one test, by one that opens every
// clip and refuses to play it, as a device held by another program does. MCI
// finds its drivers in the [mci] section of system.ini.
class RefusingWaveDevice {
public:
    RefusingWaveDevice()
    {
        wchar_t value[MAX_PATH]{};
        GetPrivateProfileStringW(L"mci", L"waveaudio", L"", value, MAX_PATH, L"system.ini");
        previous_ = value;
        installed_ = !previous_.empty() &&
                     WritePrivateProfileStringW(L"mci", L"waveaudio", TESSARK_REFUSING_MCI, L"system.ini");
    }
    ~RefusingWaveDevice()
    {
        if (installed_)
            WritePrivateProfileStringW(L"mci", L"waveaudio", previous_.c_str(), L"system.ini");
    }
    bool installed() const { return installed_; }

private:
    std::wstring previous_;
    bool installed_ = false;
};

TEST_F(SoundAreaTest, APickEnablesTheReplacementEvenWhenTheDeviceRefusesToPlayTheClip)
{
    const RefusingWaveDevice device;
    ASSERT_TRUE(device.installed());
    OpenSounds(true);
    ClickEntry(id::FileListBox1, L"porte.wav");
    ClickEntry(id::FileListBox2, L"grince.wav");

    wchar_t refusal[MAXERRORLENGTH]{};
    ASSERT_TRUE(mciGetErrorStringW(MCIERR_WAVE_OUTPUTSINUSE, refusal, MAXERRORLENGTH));
    ASSERT_EQ(dialogs.shown.size(), 2u) << "each pick's play is refused and said";
    EXPECT_EQ(dialogs.shown[1].kind, DialogKind::Error);
    EXPECT_EQ(dialogs.shown[1].text, refusal);
    EXPECT_EQ(Caption(id::StaticText2), L"[ grince.wav ]");
    EXPECT_EQ(Number(id::LabelNum4), 1000) << "the clip opened, with the length the device gives";
    EXPECT_TRUE(Enabled(id::BitBtn1));

    Click(id::BitBtn1);
    EXPECT_EQ(dialogs.shown.size(), 2u) << LastMessageText();
    EXPECT_EQ(ReadBytes(samples + L"\\porte.wav"), grince);
    EXPECT_EQ(ReadBytes(samples + L"\\porte.bak"), porte);
}

TEST_F(SoundAreaTest, ReplacementKeepsTheOriginalAsBakAndAddsARow)
{
    OpenSounds();
    PickBoth(L"porte.wav", L"grince.wav");
    const auto sizeBefore = Caption(id::LabelNum1);
    Click(id::BitBtn1);
    EXPECT_TRUE(dialogs.shown.empty()) << LastMessageText();
    EXPECT_EQ(ReadBytes(samples + L"\\porte.bak"), porte);
    EXPECT_EQ(ReadBytes(samples + L"\\porte.wav"), grince);
    EXPECT_EQ(ReadBytes(replacements + L"\\grince.wav"), grince);
    EXPECT_EQ(form->Sounds().FichierBak(), samples + L"\\porte.bak");
    EXPECT_EQ(GridDataRows(), 1);
    EXPECT_EQ(GridCell(1, 0), L"1");
    EXPECT_EQ(GridCell(1, 1), L"porte.wav");
    EXPECT_EQ(GridCell(1, 2), L"grince.wav");
    EXPECT_EQ(GridCell(1, 3), L"porte.bak");
    EXPECT_TRUE(Enabled(id::LabelModifSons));
    EXPECT_TRUE(Enabled(id::LabelSauveSons));
    EXPECT_TRUE(Enabled(id::MediaPlayer1Play));
    EXPECT_TRUE(Enabled(id::BitBtn1));
    EXPECT_EQ(Caption(id::LabelNum1), sizeBefore) << "the sizes are not read again";

    // Replacing again needs a new pick first: the backup holds the original.
    dialogs.Answer(DialogButton::Ok);
    Click(id::BitBtn1);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Error);
    EXPECT_EQ(dialogs.shown[0].text, L"Ce son vient d'être remplacé. Choisissez de nouveau un son dans une des listes "
                                     L"avant un autre remplacement : la sauvegarde .bak de l'original serait écrasée.");
    EXPECT_EQ(ReadBytes(samples + L"\\porte.bak"), porte);
    EXPECT_EQ(ReadBytes(samples + L"\\porte.wav"), grince);
    EXPECT_EQ(form->Sounds().Modifications().NbRemplacements(), 1);
    dialogs.shown.clear();

    // The second backup holds what the original had just before.
    WriteBytes(replacements + L"\\autre.wav", EngineWav(500, 0x11));
    form->Sounds().Replacements().Update();
    PickBoth(L"porte.wav", L"autre.wav");
    Click(id::BitBtn1);
    EXPECT_EQ(ReadBytes(samples + L"\\porte.bak"), grince);
    EXPECT_EQ(ReadBytes(samples + L"\\porte.wav"), EngineWav(500, 0x11));
    EXPECT_EQ(GridDataRows(), 2);
    EXPECT_EQ(GridCell(2, 0), L"2");
    EXPECT_EQ(GridCell(2, 2), L"autre.wav");
    EXPECT_EQ(FilesIn(samples + L"\\"), (std::vector<std::wstring>{L"ancien.bak", L"Door.Wav", L"notes.txt", L"porte.bak",
                                                           L"porte.wav"}));
}

TEST_F(SoundAreaTest, TheSameFileIsRefusedHoweverItsPathIsSpelt)
{
    OpenSounds();
    const std::wstring original = samples + L"\\porte.wav";
    for (const std::wstring& folder : {samples, AsciiLower(samples), replacements + L"\\..\\Samples"}) {
        SCOPED_TRACE(testing::PrintToString(folder));
        dialogs.shown.clear();
        ASSERT_TRUE(form->Sounds().ReplacementFolders().SetDirectory(folder));
        PickBoth(L"porte.wav", L"porte.wav");
        dialogs.Answer(DialogButton::Ok);
        Click(id::BitBtn1);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Error);
        EXPECT_EQ(dialogs.shown[0].text, original + L"  => " + form->Sounds().FichierRemplacement() +
                                             L"\n\rUn fichier ne peut pas se remplacer par lui-même !");
        EXPECT_FALSE(Enabled(id::MediaPlayer1Play));
        EXPECT_FALSE(Exists(samples + L"\\porte.bak"));
        EXPECT_EQ(ReadBytes(original), porte);
        EXPECT_EQ(form->Sounds().Modifications().NbRemplacements(), 0);
    }
}

TEST_F(SoundAreaTest, ProtectedOrLockedFilesStopTheReplacementBeforeAnythingMoves)
{
    OpenSounds();
    const std::wstring original = samples + L"\\porte.wav", backup = samples + L"\\porte.bak";
    WriteBytes(backup, "vieille sauvegarde");

    SetFileAttributesW(original.c_str(), FILE_ATTRIBUTE_READONLY);
    PickBoth(L"porte.wav", L"grince.wav");
    dialogs.Answer(DialogButton::Ok);
    Click(id::BitBtn1);
    EXPECT_EQ(LastMessageText(), L"Le son original est en lecture seule, il n'a pas été remplacé :\n" + original);
    SetFileAttributesW(original.c_str(), FILE_ATTRIBUTE_NORMAL);

    SetFileAttributesW(backup.c_str(), FILE_ATTRIBUTE_READONLY);
    PickBoth(L"porte.wav", L"grince.wav");
    dialogs.Answer(DialogButton::Ok);
    Click(id::BitBtn1);
    EXPECT_EQ(LastMessageText(),
              L"L'ancienne sauvegarde ne peut pas être supprimée, le son n'a pas été remplacé :\n" + backup);
    SetFileAttributesW(backup.c_str(), FILE_ATTRIBUTE_NORMAL);

    {
        // Another program has the original open and does not let it be renamed.
        PickBoth(L"porte.wav", L"grince.wav");
        HANDLE locked = CreateFileW(original.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(locked, INVALID_HANDLE_VALUE);
        dialogs.Answer(DialogButton::Ok);
        Click(id::BitBtn1);
        CloseHandle(locked);
    }
    EXPECT_EQ(LastMessageText(),
              L"Le son original ne peut pas être renommé en .bak, il n'a pas été remplacé :\n" + original);
    EXPECT_EQ(ReadBytes(backup), "vieille sauvegarde");
    EXPECT_FALSE(Enabled(id::MediaPlayer1Play));
    ExpectNothingReplaced();
    EXPECT_EQ(FilesIn(samples + L"\\"), (std::vector<std::wstring>{L"ancien.bak", L"Door.Wav", L"notes.txt", L"porte.bak",
                                                           L"porte.wav"}));
}

TEST_F(SoundAreaTest, AFolderNamedLikeTheBackupIsRefusedAndLeftAsItIs)
{
    const std::wstring folder = samples + L"\\porte.bak";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    WriteBytes(folder + L"\\niveau1.txt", "notes du niveau");
    OpenSounds();
    PickBoth(L"porte.wav", L"grince.wav");
    dialogs.Answer(DialogButton::Ok);
    Click(id::BitBtn1);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Error);
    EXPECT_EQ(dialogs.shown[0].text,
              L"Un dossier porte le nom de la sauvegarde, le son n'a pas été remplacé :\n" + folder);
    EXPECT_TRUE(GetFileAttributesW(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(FilesIn(folder + L"\\"), (std::vector<std::wstring>{L"niveau1.txt"}));
    EXPECT_EQ(ReadBytes(folder + L"\\niveau1.txt"), "notes du niveau");
    EXPECT_FALSE(Exists(folder + L".~old"));
    EXPECT_EQ(FilesIn(samples + L"\\"), (std::vector<std::wstring>{L"ancien.bak", L"Door.Wav", L"notes.txt",
                                                                  L"porte.wav"}));
    ExpectNothingReplaced();
    EXPECT_FALSE(Enabled(id::MediaPlayer1Play));
}

TEST_F(SoundAreaTest, AFailedCopyPutsTheOriginalAndItsOldBackupBack)
{
    OpenSounds();
    const std::wstring backup = samples + L"\\porte.bak";
    WriteBytes(backup, "vieille sauvegarde");
    PickBoth(L"porte.wav", L"grince.wav");
    // The replacement disappears after it was picked.
    ASSERT_TRUE(DeleteFileW((replacements + L"\\grince.wav").c_str()));
    Click(id::BitBtn1);
    EXPECT_EQ(LastMessageText(), L"Impossible d'ouvrir le fichier " + replacements + L"\\grince.wav.");
    EXPECT_EQ(ReadBytes(samples + L"\\porte.wav"), porte);
    EXPECT_EQ(ReadBytes(backup), "vieille sauvegarde");
    EXPECT_EQ(FilesIn(samples + L"\\"), (std::vector<std::wstring>{L"ancien.bak", L"Door.Wav", L"notes.txt", L"porte.bak",
                                                           L"porte.wav"}));
    EXPECT_FALSE(Enabled(id::MediaPlayer1Play));
    EXPECT_EQ(form->Sounds().Modifications().NbRemplacements(), 0);
    EXPECT_EQ(form->Sounds().FichierBak(), L"");
}

TEST_F(SoundAreaTest, AFullDiskDuringTheCopyLosesNoSample)
{
    ExpectAFullDiskLosesNoSample(EngineWav(100000, 0x33), std::nullopt);
}

TEST_F(SoundAreaTest, AReplacementTheGameWouldPlayWronglyIsConvertedOnlyWhenAskedTo)
{
    const std::string stereo = StereoWav(4410, 1000, 3000);  // 100 ms at 44,100 Hz
    const std::string door = ReadBytes(samples + L"\\Door.Wav");
    WriteBytes(replacements + L"\\stereo.wav", stereo);
    OpenSounds();
    PickBoth(L"porte.wav", L"stereo.wav");

    dialogs.Answer(DialogButton::Cancel);
    Click(id::BitBtn1);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Confirmation);
    EXPECT_EQ(dialogs.shown[0].buttons,
              (std::vector<DialogButton>{DialogButton::Yes, DialogButton::No, DialogButton::Cancel}));
    EXPECT_TRUE(dialogs.shown[0].text.starts_with(
        L"Le son stereo.wav n'est pas au format que le jeu lit correctement : PCM 22 050 Hz, 16 bits, mono"))
        << dialogs.shown[0].text;
    EXPECT_EQ(ReadBytes(samples + L"\\porte.wav"), porte);
    EXPECT_FALSE(Exists(samples + L"\\porte.bak"));
    EXPECT_EQ(form->Sounds().Modifications().NbRemplacements(), 0);
    EXPECT_TRUE(Enabled(id::BitBtn1));

    dialogs.Answer(DialogButton::Yes);
    Click(id::BitBtn1);
    ASSERT_EQ(dialogs.shown.size(), 2u) << LastMessageText();
    const std::string converted = ReadBytes(samples + L"\\porte.wav");
    ASSERT_EQ(converted.size(), 44u + 2205 * 2);
    EXPECT_EQ(converted.substr(0, 44), EngineWav(2205, 0).substr(0, 44)) << "22,050 Hz, 16-bit, mono, clean";
    const auto middle = static_cast<std::int16_t>(static_cast<std::uint8_t>(converted[44 + 2 * 1102]) |
                                                  static_cast<std::uint8_t>(converted[45 + 2 * 1102]) << 8);
    EXPECT_EQ(middle, 2000) << "both channels mixed";
    EXPECT_EQ(ReadBytes(samples + L"\\porte.bak"), porte);
    EXPECT_EQ(ReadBytes(replacements + L"\\stereo.wav"), stereo);
    EXPECT_EQ(GridCell(1, 1), L"porte.wav");
    EXPECT_EQ(GridCell(1, 2), L"stereo.wav");
    EXPECT_EQ(GridCell(1, 3), L"porte.bak");

    PickBoth(L"Door.Wav", L"stereo.wav");
    dialogs.Answer(DialogButton::No);
    Click(id::BitBtn1);
    ASSERT_EQ(dialogs.shown.size(), 3u) << LastMessageText();
    EXPECT_EQ(ReadBytes(samples + L"\\Door.Wav"), stereo) << "copied byte for byte";
    EXPECT_EQ(ReadBytes(samples + L"\\Door.bak"), door);
    EXPECT_EQ(form->Sounds().Modifications().NbRemplacements(), 2);
    EXPECT_EQ(GridCell(2, 2), L"stereo.wav");
}

TEST_F(SoundAreaTest, AConversionThatCannotBeMadeOrWrittenLosesNothing)
{
    const std::string adpcm = Patched(grince, 20, std::string("\x02\x00", 2));
    WriteBytes(replacements + L"\\adpcm.wav", adpcm);
    WriteBytes(replacements + L"\\stereo.wav", StereoWav(4410, 10, 10));
    OpenSounds();
    dialogs.Answer(DialogButton::Ok);  // the player cannot open it either
    PickBoth(L"porte.wav", L"adpcm.wav");
    dialogs.Answer(DialogButton::Yes);
    dialogs.Answer(DialogButton::Ok);
    Click(id::BitBtn1);
    ASSERT_EQ(dialogs.shown.size(), 3u) << LastMessageText();
    EXPECT_EQ(dialogs.shown[1].kind, DialogKind::Confirmation);
    EXPECT_EQ(dialogs.shown[2].kind, DialogKind::Error);
    EXPECT_EQ(dialogs.shown[2].text, L"Le son adpcm.wav est compressé (ADPCM, MP3...) : il ne peut pas être converti, "
                                     L"rien n'a été remplacé. Répondez Non pour le mettre tel quel.");
    EXPECT_EQ(ReadBytes(replacements + L"\\adpcm.wav"), adpcm);
    ExpectNothingReplaced();

    const std::wstring original = samples + L"\\porte.wav";
    SetFileAttributesW(original.c_str(), FILE_ATTRIBUTE_READONLY);
    PickBoth(L"porte.wav", L"stereo.wav");
    dialogs.Answer(DialogButton::Yes);
    dialogs.Answer(DialogButton::Ok);
    Click(id::BitBtn1);
    SetFileAttributesW(original.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(LastMessageText(), L"Le son original est en lecture seule, il n'a pas été remplacé :\n" + original);
    ExpectNothingReplaced();
    EXPECT_FALSE(Exists(samples + L"\\porte.bak"));
}

TEST_F(SoundAreaTest, ASampleFarTooLargeForTheGameIsRefusedBeforeAnyConversionOrCopy)
{
    WriteHugeWav(replacements + L"\\giga.wav", 1000000000, 11025, 8);
    WriteHugeWav(replacements + L"\\moteur.wav", 100000000, 22050, 16);  // the game's format: no question
    WriteHugeWav(replacements + L"\\long.wav", 40000000, 11025, 8);      // 160 MB once converted
    const auto sampleFiles = FilesIn(samples + L"\\");
    OpenSounds();
    for (const wchar_t* name : {L"giga.wav", L"moteur.wav"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(name)));
        dialogs.shown.clear();
        PickBoth(L"porte.wav", name);
        dialogs.Answer(DialogButton::Ok);
        const ULONGLONG start = GetTickCount64();
        Click(id::BitBtn1);
        EXPECT_LT(GetTickCount64() - start, 5000u);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Error);
        EXPECT_EQ(dialogs.shown[0].text, L"Le son " + std::wstring(name) +
                                             L" fait plus de 64 Mo, bien plus que ce que le jeu peut jouer : rien "
                                             L"n'a été remplacé.");
        ExpectNothingReplaced();
        EXPECT_EQ(FilesIn(samples + L"\\"), sampleFiles);
    }
    dialogs.shown.clear();
    PickBoth(L"porte.wav", L"long.wav");
    dialogs.Answer(DialogButton::Yes);
    dialogs.Answer(DialogButton::Ok);
    Click(id::BitBtn1);
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[1].text, L"Le son long.wav converti ferait plus de 64 Mo, bien plus que ce que le jeu peut "
                                     L"jouer : rien n'a été remplacé.");
    ExpectNothingReplaced();
    EXPECT_EQ(FilesIn(samples + L"\\"), sampleFiles);
}

TEST_F(SoundAreaTest, ALongConversionShowsItsProgressAndItsCancelLosesNothing)
{
    // 23 minutes at 11,025 Hz: 60 MB once converted, seconds of work.
    WriteBytes(replacements + L"\\long.wav", Wav(15000000, 0x50));
    const auto sampleFiles = FilesIn(samples + L"\\");
    OpenSounds();
    PickBoth(L"porte.wav", L"long.wav");
    dialogs.Answer(DialogButton::Yes);
    seenProgress = {};
    progressOwner = mainWindow;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, CancelTheProgress);
    Click(id::BitBtn1);
    KillTimer(nullptr, timer);
    EXPECT_TRUE(seenProgress.shown);
    EXPECT_EQ(seenProgress.caption, L"Conversion du son");
    EXPECT_TRUE(seenProgress.ownerDisabled);
    EXPECT_EQ(dialogs.shown.size(), 1u) << "a cancel needs no message: " << testing::PrintToString(LastMessageText());
    ExpectNothingReplaced();
    EXPECT_EQ(FilesIn(samples + L"\\"), sampleFiles);
    EXPECT_TRUE(IsWindowEnabled(mainWindow));
    HWND progress = FindWindowW(ProgressWindowClass, nullptr);
    EXPECT_TRUE(!progress || !IsWindowVisible(progress));
}

TEST_F(SoundAreaTest, AFullDiskDuringTheConvertedWriteLosesNoSample)
{
    ExpectAFullDiskLosesNoSample(StereoWav(200000, 500, 500), DialogButton::Yes);  // 200 KB once converted
}

// The system's wave player trusts the sizes a file gives and reads far past
// its end: without the check, this pick ends the program with the script.
TEST_F(SoundAreaTest, AWavWhoseChunkSizesLieNeverReachesThePlayer)
{
    Start();
    SetEditorText(L"LEVEL 1 pas encore enregistré");
    Click(id::BtEditSon);
    WriteBytes(samples + L"\\menteur.wav", Patched(porte, 16, "\xF0\xFF\xFF\xFF"));
    form->Sounds().Originals().Update();
    dialogs.Answer(DialogButton::Ok);
    ClickEntry(id::FileListBox1, L"menteur.wav");
    ASSERT_TRUE(WindowAlive());
    ASSERT_EQ(dialogs.shown.size(), 1u) << LastMessageText();
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Error);
    EXPECT_EQ(dialogs.shown[0].text, L"Fichier son incorrect : menteur.wav\ntaille de bloc fmt incorrecte");
    EXPECT_EQ(Caption(id::StaticText3), L"") << "the player was not given the file";
    EXPECT_EQ(Caption(id::LabelNum3), L"");
    EXPECT_FALSE(form->Sounds().Preview().Player().IsOpen());
    EXPECT_FALSE(form->Sounds().Preview().TimerEnabled());
    // The pick is recorded: a good sample may still replace the damaged one.
    EXPECT_EQ(Caption(id::StaticText1), L"[ menteur.wav ]");
    EXPECT_EQ(form->Sounds().FichierOriginal(), samples + L"\\menteur.wav");
    EXPECT_EQ(Caption(id::LabelFormat1), L"Fichier son incorrect");
    EXPECT_GT(WarningAndDarkPixels(Control(id::LabelFormat1)).first, 20u);
    EXPECT_EQ(EditorText(), L"LEVEL 1 pas encore enregistré");
}

TEST_F(SoundAreaTest, ADamagedReplacementIsRefusedAndADamagedOriginalIsRepaired)
{
    const std::string lying = Patched(porte, 40, "\xF0\xFF\xFF\xFF");
    WriteBytes(samples + L"\\menteur.wav", lying);
    WriteBytes(replacements + L"\\texte.wav", "ceci n'est pas un son, seulement du texte");
    WriteBytes(replacements + L"\\abime.wav", Wav(1000, 0x10).substr(0, 30));
    OpenSounds();
    ClickEntry(id::FileListBox1, L"porte.wav");
    struct Damaged {
        const wchar_t* name;
        const wchar_t* reason;
    };
    for (const Damaged& damaged : {Damaged{L"texte.wav", L"en-tête RIFF absent"},
                                   Damaged{L"abime.wav", L"taille de bloc fmt incorrecte"}}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(damaged.name)));
        dialogs.shown.clear();
        const std::wstring text = L"Fichier son incorrect : " + std::wstring(damaged.name) + L"\n" + damaged.reason;
        dialogs.Answer(DialogButton::Ok);
        dialogs.Answer(DialogButton::Ok);
        ClickEntry(id::FileListBox2, damaged.name);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].text, text);
        EXPECT_EQ(Caption(id::StaticText3), L"porte.wav") << "the preview keeps its clip";
        EXPECT_TRUE(Enabled(id::BitBtn1)) << "the pick counts";
        // The replacement reads the file again and copies nothing.
        Click(id::BitBtn1);
        ASSERT_EQ(dialogs.shown.size(), 2u);
        EXPECT_EQ(dialogs.shown[1].text, text);
        ExpectNothingReplaced();
        EXPECT_EQ(FilesIn(samples + L"\\"), (std::vector<std::wstring>{L"ancien.bak", L"Door.Wav", L"menteur.wav",
                                                                      L"notes.txt", L"porte.wav"}));
    }
    dialogs.shown.clear();
    dialogs.Answer(DialogButton::Ok);
    PickBoth(L"menteur.wav", L"grince.wav");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, L"Fichier son incorrect : menteur.wav\ntaille de bloc data incorrecte");
    Click(id::BitBtn1);
    EXPECT_EQ(dialogs.shown.size(), 1u) << LastMessageText();
    EXPECT_EQ(ReadBytes(samples + L"\\menteur.bak"), lying);
    EXPECT_EQ(ReadBytes(samples + L"\\menteur.wav"), grince);
    EXPECT_EQ(GridCell(1, 1), L"menteur.wav");
}

// Wine's wave player has no decoder for this format tag: a real file of
// sound structure that the preview cannot open.
TEST_F(SoundAreaTest, APickThePlayerCannotOpenIsReportedOnceAndStillReplaces)
{
    const std::string unknownCodec = Patched(grince, 20, "\x34\x12");
    WriteBytes(replacements + L"\\codec.wav", unknownCodec);
    OpenSounds();
    ClickEntry(id::FileListBox1, L"porte.wav");
    dialogs.Answer(DialogButton::Ok);
    ClickEntry(id::FileListBox2, L"codec.wav");
    ASSERT_EQ(dialogs.shown.size(), 1u) << LastMessageText();
    EXPECT_EQ(dialogs.shown[0].text, L"Erreur de traitement");
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Error);
    EXPECT_EQ(Caption(id::StaticText2), L"[ codec.wav ]");
    EXPECT_EQ(Caption(id::LabelNum4), L"");
    EXPECT_EQ(form->Sounds().Preview().Gauge().Progress(), 0);
    EXPECT_FALSE(form->Sounds().Preview().TimerEnabled());
    EXPECT_TRUE(Enabled(id::BitBtn1));

    dialogs.Answer(DialogButton::No);
    Click(id::BitBtn1);
    ASSERT_EQ(dialogs.shown.size(), 2u) << LastMessageText();
    EXPECT_EQ(dialogs.shown[1].kind, DialogKind::Confirmation);
    EXPECT_EQ(ReadBytes(samples + L"\\porte.bak"), porte);
    EXPECT_EQ(ReadBytes(samples + L"\\porte.wav"), unknownCodec);
    EXPECT_EQ(GridCell(1, 2), L"codec.wav");
    // No clip is open, yet a second replacement still waits for a new pick.
    dialogs.Answer(DialogButton::Ok);
    Click(id::BitBtn1);
    ASSERT_EQ(dialogs.shown.size(), 3u);
    EXPECT_EQ(dialogs.shown[2].text, msg::PickBeforeReplacingAgain);
    EXPECT_EQ(ReadBytes(samples + L"\\porte.bak"), porte);
    EXPECT_EQ(form->Sounds().Modifications().NbRemplacements(), 1);
    // The transport bar still has no clip to work on.
    Click(id::MediaPlayer1Stop);
    EXPECT_EQ(LastMessageText(), L"Aucun périphérique MCI ouvert.");
}

// A file that cannot be read is not called damaged: the player's failure is
// reported, and the copy's own error when the replacement is asked for.
TEST_F(SoundAreaTest, AReplacementHeldByAnotherProgramIsReportedAndLosesNothing)
{
    OpenSounds();
    ClickEntry(id::FileListBox1, L"porte.wav");
    const std::wstring held = replacements + L"\\grince.wav";
    HeldByAnotherProcess holder(held);
    dialogs.Answer(DialogButton::Ok);
    ClickEntry(id::FileListBox2, L"grince.wav");
    ASSERT_EQ(dialogs.shown.size(), 1u) << LastMessageText();
    EXPECT_EQ(dialogs.shown[0].text, L"Erreur de traitement");
    EXPECT_EQ(Caption(id::LabelFormat2), L"Fichier son illisible");
    EXPECT_TRUE(Enabled(id::BitBtn1));
    Click(id::BitBtn1);
    EXPECT_EQ(LastMessageText(), L"Impossible d'ouvrir le fichier " + held + L".");
    EXPECT_EQ(ReadBytes(samples + L"\\porte.wav"), porte);
    EXPECT_FALSE(Exists(samples + L"\\porte.bak"));
    EXPECT_EQ(form->Sounds().Modifications().NbRemplacements(), 0);
}

// Wine's MCI devices take names through the ANSI code page: this one opens
// only through its short name.
TEST_F(SoundAreaTest, ANameOutsideTheAnsiCodePageIsPreviewedAndReplaced)
{
    const std::wstring name = L"\x0416\x0443\x043A.wav";
    WriteBytes(replacements + L"\\" + name, grince);
    OpenSounds();
    PickBoth(L"porte.wav", name);
    EXPECT_TRUE(dialogs.shown.empty()) << LastMessageText();
    EXPECT_EQ(Number(id::LabelNum4), 100);
    EXPECT_EQ(Number(id::LabelNum3), 300);
    Click(id::BitBtn1);
    EXPECT_TRUE(dialogs.shown.empty()) << LastMessageText();
    EXPECT_EQ(ReadBytes(samples + L"\\porte.wav"), grince);
    EXPECT_EQ(GridCell(1, 2), name);
}

TEST_F(SoundAreaTest, AClipOfNoSamplesHasNoDurationAndAnEmptyGauge)
{
    OpenSounds();
    ClickEntry(id::FileListBox2, L"VIDE.WAV");
    EXPECT_TRUE(dialogs.shown.empty()) << LastMessageText();
    EXPECT_EQ(Number(id::LabelNum4), 0);
    EXPECT_EQ(form->Sounds().Preview().Gauge().MaxValue(), 0);
    EXPECT_EQ(form->Sounds().Preview().Gauge().Text(), L"0%");
}

TEST_F(SoundAreaTest, TheGaugeFollowsAPlayingClipToItsEnd)
{
    if (!HaveWaveOutput())
        GTEST_SKIP() << NoWaveOutput;
    OpenSounds(true);
    ClickEntry(id::FileListBox2, L"grince.wav");
    auto& preview = form->Sounds().Preview();
    EXPECT_TRUE(preview.TimerEnabled());
    for (int waited = 0; waited < 3000 && preview.TimerEnabled(); waited += 20) {
        Sleep(20);
        Pump();
    }
    EXPECT_FALSE(preview.TimerEnabled()) << "the timer stops once the clip has ended";
    EXPECT_EQ(preview.Gauge().Progress(), 100);
    EXPECT_EQ(preview.Gauge().Text(), L"100%");
    // Play at the end starts the clip again, and the timer with it.
    Click(id::MediaPlayer1Play);
    EXPECT_TRUE(preview.TimerEnabled());
    EXPECT_EQ(preview.Player().Mode(), MciMode::Playing);
    EXPECT_TRUE(dialogs.shown.empty()) << LastMessageText();
}

TEST_F(SoundAreaTest, TheVolumeBarTakesTheLouderChannelAndSetsBoth)
{
    if (!HaveWaveOutput() || !ReadWaveOutVolume())
        GTEST_SKIP() << NoWaveOutput;
    const auto saved = *ReadWaveOutVolume();
    waveOutSetVolume(reinterpret_cast<HWAVEOUT>(0), 1000 | (3000u << 16));
    Start();
    EXPECT_EQ(form->Sounds().Preview().VolumePosition(), 50) << "start-up leaves the volume alone";
    EXPECT_EQ(*ReadWaveOutVolume(), 1000 | (3000u << 16));
    Click(id::BtEditSon);
    EXPECT_EQ(form->Sounds().Preview().VolumePosition(), 3000);
    EXPECT_EQ(*ReadWaveOutVolume(), 3000 | (3000u << 16));
    HWND bar = Control(id::ScrollBar1);
    SendMessageW(GetParent(bar), WM_HSCROLL, SB_LEFT, reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(*ReadWaveOutVolume(), 0u);
    SendMessageW(GetParent(bar), WM_HSCROLL, SB_RIGHT, reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(*ReadWaveOutVolume(), 0xFFFFFFFFu);
    SendMessageW(GetParent(bar), WM_HSCROLL, SB_PAGELEFT, reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(form->Sounds().Preview().VolumePosition(), 65525);
    waveOutSetVolume(reinterpret_cast<HWAVEOUT>(0), saved);
}

TEST_F(SoundAreaTest, TheReportIsSavedInTheRootWithItsBackup)
{
    OpenSounds();
    PickBoth(L"porte.wav", L"grince.wav");
    Click(id::BitBtn1);
    const std::wstring path = installation / report::ReportFileName(ShortDateToday());
    dialogs.Answer(DialogButton::Ok);
    SendMessageW(GetParent(Control(id::LabelSauveSons)), WM_COMMAND, MAKEWPARAM(id::LabelSauveSons, STN_CLICKED),
                 reinterpret_cast<LPARAM>(Control(id::LabelSauveSons)));
    Pump();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Information);
    EXPECT_EQ(dialogs.shown[0].text, L"La liste des modifications a été enregistré sous\r\n" + path);
    const std::string expected = "Indice\t    Sons origineaux\t    Remplac\xE9s par\t  Anciens fichiers renom\xE9s en\r\n"
                                 "1\tporte.wav\tgrince.wav\tporte.bak\r\n";
    EXPECT_EQ(ReadBytes(path), expected);
    // A second save keeps the first report as the backup.
    WriteBytes(path, "premier rapport");
    dialogs.Answer(DialogButton::Ok);
    SendMessageW(GetParent(Control(id::LabelSauveSons)), WM_COMMAND, MAKEWPARAM(id::LabelSauveSons, STN_CLICKED),
                 reinterpret_cast<LPARAM>(Control(id::LabelSauveSons)));
    Pump();
    EXPECT_EQ(ReadBytes(ChangeFileExt(path, L".bak")), "premier rapport");
    EXPECT_EQ(ReadBytes(path), expected);
}

TEST_F(SoundAreaTest, AReadOnlyReportOrBackupIsRefusedAndLeavesNoStrayFile)
{
    OpenSounds();
    PickBoth(L"porte.wav", L"grince.wav");
    Click(id::BitBtn1);
    const std::wstring path = installation / report::ReportFileName(ShortDateToday());
    const std::wstring backup = ChangeFileExt(path, L".bak");
    const auto save = [this] {
        dialogs.shown.clear();
        dialogs.Answer(DialogButton::Ok);
        SendMessageW(GetParent(Control(id::LabelSauveSons)), WM_COMMAND, MAKEWPARAM(id::LabelSauveSons, STN_CLICKED),
                     reinterpret_cast<LPARAM>(Control(id::LabelSauveSons)));
        Pump();
    };
    WriteBytes(path, "rapport du matin");
    WriteBytes(backup, "sauvegarde protégée");
    SetFileAttributesW(backup.c_str(), FILE_ATTRIBUTE_READONLY);
    const auto rootFiles = FilesIn(installation.path());
    // Every later save of the day says the same and changes nothing.
    for (int attempt = 0; attempt < 2; ++attempt) {
        save();
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Error);
        EXPECT_EQ(dialogs.shown[0].text, L"L'ancienne sauvegarde du rapport ne peut pas être supprimée (lecture seule ?), "
                                         L"la liste des modifications n'a pas été enregistrée :\n" + backup);
        EXPECT_EQ(ReadBytes(path), "rapport du matin");
        EXPECT_EQ(ReadBytes(backup), "sauvegarde protégée");
        EXPECT_EQ(FilesIn(installation.path()), rootFiles);
    }
    SetFileAttributesW(backup.c_str(), FILE_ATTRIBUTE_NORMAL);

    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
    save();
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(LastMessageText(), L"Le rapport est en lecture seule, la liste des modifications n'a pas été "
                                 L"enregistrée :\n" + path);
    EXPECT_EQ(ReadBytes(path), "rapport du matin");
    EXPECT_EQ(FilesIn(installation.path()), rootFiles);

    // Once writable again, the save goes through and leaves just the pair.
    save();
    EXPECT_EQ(dialogs.shown.at(0).kind, DialogKind::Information);
    EXPECT_EQ(ReadBytes(backup), "rapport du matin");
    EXPECT_EQ(ReadBytes(path).rfind("Indice\t", 0), 0u);
    EXPECT_EQ(FilesIn(installation.path()), rootFiles);
}

TEST_F(SoundAreaTest, PrintingWithoutAPrinterSaysSo)
{
    wchar_t name[256];
    DWORD size = 256;
    if (GetDefaultPrinterW(name, &size))
        GTEST_SKIP() << "this session has a default printer";
    OpenSounds();
    PickBoth(L"porte.wav", L"grince.wav");
    Click(id::BitBtn1);
    SendMessageW(GetParent(Control(id::LabelModifSons)), WM_COMMAND, MAKEWPARAM(id::LabelModifSons, STN_CLICKED),
                 reinterpret_cast<LPARAM>(Control(id::LabelModifSons)));
    Pump();
    EXPECT_EQ(LastMessageText(), L"Aucune imprimante par défaut sélectionnée.");
}

TEST(GaugeTest, HoldsItsProgressWithinTheMaximumAndShowsTheWholePercentage)
{
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 50, nullptr, nullptr, nullptr, nullptr);
    TGauge gauge;
    gauge.Create(parent, 1, 0, 0, 177, 13);
    EXPECT_EQ(gauge.Text(), L"0%");
    gauge.SetMaxValue(300);
    gauge.SetProgress(100);
    EXPECT_EQ(gauge.Text(), L"33%");
    gauge.SetProgress(400);
    EXPECT_EQ(gauge.Progress(), 300);
    gauge.SetProgress(-5);
    EXPECT_EQ(gauge.Progress(), 0);
    gauge.SetProgress(250);
    gauge.SetMaxValue(200);
    EXPECT_EQ(gauge.Progress(), 200) << "a smaller maximum cuts the progress";
    EXPECT_EQ(gauge.Text(), L"100%");
    gauge.SetMaxValue(0);
    EXPECT_EQ(gauge.Progress(), 0);
    EXPECT_EQ(gauge.Text(), L"0%");
    EXPECT_EQ(TGauge::PercentDone(2147483647, 2147483647), 100) << "no overflow on long clips";
    DestroyWindow(parent);
}

} // namespace
} // namespace tessark::test
