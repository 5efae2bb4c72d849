// The OS-free parts of running the script compiler: what kind of program it
// is, what its text says, and which files it is expected to make.
#include "script/CompilerOutputs.h"
#include "script/CompilerText.h"
#include "script/ProgramHeader.h"

#include <gtest/gtest.h>

#include <cstdint>

using namespace tessark::script;
using tessark::Report;
using namespace std::string_literals;

namespace {

std::string DosHeader(std::uint32_t newHeaderOffset = 0, std::size_t size = 0x40)
{
    std::string bytes(size, '\0');
    bytes[0] = 'M';
    bytes[1] = 'Z';
    for (int i = 0; i < 4; ++i)
        bytes[0x3C + i] = static_cast<char>(newHeaderOffset >> (8 * i));
    return bytes;
}

} // namespace

TEST(ProgramHeader, TellsWindowsFromDosFromNoProgram)
{
    std::string pe = DosHeader(0x80, 0x80) + "PE\0\0"s + std::string(16, '\0');
    EXPECT_EQ(ProgramKindOf(pe), ProgramKind::Windows);

    // A DOS extender program: its new header is no PE one.
    std::string le = DosHeader(0x80, 0x80) + "LE\0\0"s;
    EXPECT_EQ(ProgramKindOf(le), ProgramKind::Dos);
    EXPECT_EQ(ProgramKindOf(DosHeader(0)), ProgramKind::Dos) << "plain DOS program, no new header";
    EXPECT_EQ(ProgramKindOf(DosHeader(0x80, 0x40)), ProgramKind::Dos) << "offset past the file's end";
    EXPECT_EQ(ProgramKindOf(DosHeader(0xFFFFFFFE, 0x40)), ProgramKind::Dos) << "offset near the 32-bit end";
    EXPECT_EQ(ProgramKindOf(DosHeader(0x3E, 0x80)), ProgramKind::Dos) << "offset inside the DOS header";
    EXPECT_EQ(ProgramKindOf(std::string(0x20, '\0').replace(0, 2, "MZ")), ProgramKind::Dos) << "32-byte header";

    EXPECT_EQ(ProgramKindOf("ceci n'est pas un programme"), ProgramKind::NotAProgram);
    EXPECT_EQ(ProgramKindOf(""), ProgramKind::NotAProgram);
    EXPECT_EQ(ProgramKindOf("MZ"), ProgramKind::NotAProgram) << "too short to load";
    EXPECT_EQ(ProgramKindOf("PE\0\0"s + std::string(60, '\0')), ProgramKind::NotAProgram);
}

TEST(CompilerText, ErrorLinesInEitherLanguageAndAnyCase)
{
    EXPECT_TRUE(IsErrorLine("ERROR: unknown command"));
    EXPECT_TRUE(IsErrorLine("Erreur ligne 3"));
    EXPECT_TRUE(IsErrorLine("2 errors found"));
    EXPECT_FALSE(IsErrorLine("Script compiled, no problem"));
    EXPECT_FALSE(IsErrorLine("err"));
}

TEST(CompilerText, ReadsTheScriptLineOutOfEachKnownShape)
{
    struct Case { const char* line; int expected; };
    const Case cases[] = {
        {"Error in line 12: bad value", 12},
        {"Line 7", 7},
        {"erreur ligne: 45", 45},
        {"LIGNE #9 inconnue", 9},
        {"script.txt(23) : unknown command", 23},
        {"script.txt:31: syntax error", 31},
        {"lines=3", 0},
        {"Deadline 4 missed", 0},
        {"in line twelve", 0},
        {"(12 levels)", 0},
        {"line 99999999999999999999", 0},
        {"line 0", 0},
        {"", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ScriptLineNamedIn(c.line), c.expected) << c.line;
}

TEST(CompilerText, EachLineBecomesAReportLine)
{
    const Report report = CompilerTextToReport("Compiling\r\nError line 3: bad\nok\rlast\x1b[0m\r\n\r\n  \r\n");
    ASSERT_EQ(report.size(), 4u);
    EXPECT_EQ(report[0].text, "Compiling");
    EXPECT_FALSE(report[0].error);
    EXPECT_EQ(report[1].text, "Error line 3: bad");
    EXPECT_TRUE(report[1].error);
    EXPECT_EQ(report[1].scriptLine, 3);
    EXPECT_EQ(report[2].text, "ok");
    EXPECT_EQ(report[3].text, "last [0m") << "control characters shown as blanks";
    EXPECT_TRUE(CompilerTextToReport("").empty());
    EXPECT_EQ(CompilerTextToReport("a\n\nb").size(), 3u) << "blank lines inside are kept";
}

TEST(CompilerOutputs, LanguageFilesAsBuildersWriteThem)
{
    const std::string script =
        "; Tessark test\r\n"
        "[Options]\r\n"
        "File= 0, NOT.TXT\r\n"
        "[language]\r\n"
        "File=\t\t0,FRENCH.TXT   ; the first\r\n"
        "  file = 1 , english.txt\r\n"
        ";File= 2,GERMAN.TXT\r\n"
        "File=\r\n"
        "File= 3,lang\\ITALIAN.TXT\r\n"
        "File= 4,..\\OUT.TXT\r\n"
        "[Title]\r\n"
        "File= 5,TITLE.TXT\r\n";
    const auto files = LanguageFilesOf(script);
    ASSERT_EQ(files.size(), 4u);
    EXPECT_EQ(files[0].name, "FRENCH.TXT");
    EXPECT_EQ(files[0].datName, "FRENCH.DAT");
    EXPECT_EQ(files[0].scriptLine, 5);
    EXPECT_EQ(files[1].name, "english.txt");
    EXPECT_EQ(files[1].datName, "english.DAT");
    EXPECT_EQ(files[1].scriptLine, 6);
    EXPECT_EQ(files[2].datName, "lang\\ITALIAN.DAT");
    EXPECT_FALSE(files[2].outsideFolder);
    EXPECT_EQ(files[3].name, "..\\OUT.TXT");
    EXPECT_TRUE(files[3].outsideFolder);
    EXPECT_EQ(files[3].scriptLine, 10);
}

TEST(CompilerOutputs, OnlyPathsThatStayInsideTheFolder)
{
    for (const char* inside : {"ENGLISH.TXT", "sub\\E.TXT", "sub/../E.TXT", ".\\E.TXT", "a\\b\\..\\..\\E.TXT"})
        EXPECT_TRUE(StaysInsideFolder(inside)) << inside;
    for (const char* outside : {"..\\E.TXT", "C:\\E.TXT", "C:E.TXT", "\\E.TXT", "/tmp/E.TXT", "\\\\server\\E.TXT",
                                "sub\\..\\..\\E.TXT", "...\\E.TXT", "", ".", "sub\\.."})
        EXPECT_FALSE(StaysInsideFolder(outside)) << outside;
}

TEST(CompilerOutputs, DatNames)
{
    EXPECT_EQ(DatNameFor("ENGLISH.TXT"), "ENGLISH.DAT");
    EXPECT_EQ(DatNameFor("GERMAN"), "GERMAN.DAT");
    EXPECT_EQ(DatNameFor("v1.2\\FRENCH"), "v1.2\\FRENCH.DAT");
    EXPECT_EQ(DatNameFor("a.b.txt"), "a.b.DAT");
}
