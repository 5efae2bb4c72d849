// "Convertir le Script" where Script.exe cannot run, and the menu's
// "Compiler avec Tessark" and "Lire le SCRIPT.DAT": Tessark's own compiler
// writes the editor's bytes, or nothing at all.
#include "UiHarness.h"

#include "../core/FieldFiles.h"
#include "script/DosBox.h"
#include "ui/ControlIds.h"

#include <algorithm>

namespace tessark::test {
namespace {

class BuiltInCompilationTest : public MainWindowTest {
protected:
    void TearDown() override
    {
        SetEnvironmentVariableW(DosBoxVariable, nullptr);
        MainWindowTest::TearDown();
    }
    // A reference folder of the field: its script and language texts put in
    // the installation's script folder; false when the field is absent.
    bool InstallFieldScript(std::string_view folder, std::vector<std::string_view> languages)
    {
        const std::string base = "compiler/" + std::string(folder) + "/";
        const auto text = FieldFile(base + "SCRIPT.TXT");
        if (!text)
            return false;
        WriteBytes(script, *text);
        for (std::string_view language : languages)
            WriteBytes(In(language, L".TXT"), FieldFile(base + std::string(language) + ".TXT").value());
        return true;
    }
    std::wstring In(std::string_view stem, std::wstring_view extension) const
    {
        return installation / (L"script\\" + std::wstring(stem.begin(), stem.end()) + std::wstring(extension));
    }
    void InstallDosCompiler()
    {
        std::string dosProgram(0x40, '\0');
        dosProgram.replace(0, 2, "MZ");
        WriteBytes(compiler, dosProgram);
        SetEnvironmentVariableW(DosBoxVariable, L"none");
    }
    void OpenScriptEditor()
    {
        Start();
        dialogs.ChooseFile(script);
        Click(id::BtEditScript);
    }
    // The check finds the reference scripts' level files missing here: the
    // user compiles all the same.
    void CompileDespiteFindings() { dialogs.Answer(DialogButton::Yes); }

    std::wstring script = installation / L"script\\script.txt";
    std::wstring compiler = installation / L"script\\Script.exe";
};

TEST_F(BuiltInCompilationTest, ADosCompilerWithoutDosBoxLeavesTheWorkToTessarkWithTheEditorsBytes)
{
    TESSARK_SKIP_WITHOUT_FIELD();
    ASSERT_TRUE(InstallFieldScript("all-commands", {"ENGLISH", "FRENCH"}));
    InstallDosCompiler();
    OpenScriptEditor();
    CompileDespiteFindings();
    Click(id::BtConvertScript);

    EXPECT_FALSE(dialogs.unansweredQuestions());
    for (const char* name : {"SCRIPT", "ENGLISH", "FRENCH"})
        EXPECT_EQ(ReadBytes(In(name, L".DAT")), FieldFile(std::string("compiler/all-commands/") + name + ".DAT").value_or("(absent)"))
            << name;
    EXPECT_TRUE(ReportHas(L"Script compilé par Tessark : SCRIPT.DAT, ENGLISH.DAT, FRENCH.DAT"));
    EXPECT_TRUE(ReportHas(L"Script.exe est un programme DOS et DOSBox est introuvable (" + compiler +
                          L") : Tessark compile le script lui-même."));
    // No message: the report tells it all; the error kinds are for failures.
    for (const auto& shown : dialogs.shown)
        EXPECT_NE(shown.kind, DialogKind::Error) << shown.text;
}

TEST_F(BuiltInCompilationTest, WithoutAnyScriptExeTessarkCompilesAndTheMenuReadsWhatItWrote)
{
    TESSARK_SKIP_WITHOUT_FIELD();
    ASSERT_TRUE(InstallFieldScript("tr4-template", {"ENGLISH"}));
    OpenScriptEditor();
    CompileDespiteFindings();
    Click(id::BtConvertScript);
    EXPECT_EQ(ReadBytes(In("SCRIPT", L".DAT")), FieldFile("compiler/tr4-template/SCRIPT.DAT").value_or("(absent)"));
    EXPECT_EQ(ReadBytes(In("ENGLISH", L".DAT")), FieldFile("compiler/tr4-template/ENGLISH.DAT").value_or("(absent)"));
    EXPECT_TRUE(ReportHas(L"Script.exe est introuvable (" + compiler + L") : Tessark compile le script lui-même."));

    Menu(id::LireScriptDat1);
    const auto lines = ReportShown();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), L"Contenu de " + In("SCRIPT", L".DAT") + L" :");
    EXPECT_TRUE(ReportHas(L"Fichiers de langue : ENGLISH.DAT")) << "what SCRIPT.DAT holds";
}

