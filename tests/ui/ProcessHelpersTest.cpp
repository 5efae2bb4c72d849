// Starting the level editor's tools: through the shell, and run to their end.
#include "UiHarness.h"

#include "util/CommandLine.h"
#include "util/FmxUtils.h"
#include "util/RunAndWait.h"

#include <shellapi.h>

namespace tessark::test {
namespace {

// A script folder whose path is long and holds blanks, with the stand-in
// compiler and a script in it.
class ProcessHelpersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CopyFileW(TESSARK_SCRIPT_STANDIN, compiler.c_str(), FALSE));
        WriteBytes(scriptFolder + L"\\script.txt", "[Level]\r\nName= Essai\r\n");
    }
    void TearDown() override { SetEnvironmentVariableW(L"TESSARK_STANDIN_DELAY_MS", nullptr); }

    bool WaitForFile(const std::wstring& path, DWORD milliseconds)
    {
        for (DWORD waited = 0; waited < milliseconds; waited += 50) {
            if (Exists(path))
                return true;
            Sleep(50);
        }
        return Exists(path);
    }

    TempFolder folder{L"tessark outils"};
    std::wstring scriptFolder = MakeLongFolder();
    std::wstring compiler = scriptFolder + L"\\Script.exe";
    std::wstring output = scriptFolder + L"\\script.dat";

private:
    std::wstring MakeLongFolder()
    {
        std::wstring path = folder / L"un dossier au nom bien plus long que soixante-dix-neuf caractères";
        CreateDirectoryW(path.c_str(), nullptr);
        path += L"\\et encore un autre niveau de dossiers\u00A0pour le script";
        CreateDirectoryW(path.c_str(), nullptr);
        return path;
    }
};

TEST_F(ProcessHelpersTest, ShellStartHandsLongTextsOnWholeAndDoesNotWait)
{
    ASSERT_GT(compiler.size(), 160u);
    const auto code = ShellStart(nullptr, compiler, L"script.txt", scriptFolder, SW_HIDE);
    EXPECT_GT(code, 32);
    EXPECT_TRUE(WaitForFile(output, 10000)) << "the program ran in the given folder";
}

TEST_F(ProcessHelpersTest, ShellStartGivesTheShellsCodeForWhatCannotStart)
{
    EXPECT_EQ(ShellStart(nullptr, scriptFolder + L"\\absent.exe", L"", L"", SW_HIDE), SE_ERR_FNF);
    WriteBytes(scriptFolder + L"\\texte.exe", "pas un programme");
    EXPECT_LE(ShellStart(nullptr, scriptFolder + L"\\texte.exe", L"", L"", SW_HIDE), 32);
}

TEST_F(ProcessHelpersTest, RunAndWaitReturnsOnlyOnceTheProgramHasEnded)
{
    SetEnvironmentVariableW(L"TESSARK_STANDIN_DELAY_MS", L"700");
    const ULONGLONG start = GetTickCount64();
    EXPECT_TRUE(RunAndWait(CommandLine(compiler, {L"script.txt"}), scriptFolder));
    EXPECT_GE(GetTickCount64() - start, 700u);
    EXPECT_TRUE(Exists(output)) << "the output is there when the wait ends";
}

TEST_F(ProcessHelpersTest, RunAndWaitFailsAtOnceWhenNothingCanStart)
{
    const ULONGLONG start = GetTickCount64();
    EXPECT_FALSE(RunAndWait(CommandLine(scriptFolder + L"\\absent.exe", {L"script.txt"})));
    WriteBytes(scriptFolder + L"\\texte.exe", "pas un programme");
    EXPECT_FALSE(RunAndWait(CommandLine(scriptFolder + L"\\texte.exe", {})));
    EXPECT_LT(GetTickCount64() - start, 2000u);
}

TEST(CommandLine, EveryArgumentComesBackWholeFromThePlatformsParsing)
{
    const std::vector<std::wstring> arguments = {
        L"simple", L"avec blanc", L"", L"\"", L"a\\\"b", L"C:\\dossier avec blanc\\", L"fin\\\\",
        L"\\\\serveur\\partage\\x y", L"tab\there", L"é ü \u00A0",
    };
    std::wstring line = CommandLine(L"C:\\Program Files\\Outil\\Script.exe", {});
    for (const auto& argument : arguments)
        line += L" " + QuoteArgument(argument);
    int count = 0;
    LPWSTR* parsed = CommandLineToArgvW(line.c_str(), &count);
    ASSERT_NE(parsed, nullptr);
    ASSERT_EQ(count, static_cast<int>(arguments.size()) + 1);
    EXPECT_STREQ(parsed[0], L"C:\\Program Files\\Outil\\Script.exe");
    for (std::size_t i = 0; i < arguments.size(); ++i)
        EXPECT_EQ(parsed[i + 1], arguments[i]) << "argument " << i;
    LocalFree(parsed);
}

} // namespace
} // namespace tessark::test
