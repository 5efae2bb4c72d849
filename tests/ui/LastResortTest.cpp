// The last-resort guard in a program that really dies: a child process with
// the real main window, a loaded document and typed text, ended by a fault
// nothing catches. What it leaves on disk and says is checked from here.
#include "UiHarness.h"

namespace tessark::test {
namespace {

constexpr DWORD AccessViolation = 0xC0000005;
constexpr DWORD StackOverflow = 0xC00000FD;
constexpr DWORD Terminated = 3;
const std::wstring Fatal = L"Tessark a rencontré une erreur inattendue et doit se fermer.";

class LastResortTest : public ::testing::Test {
protected:
    void SetUp() override { CreateDirectoryW((installation / L"script").c_str(), nullptr); }

    // Runs the crashing editor to its end; returns its exit code.
    DWORD Crash(const std::wstring& document, std::wstring_view fault, std::wstring_view typed)
    {
        std::wstring line = L"\"" + std::wstring(TESSARK_CRASHING_EDITOR) + L"\" \"" + installation.path() +
                            L"\\\" \"" + document + L"\" " + std::wstring(fault) + L" \"" + std::wstring(typed) +
                            L"\" \"" + messageFile + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
            ADD_FAILURE() << "the crashing editor could not be started";
            return 0;
        }
        CloseHandle(process.hThread);
        if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) {
            TerminateProcess(process.hProcess, 99);
            ADD_FAILURE() << "the crashing editor did not end";
        }
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hProcess);
        return code;
    }
    std::wstring ShownMessage()
    {
        if (!Exists(messageFile))
            return L"(no message box)";
        const std::string bytes = ReadBytes(messageFile);
        return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
    }
    static std::wstring Rescued(const std::wstring& place)
    {
        return Fatal + L"\nLe texte non enregistré de l'éditeur de script a été écrit dans :\n" + place;
    }

    TempFolder installation;
    TempFolder elsewhere{L"tessark message"};
    std::wstring messageFile = elsewhere / L"message.txt";
    std::wstring script = installation / L"script\\script.txt";
};

TEST_F(LastResortTest, AnAccessViolationWritesTheUnsavedTextBesideTheDocumentAndSaysWhere)
{
    const std::string original = "[Level]\nName= Cit\xe9\n";
    WriteBytes(script, original);
    EXPECT_EQ(Crash(script, L"fault", L"\u20ac\u00e9|"), AccessViolation);
    EXPECT_EQ(ReadBytes(script), original) << "the document itself is untouched";
    ASSERT_TRUE(Exists(script + L".recupere"));
    EXPECT_EQ(ReadBytes(script + L".recupere"), "\x80\xe9\n[Level]\nName= Cit\xe9\n")
        << "Windows-1252 bytes with the document's own line ends";
    EXPECT_EQ(ShownMessage(), Rescued(script + L".recupere"));
}

TEST_F(LastResortTest, AStackOverflowStillLeavesRoomForTheRescue)
{
    WriteBytes(script, "texte\r\n");
    EXPECT_EQ(Crash(script, L"overflow", L"z"), StackOverflow);
    EXPECT_EQ(ReadBytes(script + L".recupere"), "ztexte\r\n");
    EXPECT_EQ(ShownMessage(), Rescued(script + L".recupere"));
}

TEST_F(LastResortTest, TerminateRescuesAnUntitledTextInTheScriptFolder)
{
    EXPECT_EQ(Crash(L"-", L"terminate", L"sans titre|"), Terminated);
    const std::wstring place = installation / L"script\\Sans nom.txt.recupere";
    ASSERT_TRUE(Exists(place));
    EXPECT_EQ(ReadBytes(place), "sans titre\r\n");
    EXPECT_EQ(ShownMessage(), Rescued(place));
}

TEST_F(LastResortTest, AFolderInTheWaySendsTheTextToTheRootAndTwoLoseItWithAMessage)
{
    WriteBytes(script, "texte\r\n");
    CreateDirectoryW((script + L".recupere").c_str(), nullptr);
    EXPECT_EQ(Crash(script, L"fault", L"x"), AccessViolation);
    const std::wstring root = installation / L"script.txt.recupere";
    ASSERT_TRUE(Exists(root));
    EXPECT_EQ(ReadBytes(root), "xtexte\r\n");
    EXPECT_EQ(ShownMessage(), Rescued(root));

    DeleteFileW(root.c_str());
    CreateDirectoryW(root.c_str(), nullptr);
    EXPECT_EQ(Crash(script, L"fault", L"y"), AccessViolation);
    EXPECT_EQ(ShownMessage(), Fatal + L"\nLe texte non enregistré de l'éditeur de script n'a pu être écrit dans "
                                      L"aucun de ces fichiers :\n" + script + L".recupere\n" + root);
    EXPECT_EQ(ReadBytes(script), "texte\r\n");
}

TEST_F(LastResortTest, WithNothingUnsavedNothingIsWrittenAndTheEndIsStillExplained)
{
    WriteBytes(script, "texte\r\n");
    EXPECT_EQ(Crash(script, L"fault", L""), AccessViolation);
    EXPECT_EQ(FilesIn(installation / L"script\\"), std::vector<std::wstring>{L"script.txt"});
    EXPECT_FALSE(Exists(installation / L"script.txt.recupere"));
    EXPECT_EQ(ShownMessage(), Fatal);
}

} // namespace
} // namespace tessark::test
