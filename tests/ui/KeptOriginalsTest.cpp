// The game's samples kept in "Originaux" before their first replacement,
// and put back one by one or all at once, through the real window and with
// the bytes on disk.
#include "SoundAreaFixture.h"

#include "sound/ModificationList.h"
#include "util/FileNames.h"

namespace tessark::test {
namespace {

class KeptOriginalsTest : public SoundAreaTest {
protected:
    std::wstring Kept(std::wstring_view name) const { return samples + L"\\Originaux\\" + std::wstring(name); }
    void Replace(std::wstring_view original, std::wstring_view replacement)
    {
        PickBoth(original, replacement);
        Click(id::BitBtn1);
    }
    void AddReplacement(std::wstring_view name, const std::string& bytes)
    {
        WriteBytes(replacements + L"\\" + std::wstring(name), bytes);
        form->Sounds().Replacements().Update();
    }
    void ClickButton(int controlId)
    {
        SendMessageW(GetParent(Control(controlId)), WM_COMMAND, MAKEWPARAM(controlId, BN_CLICKED),
                     reinterpret_cast<LPARAM>(Control(controlId)));
        Pump();
    }
    void SelectGridRow(int row)
    {
        LVITEMW none{};
        none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(Control(id::StringGrid1), LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(&none));
        LVITEMW state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(Control(id::StringGrid1), LVM_SETITEMSTATE, row - 1, reinterpret_cast<LPARAM>(&state));
    }
    // The program ends, whatever way, and is started again from the samples' folder.
    void Restart()
    {
        form.reset();
        SetCurrentDirectoryW(samples.c_str());
        OpenSounds();
    }
    // A replacement refused because the original could not be kept: the
    // message, and every file as it was.
    void ExpectRefusedWithNothingChanged(const std::wstring& folder, const std::string& original,
                                         const std::wstring& message)
    {
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Error);
        EXPECT_EQ(dialogs.shown[0].text, message);
        EXPECT_EQ(ReadBytes(folder + L"\\porte.wav"), original);
        EXPECT_FALSE(Exists(folder + L"\\porte.bak"));
        EXPECT_EQ(form->Sounds().Modifications().NbRemplacements(), 0);
        EXPECT_EQ(GridCell(1, 1), L"");
    }
};

TEST_F(KeptOriginalsTest, TheFirstOriginalOutlivesEveryReplacementAndComesBack)
{
    const std::string autre = EngineWav(500, 0x11);
    OpenSounds();
    Replace(L"porte.wav", L"grince.wav");
    EXPECT_EQ(ReadBytes(Kept(L"porte.wav")), porte);
    EXPECT_EQ(FilesIn(samples + L"\\Originaux\\"), std::vector<std::wstring>{L"porte.wav"}) << "no temporary left";

    AddReplacement(L"autre.wav", autre);
    Replace(L"porte.wav", L"autre.wav");
    EXPECT_EQ(ReadBytes(samples + L"\\porte.bak"), grince);
    EXPECT_EQ(ReadBytes(Kept(L"porte.wav")), porte) << "written once, never again";

    // A converted replacement leaves it alone too.
    AddReplacement(L"stereo.wav", Wav(1000, 0x55, 44100, 8));
    PickBoth(L"porte.wav", L"stereo.wav");
    dialogs.Answer(DialogButton::Yes);
    Click(id::BitBtn1);
    EXPECT_EQ(ReadBytes(samples + L"\\porte.bak"), autre);
    EXPECT_EQ(ReadBytes(Kept(L"porte.wav")), porte);
    const std::string converted = ReadBytes(samples + L"\\porte.wav");

    // Picked again, the original tells what it was.
    ClickEntry(id::FileListBox1, L"porte.wav");
    EXPECT_EQ(Caption(id::LabelFormat1), L"22050 Hz · 16 bits · mono · PCM · 0,02 s");
    EXPECT_EQ(Caption(id::LabelOriginal1), L"modifié ; original conservé : 11025 Hz · 8 bits · mono · PCM · 0,30 s");

    dialogs.shown.clear();
    dialogs.Answer(DialogButton::Yes);
    ClickButton(id::BtRestaurer);
    ASSERT_EQ(dialogs.shown.size(), 1u) << LastMessageText();
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Confirmation);
    EXPECT_EQ(dialogs.shown[0].text, L"Remettre l'original conservé de porte.wav ? Le contenu actuel sera gardé en .bak.");
    EXPECT_EQ(ReadBytes(samples + L"\\porte.wav"), porte);
    EXPECT_EQ(ReadBytes(samples + L"\\porte.bak"), converted) << "the last replacement, one level deep";
    EXPECT_EQ(ReadBytes(Kept(L"porte.wav")), porte);
    EXPECT_EQ(GridDataRows(), 4);
    EXPECT_EQ(GridCell(4, 1), L"porte.wav");
    EXPECT_EQ(GridCell(4, 2), L"original restauré");
    EXPECT_EQ(GridCell(4, 3), L"porte.bak");
    EXPECT_EQ(Caption(id::LabelOriginal1), L"") << "the sample is its original again";
    EXPECT_EQ(Caption(id::LabelFormat1), L"11025 Hz : joué à la mauvaise vitesse, 8 bits — "
                                         L"11025 Hz · 8 bits · mono · PCM · 0,30 s");
    EXPECT_EQ(Number(id::LabelNum1), static_cast<int>(porte.size()));