TEST_F(BuiltInCompilationTest, AScriptErrorIsNamedWithItsLineAndChangesNoFile)
{
    WriteBytes(script, "[Language]\r\nFile= 0,ENGLISH.TXT\r\n[Level]\r\nName= Niveau 3\r\nLevel= DATA\\UN,101\r\n");
    WriteBytes(In("ENGLISH", L".TXT"), "[Strings]\r\nNiveau 1\r\n[PSXStrings]\r\n[PCStrings]\r\n");
    WriteBytes(In("SCRIPT", L".DAT"), "ancien script");
    OpenScriptEditor();
    CompileDespiteFindings();
    dialogs.Answer(DialogButton::Ok);
    Menu(id::CompilerTessark1);

    ASSERT_FALSE(dialogs.shown.empty());
    const ShownMessage& refusal = dialogs.shown.back();
    EXPECT_EQ(refusal.kind, DialogKind::Error);
    EXPECT_NE(refusal.text.find(L"Ligne 4"), std::wstring::npos) << refusal.text;
    EXPECT_NE(refusal.text.find(L"Niveau 3"), std::wstring::npos) << refusal.text;
    EXPECT_TRUE(ReportHas(L"Aucun fichier n'a été changé."));
    EXPECT_EQ(ReadBytes(In("SCRIPT", L".DAT")), "ancien script");
    EXPECT_FALSE(Exists(In("ENGLISH", L".DAT")));
}

TEST_F(BuiltInCompilationTest, ALanguageFileThatCannotBeReplacedKeepsEveryOldFile)
{
    TESSARK_SKIP_WITHOUT_FIELD();
    ASSERT_TRUE(InstallFieldScript("all-commands", {"ENGLISH", "FRENCH"}));
    for (const char* name : {"SCRIPT", "ENGLISH", "FRENCH"})
        WriteBytes(In(name, L".DAT"), std::string("ancien ") + name);
    OpenScriptEditor();

    SetFileAttributesW(In("FRENCH", L".DAT").c_str(), FILE_ATTRIBUTE_READONLY);
    CompileDespiteFindings();
    dialogs.Answer(DialogButton::Ok);
    Menu(id::CompilerTessark1);
    SetFileAttributesW(In("FRENCH", L".DAT").c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.shown.back().text, L"Les fichiers compilés n'ont pas pu être écrits :\nImpossible de créer le fichier " +
                                             In("FRENCH", L".DAT") + L"\n\nAucun fichier n'a été changé.");
    for (const char* name : {"SCRIPT", "ENGLISH", "FRENCH"})
        EXPECT_EQ(ReadBytes(In(name, L".DAT")), std::string("ancien ") + name);

    {
        HeldByAnotherProcess holder(In("ENGLISH", L".DAT"));
        CompileDespiteFindings();
        dialogs.Answer(DialogButton::Ok);
        Menu(id::CompilerTessark1);
    }
    for (const char* name : {"SCRIPT", "ENGLISH", "FRENCH"})
        EXPECT_EQ(ReadBytes(In(name, L".DAT")), std::string("ancien ") + name);
    EXPECT_FALSE(dialogs.unansweredQuestions());
}

TEST_F(BuiltInCompilationTest, AUtf8LanguageFileIsOfferedWindows1252WithItsTextKeptAsBak)
{
    const std::string utf8 = "\xEF\xBB\xBF[Strings]\r\nCaf\xC3\xA9 \xD0\x96\r\n[PSXStrings]\r\n[PCStrings]\r\n";
    WriteBytes(script, "[Language]\r\nFile= 0,ENGLISH.TXT\r\n[Level]\r\nName= Caf\xE9 ?\r\nLevel= DATA\\UN,101\r\n");
    WriteBytes(In("ENGLISH", L".TXT"), utf8);
    OpenScriptEditor();

    // Non leaves the file as it is.
    dialogs.Answer(DialogButton::No);
    dialogs.Answer(DialogButton::Yes);  // the check's findings
    dialogs.Answer(DialogButton::Ok);   // its UTF-8 strings do not hold the level's name
    Menu(id::CompilerTessark1);
    ASSERT_FALSE(dialogs.shown.empty());
    const std::wstring question = dialogs.shown.front().text;
    EXPECT_EQ(question.rfind(L"« ENGLISH.TXT » est en UTF-8", 0), 0u) << question;
    EXPECT_NE(question.find(L"Ligne 2 : « Ж »"), std::wstring::npos) << question;
    EXPECT_EQ(ReadBytes(In("ENGLISH", L".TXT")), utf8);
    EXPECT_FALSE(Exists(In("ENGLISH", L".bak")));

    dialogs.shown.clear();
    dialogs.Answer(DialogButton::Yes);  // convert
    dialogs.Answer(DialogButton::Yes);  // the check's findings: the level file is missing
    Menu(id::CompilerTessark1);
    EXPECT_FALSE(dialogs.unansweredQuestions());
    EXPECT_EQ(ReadBytes(In("ENGLISH", L".TXT")), "[Strings]\r\nCaf\xE9 ?\r\n[PSXStrings]\r\n[PCStrings]\r\n");
    EXPECT_EQ(ReadBytes(In("ENGLISH", L".bak")), utf8);
}

} // namespace
} // namespace tessark::test
