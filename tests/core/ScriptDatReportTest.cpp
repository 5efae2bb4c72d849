// The description of a compiled script: what a reference SCRIPT.DAT holds,
// told with its strings, and what a damaged one still tells.
#include "FieldFiles.h"

#include "script/LanguageStrings.h"
#include "script/ScriptCompiler.h"
#include "script/ScriptDatReport.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace tessark::script;
using tessark::Report;
using tessark::test::FieldFile;

namespace {

bool Holds(const Report& report, std::string_view line)
{
    return std::any_of(report.begin(), report.end(), [&](const auto& l) { return l.text == line; });
}

std::size_t Errors(const Report& report)
{
    return static_cast<std::size_t>(std::count_if(report.begin(), report.end(), [](const auto& l) { return l.error; }));
}

std::string Compiled(std::string_view levels)
{
    const std::string script =
        "[Language]\r\nFile=\t0,E.TXT\r\n[Title]\r\nLevel=\tDATA\\TITLE,104\r\n" + std::string(levels);
    const CompileResult result = CompileScript(script, [](std::string_view) {
        return std::optional<std::string>("[Strings]\r\nTitle\r\nCoastal Ruins\r\nGate Key\r\n");
    });
    EXPECT_FALSE(result.error);
    return result.files.empty() ? std::string() : result.files[0].bytes;
}

} // namespace

TEST(ScriptDatReport, TellsTheLevelsWithTheirStrings)
{
    TESSARK_SKIP_WITHOUT_FIELD();
    const Report report = DescribeScriptDat(*FieldFile("compiler/all-commands/SCRIPT.DAT"),
                                            *FieldFile("compiler/all-commands/ENGLISH.DAT"));
    EXPECT_EQ(Errors(report), 0u);
    for (const char* line : {
             "SCRIPT.DAT : 388 octets, 4 blocs de niveau (titre compris), 3 fichiers de niveau",
             "Options : FlyCheat non, LoadSave oui, Title oui, PlayAnyLevel non, DemoDisc non",
             "InputTimeout : 18000 ; Security : $55",
             "Extensions PC : niveau \xab .TR4 \xbb, FMV \xab .BIK \xbb, cin\xe9matique \xab .TR4 \xbb",
             "Fichiers de langue : ENGLISH.DAT, FRENCH.DAT",
             "  Level DATA\\TITLE, piste audio 104 ; Horizon, Layer1, Lightning",
             "Niveau 1 :",
             "  Key 1 \xab Tomb Key \xbb (cha\xeene 3) : 0, 1024, 0, -16384, 0, 2",
             "  KeyCombo 8, pi\xe8"
             "ce 2 \xab Key Half \xbb (cha\xeene 9) : 1, 2, 3, 4, 5, 6",
             "  Legend \xab The year 2000, somewhere in Egypt... \xbb (cha\xeene 2)",
             "  Level \xab Test Level One \xbb (cha\xeene 1) : DATA\\TUT1, piste audio 107 ; YoungLara, Horizon, "
             "Layer1, Layer2",
             "  FMV 2, 1",
             "  LensFlare 1024, -2048, 3072, 255, 128, 64",
             "  Mirror 69, 29696",
             "  ResidentCut 4, 9",
             "  Level \xab Third Level \xbb (cha\xeene 11) : DATA\\TUT1, piste audio 107 ; NoLevel",
         })
        EXPECT_TRUE(Holds(report, line)) << line;
}

TEST(ScriptDatReport, GivesStringNumbersWithoutTheLanguageFile)
{
    const Report report = DescribeScriptDat(Compiled("[Level]\r\nName=\tCoastal Ruins\r\n"
                                                     "Key=\t2,Gate Key,1,2,3,4,5,-6\r\nLevel=\tdata\\coastal,3\r\n"));
    EXPECT_EQ(Errors(report), 0u);
    EXPECT_TRUE(Holds(report, "  Key 2 cha\xeene 2 : 1, 2, 3, 4, 5, -6"));
    EXPECT_TRUE(Holds(report, "  Level cha\xeene 1 : DATA\\COASTAL, piste audio 3"));
    EXPECT_TRUE(Holds(report, "Fichiers de langue : E.DAT"));
    const Report wrong = DescribeScriptDat(Compiled(""), std::string_view("not a language file"));
    EXPECT_TRUE(wrong.front().error) << "a language file that is none is said so";
}

TEST(ScriptDatReport, TellsWhatADamagedFileStillHolds)
{
    const std::string dat = Compiled( // ends with "E.DAT\0"
        "[Level]\r\nName=\tCoastal Ruins\r\nFog=\t1,2,3\r\nLevel=\tDATA\\C,3\r\n");
    ASSERT_FALSE(dat.empty());
    for (std::size_t size = 0; size < dat.size(); ++size) {
        const Report report = DescribeScriptDat(std::string_view(dat).substr(0, size));
        ASSERT_FALSE(report.empty());
        if (size < 56) {
            EXPECT_EQ(report.front().text, "Fichier trop court : " + std::to_string(size) +
                                               " octets, l'en-t\xeate et les extensions en demandent 56");
        } else if (size != dat.size() - 6) { // cut right after the blocks: a script with no language
            EXPECT_GT(Errors(report), 0u) << "a file cut at " << size << " bytes is told damaged";
        }
    }
    std::string unknown = dat;
    unknown[unknown.find("\x8f\x01\x02\x03")] = '\x7f';
    const Report report = DescribeScriptDat(unknown);
    EXPECT_TRUE(Holds(report, "  Octet inconnu 0x7F : la suite du bloc n'est pas lue"));
    EXPECT_EQ(Errors(report), 1u);
}

TEST(LanguageStrings, ReadsLabelsEscapesAndCommentsAsTheCompilerDoes)
{
    const LanguageStrings strings = ReadLanguageText("; before any section\r\n[Strings]\r\nKEY1:Gate Key\r\n"
                                                     "\tTabbed ; comment\r\nA\\x41\\tB\\nC\r\n\r\n:lead:rest:more\r\n"
                                                     "[ExtraNG]\r\nnot a string\r\n[PCStrings]\r\nNone:\r\n");
    ASSERT_EQ(strings.groups[0].size(), 4u);
    EXPECT_EQ(strings.groups[0][0].text, "Gate Key");
    EXPECT_EQ(strings.groups[0][0].label, "KEY1");
    EXPECT_EQ(strings.groups[0][1].text, "Tabbed ");
    EXPECT_EQ(strings.groups[0][2].text, "AA\tB\nC");
    EXPECT_EQ(strings.groups[0][3].text, "rest:more");
    EXPECT_EQ(strings.groups[0][3].label, "lead");
    EXPECT_TRUE(strings.groups[1].empty());
    ASSERT_EQ(strings.groups[2].size(), 1u);
    EXPECT_EQ(strings.groups[2][0].text, "\x60\x10") << "what the original stores for a label with no string";
    EXPECT_EQ(strings.IndexOf("rest:more"), 3u);
    EXPECT_EQ(strings.IndexOf("gate key"), std::nullopt);

    const auto dat = LanguageDatBytes(strings);
    ASSERT_TRUE(dat);
    const auto back = ReadLanguageDat(*dat);
    ASSERT_TRUE(back);
    EXPECT_EQ((*back)[0][2], "AA\tB\nC");
    EXPECT_EQ((*back)[2][0], "\x60\x10");
}