    // Nothing differs now: nothing is asked and nothing moves.
    dialogs.shown.clear();
    dialogs.Answer(DialogButton::Ok);
    ClickButton(id::BtRestaurer);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, L"porte.wav est déjà identique à son original conservé.");
    EXPECT_EQ(ReadBytes(samples + L"\\porte.bak"), converted);
    EXPECT_EQ(FilesIn(samples + L"\\Originaux\\"), std::vector<std::wstring>{L"porte.wav"});
}

// The program may end any way between two sessions of work: the kept
// original is on disk, a later run never writes over it and still restores it.
TEST_F(KeptOriginalsTest, AfterARestartTheKeptOriginalStaysTheFirstAndComesBack)
{
    OpenSounds();
    Replace(L"porte.wav", L"grince.wav");
    Restart();
    const std::string autre = EngineWav(500, 0x11);
    AddReplacement(L"autre.wav", autre);
    Replace(L"porte.wav", L"autre.wav");
    EXPECT_EQ(ReadBytes(samples + L"\\porte.wav"), autre);
    EXPECT_EQ(ReadBytes(Kept(L"porte.wav")), porte) << "the first original, not the replacement before";
    Restart();
    ClickEntry(id::FileListBox1, L"porte.wav");
    EXPECT_EQ(Caption(id::LabelOriginal1).rfind(L"modifié ; original conservé : 11025 Hz", 0), 0u)
        << Caption(id::LabelOriginal1);
    dialogs.Answer(DialogButton::Yes);
    ClickButton(id::BtRestaurer);
    EXPECT_EQ(ReadBytes(samples + L"\\porte.wav"), porte);
    EXPECT_EQ(ReadBytes(samples + L"\\porte.bak"), autre);
    EXPECT_EQ(ReadBytes(Kept(L"porte.wav")), porte);
    EXPECT_FALSE(dialogs.unansweredQuestions());
}

TEST_F(KeptOriginalsTest, ASelectedRowRestoresItsOwnSampleAndASampleNeverReplacedHasNothingToRestore)
{
    const std::string door = ReadBytes(samples + L"\\Door.Wav");
    OpenSounds();
    dialogs.Answer(DialogButton::Ok);
    ClickEntry(id::FileListBox1, L"porte.wav");
    ClickButton(id::BtRestaurer);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Information);
    EXPECT_EQ(dialogs.shown[0].text, msg::NoKeptOriginal);
    EXPECT_EQ(Caption(id::LabelOriginal1), L"");

    Replace(L"porte.wav", L"grince.wav");
    Replace(L"Door.Wav", L"grince.wav");
    SelectGridRow(1);
    dialogs.shown.clear();
    dialogs.Answer(DialogButton::Yes);
    ClickButton(id::BtRestaurer);
    ASSERT_EQ(dialogs.shown.size(), 1u) << LastMessageText();
    EXPECT_EQ(dialogs.shown[0].text, L"Remettre l'original conservé de porte.wav ? Le contenu actuel sera gardé en .bak.");
    EXPECT_EQ(ReadBytes(samples + L"\\porte.wav"), porte);
    EXPECT_EQ(ReadBytes(samples + L"\\Door.Wav"), grince) << "the picked original is not the one chosen";
    EXPECT_EQ(ReadBytes(Kept(L"Door.Wav")), door);
    EXPECT_EQ(GridCell(3, 1), L"porte.wav");

    // Answering No changes nothing.
    SelectGridRow(2);
    dialogs.Answer(DialogButton::No);
    ClickButton(id::BtRestaurer);
    EXPECT_EQ(ReadBytes(samples + L"\\Door.Wav"), grince);
    EXPECT_EQ(GridDataRows(), 3);
}

