// "Convertir le Script" on a TRNG script: NG Center compiles it where the
// installation has it; the classic compilers, which drop its NG data, only
// when the user says so.
#include "UiHarness.h"

#include "ui/ControlIds.h"

#include <algorithm>

namespace tessark::test {
namespace {

class TrngCompilationTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        WriteBytes(script, "[Options]\r\nDiagnostic= ENABLED\r\n[Language]\r\nFile= 0,ENGLISH.TXT\r\n"
                           "[Level]\r\nName= Le Caire\r\nLevel= DATA\\CAIRE,101\r\n");
        WriteBytes(installation / L"script\\ENGLISH.TXT", "[Strings]\r\nLe Caire\r\n[PSXStrings]\r\n[PCStrings]\r\n");
        CreateDirectoryW((installation / L"data").c_str(), nullptr);
        WriteBytes(installation / L"data\\CAIRE.tr4", "niveau");
    }
    void OpenScriptEditor()
    {
        Start();
        dialogs.ChooseFile(script);
        Click(id::BtEditScript);
    }

    std::wstring script = installation / L"script\\script.txt";
    std::wstring scriptDat = installation / L"script\\script.dat";
};

TEST_F(TrngCompilationTest, WithoutNgCenterTheUserIsToldTheNgDataWouldBeLostAndNoSaysNothingIsCompiled)
{
    WriteBytes(scriptDat, "ancien");
    OpenScriptEditor();
    dialogs.Answer(DialogButton::No);
    Click(id::BtConvertScript);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Warning);
    EXPECT_EQ(dialogs.shown[0].text.rfind(L"Ce script est un script TRNG (ligne 2 : « Diagnostic »).", 0), 0u)
        << dialogs.shown[0].text;
    EXPECT_NE(dialogs.shown[0].text.find(L"Installez TRNG"), std::wstring::npos);
    EXPECT_EQ(ReadBytes(scriptDat), "ancien");

    // Yes: Tessark's compiler (there is no Script.exe), and the report says what was lost.
    dialogs.Answer(DialogButton::Yes);
    Click(id::BtConvertScript);
    EXPECT_FALSE(dialogs.unansweredQuestions());
    EXPECT_TRUE(ReportHas(L"Script TRNG compilé sans ses données NG (2 : « Diagnostic »)."));
    EXPECT_TRUE(ReportHas(L"Script compilé par Tessark : SCRIPT.DAT, ENGLISH.DAT"));
    EXPECT_NE(ReadBytes(scriptDat), "ancien");
}

TEST_F(TrngCompilationTest, NgCenterCompilesTheScriptAndItsNgBlockIsChecked)
{
    ASSERT_TRUE(CopyFileW(TESSARK_NG_CENTER_STANDIN, (installation / L"NG_Center.exe").c_str(), FALSE));
    OpenScriptEditor();
    Click(id::BtConvertScript);
    EXPECT_TRUE(dialogs.shown.empty()) << dialogs.shown.front().text;
    const std::string dat = ReadBytes(scriptDat);
    ASSERT_GE(dat.size(), 8u);
    EXPECT_EQ(dat.substr(dat.size() - 8, 4), "NGLE");
    EXPECT_TRUE(ReportHas(L"Script TRNG (ligne 2 : « Diagnostic ») : NG Center le compile."));
    EXPECT_TRUE(ReportHas(L"NG Center a écrit " + scriptDat + L" avec ses données NG."));
    EXPECT_TRUE(ReportHas(L"NG Center stand-in: script.dat written with its NG block"));
}

} // namespace
} // namespace tessark::test
