// Saving never loses the user's file: failures are reported and the file on
// disk is either the old one or the new one, whole.
#include "UiHarness.h"

namespace tessark::test {
namespace {

class ScriptSaveTest : public MainWindowTest {
protected:
    void OpenChanged(const std::wstring& path, const std::string& before, std::wstring_view after)
    {
        WriteBytes(path, before);
        if (!form)
            Start();
        dialogs.ChooseFile(path);
        Click(id::BtEditScript);
        SetEditorText(after);
    }
    void ExpectCannotCreate(const std::wstring& path)
    {
        ASSERT_FALSE(dialogs.shown.empty());
        EXPECT_EQ(dialogs.shown.back().how, ShownMessage::Kind::Failure);
        EXPECT_EQ(dialogs.shown.back().text, L"Impossible de créer le fichier " + path + L".");
        EXPECT_EQ(StatusPanel(1), L"Modified") << "the text still has unsaved changes";
    }
    std::wstring script = installation / L"script\\script.txt";
};

TEST_F(ScriptSaveTest, AReadOnlyScriptIsReportedAndLeftAsItWas)
{
    OpenChanged(script, "ancien", L"nouveau");
    SetFileAttributesW(script.c_str(), FILE_ATTRIBUTE_READONLY);
    PressShortcut('S', true);
    ExpectCannotCreate(script);
    EXPECT_EQ(ReadBytes(script), "ancien");
    EXPECT_EQ(FilesIn(installation / L"script\\"), std::vector<std::wstring>{L"script.txt"});
}

TEST_F(ScriptSaveTest, AScriptLockedByAnotherProgramIsReportedAndLeftAsItWas)
{
    OpenChanged(script, "ancien", L"nouveau");
    {
        HeldByAnotherProcess holder(script);
        ClickToolButton(id::BtSauve);
    }
    ExpectCannotCreate(script);
    EXPECT_EQ(ReadBytes(script), "ancien");
    EXPECT_EQ(FilesIn(installation / L"script\\"), std::vector<std::wstring>{L"script.txt"});
}

TEST_F(ScriptSaveTest, AFolderChosenAsTheTargetIsRefused)
{
    OpenChanged(script, "ancien", L"nouveau");
    const std::wstring folder = installation / L"dossier";
    CreateDirectoryW(folder.c_str(), nullptr);
    dialogs.ChooseFile(folder);
    ClickToolButton(id::BtImprime);
    ExpectCannotCreate(folder);
    EXPECT_EQ(form->Script().DocumentName(), script);
}

TEST_F(ScriptSaveTest, SavingUnderANameAsksBeforeOverwritingAndOnlyOuiWrites)
{
    OpenChanged(script, "ancien", L"nouveau");
    const std::wstring other = installation / L"Copie à part.txt";
    WriteBytes(other, "autre");
    for (auto answer : {DialogButton::No, DialogButton::Cancel}) {
        dialogs.ChooseFile(other);
        dialogs.Answer(answer);
        ClickToolButton(id::BtImprime);
        EXPECT_EQ(dialogs.shown.back().text, L"OK to overwrite " + other);
        EXPECT_EQ(ReadBytes(other), "autre");
        EXPECT_EQ(form->Script().DocumentName(), script);
    }
    dialogs.ChooseFile(other);
    dialogs.Answer(DialogButton::Yes);
    ClickToolButton(id::BtImprime);
    EXPECT_EQ(ReadBytes(other), "nouveau");
    EXPECT_EQ(form->Script().DocumentName(), other);
    EXPECT_EQ(StatusPanel(1), L"");
    EXPECT_EQ(Caption(id::StaticTextFichier), L"script.txt") << "keeps the name of the file last opened";
    ASSERT_FALSE(dialogs.saveRequests.empty());
    EXPECT_EQ(dialogs.saveRequests.back().filter, L"Fichier texte (*.TXT)|*.TXT");
    EXPECT_EQ(dialogs.saveRequests.back().fileName, other);

    const std::wstring bare = installation / L"sans extension";
    dialogs.ChooseFile(bare);
    ClickToolButton(id::BtImprime);
    EXPECT_EQ(ReadBytes(bare), "nouveau") << "no extension is added";
}

TEST_F(ScriptSaveTest, NewTextIsSavedUnderAChosenNameWithCrLf)
{
    Start();
    WriteBytes(script, "");
    dialogs.ChooseFile(script);
    Click(id::BtEditScript);
    PressShortcut('N', true);
    SetEditorText(L"ligne 1\rligne 2\r");
    const std::wstring chosen = installation / L"nouveau niveau.txt";
    dialogs.ChooseFile(chosen);
    PressShortcut('S', true);
    EXPECT_EQ(ReadBytes(chosen), "ligne 1\r\nligne 2\r\n");
    EXPECT_EQ(form->Script().DocumentName(), chosen);
}

TEST_F(ScriptSaveTest, CancellingTheSaveDialogAfterOuiKeepsTheWindowAndTheText)
{
    Start();
    WriteBytes(script, "");
    dialogs.ChooseFile(script);
    Click(id::BtEditScript);
    PressShortcut('N', true);
    SetEditorText(L"précieux");
    dialogs.Answer(DialogButton::Yes);
    dialogs.ChooseFile(std::nullopt);
    CloseWindow();
    EXPECT_TRUE(WindowAlive());
    EXPECT_EQ(EditorText(), L"précieux");
}

TEST_F(ScriptSaveTest, AFullDiskLeavesTheOldScriptWhole)
{
    const auto disk = TinyDisk();
    if (!disk)
        GTEST_SKIP() << NoTinyDisk;
    const std::wstring file = *disk + L"\\script.txt";
    const std::string before(20 * 1024, 'a');
    OpenChanged(file, before, std::wstring(200 * 1024, L'b'));
    PressShortcut('S', true);
    ExpectCannotCreate(file);
    EXPECT_EQ(ReadBytes(file), before);
    EXPECT_EQ(FilesIn(*disk + L"\\"), std::vector<std::wstring>{L"script.txt"});
    DeleteFileW(file.c_str());
}

} // namespace
} // namespace tessark::test