TEST_F(KeptOriginalsTest, RestoreAllListsTheChangedSamplesAndAHeldOneStopsNoneOfTheOthers)
{
    const std::wstring kept = samples + L"\\Originaux";
    ASSERT_TRUE(CreateDirectoryW(kept.c_str(), nullptr));
    const std::vector<std::wstring> names = {L"a.wav", L"b.wav", L"c.wav", L"d.wav", L"e.wav"};
    for (std::size_t i = 0; i < names.size(); ++i) {
        WriteBytes(kept + L"\\" + names[i], GameWav());
        WriteBytes(samples + L"\\" + names[i], Wav(100 + static_cast<std::uint32_t>(i), 0x40));
    }
    WriteBytes(kept + L"\\pareil.wav", grince);
    WriteBytes(samples + L"\\pareil.wav", grince);
    OpenSounds();
    const std::wstring held = samples + L"\\c.wav";
    HeldByAnotherProcess holder(held);

    dialogs.Answer(DialogButton::Yes);
    dialogs.Answer(DialogButton::Ok);
    ClickButton(id::BtRestaurerTous);
    ASSERT_EQ(dialogs.shown.size(), 2u) << LastMessageText();
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Confirmation);
    const std::wstring& question = dialogs.shown[0].text;
    EXPECT_TRUE(question.starts_with(L"Ces sons diffèrent de leur original conservé (5). Remettre tous les originaux ?"))
        << question;
    EXPECT_NE(question.find(L"\na.wav\n    original : 22050 Hz · 16 bits · mono · PCM · 0,45 s, 19890 octets\n"
                            L"    actuel : 11025 Hz · 8 bits · mono · PCM · 0,01 s, 144 octets\n"),
              std::wstring::npos)
        << question;
    EXPECT_NE(question.find(L"\ne.wav\n"), std::wstring::npos);
    EXPECT_EQ(question.find(L"pareil.wav"), std::wstring::npos) << "it is its original";
    EXPECT_EQ(question.find(L"porte.wav"), std::wstring::npos) << "it has no kept original";

    EXPECT_EQ(dialogs.shown[1].kind, DialogKind::Error);
    EXPECT_EQ(dialogs.shown[1].text, L"Originaux remis : 4.\n\nCes sons n'ont pas pu être remis à leur original et "
                                     L"sont restés tels quels :\nc.wav : Le son ne peut pas être renommé en .bak, son "
                                     L"original n'a pas été remis :\n" + held);
    for (std::size_t i = 0; i < names.size(); ++i) {
        SCOPED_TRACE(testing::PrintToString(names[i]));
        const std::string changed = Wav(100 + static_cast<std::uint32_t>(i), 0x40);
        EXPECT_EQ(ReadBytes(kept + L"\\" + names[i]), GameWav());
        if (names[i] == L"c.wav")
            continue;
        EXPECT_EQ(ReadBytes(samples + L"\\" + names[i]), GameWav());
        EXPECT_EQ(ReadBytes(ChangeFileExt(samples + L"\\" + names[i], L".bak")), changed);
    }
    EXPECT_EQ(form->Sounds().Modifications().NbRemplacements(), 4);
    EXPECT_EQ(GridCell(3, 1), L"d.wav");
    EXPECT_EQ(GridCell(3, 2), L"original restauré");
    EXPECT_FALSE(Exists(samples + L"\\c.bak"));
}

// The question shows a few samples, so that its buttons stay on the
// screen; every one of them is restored all the same.
TEST_F(KeptOriginalsTest, RestoreAllOfManySamplesListsAFewAndRestoresThemAll)
{
    const std::wstring kept = samples + L"\\Originaux";
    ASSERT_TRUE(CreateDirectoryW(kept.c_str(), nullptr));
    for (int i = 0; i < 10; ++i) {
        const std::wstring name = L"son" + std::to_wstring(i) + L".wav";
        WriteBytes(kept + L"\\" + name, GameWav());
        WriteBytes(samples + L"\\" + name, Wav(50, static_cast<char>(i)));
    }
    OpenSounds();
    dialogs.Answer(DialogButton::Yes);
    dialogs.Answer(DialogButton::Ok);
    ClickButton(id::BtRestaurerTous);
    ASSERT_EQ(dialogs.shown.size(), 2u);
    const std::wstring& question = dialogs.shown[0].text;
    EXPECT_NE(question.find(L"\nson7.wav\n"), std::wstring::npos) << question;
    EXPECT_EQ(question.find(L"son8.wav"), std::wstring::npos) << question;
    EXPECT_TRUE(question.ends_with(L"\n… et 2 autres sons.")) << question;
    EXPECT_EQ(dialogs.shown[1].kind, DialogKind::Information);
    EXPECT_EQ(dialogs.shown[1].text, L"Originaux remis : 10.");
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(ReadBytes(samples + L"\\son" + std::to_wstring(i) + L".wav"), GameWav()) << i;

    // Once all are back, there is nothing left to restore.
    dialogs.Answer(DialogButton::Ok);
    ClickButton(id::BtRestaurerTous);
    ASSERT_EQ(dialogs.shown.size(), 3u);
    EXPECT_EQ(dialogs.shown[2].text,
              L"Aucun son de ce dossier ne diffère de son original conservé :\n" +
                  form->Sounds().OriginalFolders().Directory());
}

TEST_F(KeptOriginalsTest, AnOriginalThatCannotBeKeptIsNotReplaced)
{
    const std::wstring folder = samples + L"\\Originaux";
    OpenSounds();
    WriteBytes(folder, "un fichier, pas un dossier");
    dialogs.Answer(DialogButton::Ok);
    Replace(L"porte.wav", L"grince.wav");
    ExpectRefusedWithNothingChanged(samples, porte,
                                    L"Un fichier porte le nom du dossier « Originaux » où la copie de l'original doit "
                                    L"être gardée, le son n'a pas été remplacé :\n" + folder);
    EXPECT_EQ(ReadBytes(folder), "un fichier, pas un dossier");
    ASSERT_TRUE(DeleteFileW(folder.c_str()));

    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    // The kept originals themselves are never replaced.
    dialogs.shown.clear();
    WriteBytes(folder + L"\\porte.wav", porte);
    ASSERT_TRUE(form->Sounds().OriginalFolders().SetDirectory(folder));
    dialogs.Answer(DialogButton::Ok);
    Replace(L"porte.wav", L"grince.wav");
    ExpectRefusedWithNothingChanged(folder, porte,
                                    L"Ce son est une copie gardée d'un original : il ne peut pas être remplacé.\n" +
                                        folder + L"\\porte.wav");
}

TEST_F(KeptOriginalsTest, AReadOnlyFolderOfOriginalsRefusesTheReplacement)
{
    const std::wstring folder = samples + L"\\Originaux";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_READONLY);
    if (!(GetFileAttributesW(folder.c_str()) & FILE_ATTRIBUTE_READONLY)) {
        RemoveDirectoryW(folder.c_str());
        GTEST_SKIP() << "this system keeps no read-only attribute on a folder (Wine)";
    }
    OpenSounds();
    dialogs.Answer(DialogButton::Ok);
    Replace(L"porte.wav", L"grince.wav");
    SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    ExpectRefusedWithNothingChanged(samples, porte,
                                    L"Le dossier « Originaux » est en lecture seule : la copie de l'original ne peut "
                                    L"pas y être gardée, le son n'a pas été remplacé :\n" + folder);
    EXPECT_EQ(FilesIn(folder + L"\\"), std::vector<std::wstring>{});
}

// Writes until the disk has no room left.
void FillDisk(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    const std::string chunk(512, 'x');
    DWORD written = 0;
    while (WriteFile(file, chunk.data(), static_cast<DWORD>(chunk.size()), &written, nullptr) &&
           written == chunk.size()) {
    }
    CloseHandle(file);
}

TEST_F(KeptOriginalsTest, AFullDiskRefusesTheReplacementBeforeAnythingMoves)
{
    const auto disk = TinyDisk();
    if (!disk)
        GTEST_SKIP() << NoTinyDisk;
    const std::wstring folder = *disk + L"\\pleins", kept = folder + L"\\Originaux";
    CreateDirectoryW(folder.c_str(), nullptr);
    CreateDirectoryW(kept.c_str(), nullptr);
    const std::string small = Wav(8000, 0x22);
    WriteBytes(folder + L"\\porte.wav", small);
    FillDisk(folder + L"\\remplissage");
    OpenSounds();
    ASSERT_TRUE(form->Sounds().OriginalFolders().SetDirectory(folder));
    ASSERT_TRUE(form->Sounds().ReplacementFolders().SetDirectory(replacements));
    dialogs.Answer(DialogButton::Ok);
    Replace(L"porte.wav", L"grince.wav");
    ExpectRefusedWithNothingChanged(folder, small,
                                    L"Disque plein : la copie de l'original n'a pas pu être écrite dans « Originaux », "
                                    L"le son n'a pas été remplacé :\n" + kept + L"\\porte.wav");
    EXPECT_EQ(FilesIn(kept + L"\\"), std::vector<std::wstring>{}) << "no half-written copy";
    EXPECT_EQ(FilesIn(folder + L"\\"), (std::vector<std::wstring>{L"porte.wav", L"remplissage"}));
    DeleteFileW((folder + L"\\remplissage").c_str());
    DeleteFileW((folder + L"\\porte.wav").c_str());
    RemoveDirectoryW(kept.c_str());
    RemoveDirectoryW(folder.c_str());
}

} // namespace
} // namespace tessark::test
