#include "script/ScriptCheck.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace tessark;

namespace {

// An installation where the named language and level files exist, and which
// remembers what the check asked for.
struct FakeInstall {
    std::set<std::string> languageFiles{"ENGLISH.TXT", "FRENCH.TXT"};
    std::set<std::string> levels{"DATA\\TITLE", "DATA\\TUT1", "data\\coastal", "DATA\\train"};
    std::vector<std::string> asked;

    ScriptFileLookup Lookup()
    {
        return {[this](std::string_view f) {
                    asked.emplace_back(f);
                    return languageFiles.contains(std::string(f));
                },
                [this](std::string_view p) {
                    asked.emplace_back(p);
                    return levels.contains(std::string(p));
                }};
    }
};

Report Check(std::string_view text)
{
    FakeInstall install;
    return CheckScript(text, install.Lookup());
}

struct LineCase {
    const char* section;
    const char* line;
    const char* finding; // "" when the line is good
};

// Real shapes of level builders' scripts: tabs, blanks before "=", comments,
// any case, empty values.
const LineCase Cases[] = {
    {"PSXExtensions", "Level= .PSX", ""},
    {"PSXExtensions", "FMV=.FMV ; videos", ""},
    {"PSXExtensions", "Cut= .CUT,.CUT", "Ligne 2 : nombre de valeurs incorrect pour \xab Cut \xbb (attendu : 1, trouv\xe9 : 2)"},
    {"PCExtensions", "Level=\t.TR4", ""},
    {"pcextensions", "CUT = .TR4", ""},
    {"PCExtensions", "FMV= .BIK", ""},
    {"PCExtensions", "Name= Coastal", "Ligne 2 : la section [PCExtensions] ne prend pas la commande \xab Name \xbb"},
    {"Language", "File= 0,ENGLISH.TXT", ""},
    {"Language", "File=\t1 , FRENCH.TXT\t; second", ""},
    {"Language", "file= 2,GERMAN.TXT",
     "Ligne 2 : le fichier de langue \xab GERMAN.TXT \xbb est introuvable dans le dossier du script"},
    {"Language", "File= ENGLISH.TXT", "Ligne 2 : nombre de valeurs incorrect pour \xab File \xbb (attendu : 2, trouv\xe9 : 1)"},
    {"Language", "File= 0,..\\ENGLISH.TXT",
     "Ligne 2 : le fichier de langue \xab ..\\ENGLISH.TXT \xbb doit se trouver dans le dossier du script (ni lecteur, "
     "ni chemin absolu, ni \xab .. \xbb)"},
    {"Language", "File= 0,C:\\TRLE\\script\\ENGLISH.TXT",
     "Ligne 2 : le fichier de langue \xab C:\\TRLE\\script\\ENGLISH.TXT \xbb doit se trouver dans le dossier du script "
     "(ni lecteur, ni chemin absolu, ni \xab .. \xbb)"},
    {"Options", "LoadSave= ENABLED", ""},
    {"OPTIONS", "  playanylevel =ENABLED", ""},
    {"Options", "InputTimeout= 9000", ""},
    {"Options", "Security= $55", ""},
    {"Options", "Flycheat= ", "Ligne 2 : nombre de valeurs incorrect pour \xab Flycheat \xbb (attendu : 1, trouv\xe9 : 0)"},
    {"Options", "Horizon= ENABLED", "Ligne 2 : la section [Options] ne prend pas la commande \xab Horizon \xbb"},
    {"Title", "Level= DATA\\TITLE,108", ""},
    {"Title", "LoadCamera= 82372,-2176,61165,82085,-2276,60313,34", ""},
    {"Title", "Layer1= 128,128,128,7", ""},
    {"Title", "Puzzle= 1,Scroll,$0000,$0400,$0000,$0000,$0000,$0002",
     "Ligne 2 : la section [Title] ne prend pas la commande \xab Puzzle \xbb"},
    {"Title", "ResidentCut= 1,3", ""},
    {"Title", "StarField= ENABLED", ""},
    {"Title", "Timer= ENABLED", "Ligne 2 : la section [Title] ne prend pas la commande \xab Timer \xbb"},
    {"Level", "Name= Desert Railroad", ""},
    {"Level", "Name=\tCit\xe9 perdue, la suite ; a comma stays in the name", ""},
    {"Level", "Horizon= ENABLED", ""},
    {"Level", "Layer1= 128,128,96,7", ""},
    {"Level", "Layer1= 128,,96,7", ""},
    {"Level", "UVRotate= 11", ""},
    {"Level", "Train= ENABLED", ""},
    {"Level", "LoadCamera= 13590,-13100,13778,14313,-12871,12674,19", ""},
    {"Level", "LoadCamera= 13590,-13100,13778,14313,-12871,12674",
     "Ligne 2 : nombre de valeurs incorrect pour \xab LoadCamera \xbb (attendu : 7, trouv\xe9 : 6)"},
    {"Level", "Level= DATA\\train,108", ""},
    {"Level", "LEVEL = data\\coastal , 104 ; lower case path", ""},
    {"Level", "Level= DATA\\missing,108", "Ligne 2 : le fichier du niveau \xab DATA\\missing \xbb est introuvable"},
    {"Level", "Level= DATA\\train", "Ligne 2 : nombre de valeurs incorrect pour \xab Level \xbb (attendu : 2, trouv\xe9 : 1)"},
    {"Level", "Puzzle= 1,Scroll,$0000,$0400,$0000,$0000,$0000,$0002", ""},
    {"Level", "KeyCombo= 1,1,Half key,$0000,$0400,$0000,$0000,$0000,$0002", ""},
    {"Level", "Fog= 0,0,0", ""},
    {"Level", "FMV= 1", "Ligne 2 : nombre de valeurs incorrect pour \xab FMV \xbb (attendu : 2, trouv\xe9 : 1)"},
    {"Level", "StarField= 1,2", "Ligne 2 : nombre de valeurs incorrect pour \xab StarField \xbb (attendu : 1, trouv\xe9 : 2)"},
    {"Level", "Fogg= 0,0,0", "Ligne 2 : commande inconnue \xab Fogg \xbb"},
    {"Level", "Rain", "Ligne 2 : commande inconnue \xab Rain \xbb"},
    {"Level", "Horizon ; no sign", "Ligne 2 : nombre de valeurs incorrect pour \xab Horizon \xbb (attendu : 1, trouv\xe9 : 0)"},
    {"Level", "LoadSave= ENABLED", "Ligne 2 : la section [Level] ne prend pas la commande \xab LoadSave \xbb"},
    {"Levels", "Name= x", "Ligne 1 : section inconnue [Levels]"},
    {"Level]x", "Name= x", "Ligne 1 : section inconnue [Level]x]"},
};

} // namespace

TEST(ScriptCheck, EachLineOfEachSectionIsJudgedLikeTheCompilerReadsIt)
{
    for (const auto& c : Cases) {
        const Report report = Check(std::string("[").append(c.section).append("]\r\n").append(c.line).append("\r\n"));
        if (*c.finding == '\0') {
            EXPECT_TRUE(report.empty()) << c.line << " -> " << (report.empty() ? "" : report[0].text);
            continue;
        }
        ASSERT_EQ(report.size(), 1u) << c.line;
        EXPECT_EQ(report[0].text, c.finding) << c.line;
        EXPECT_EQ(report[0].scriptLine, report[0].text.starts_with("Ligne 1 ") ? 1 : 2) << c.line;
        EXPECT_TRUE(report[0].error);
    }
}

TEST(ScriptCheck, ACommandBeforeAnySectionAndARepeatedOneAreFound)
{
    const Report report = Check("; my game\nLoadSave= ENABLED\n[Options]\nTitle= ENABLED\ntitle= DISABLED\n");
    ASSERT_EQ(report.size(), 2u);
    EXPECT_EQ(report[0].text, "Ligne 2 : commande \xab LoadSave \xbb plac\xe9" "e avant toute section");
    EXPECT_EQ(report[1].text, "Ligne 5 : \xab title \xbb est d\xe9j\xe0 donn\xe9 dans cette section");
    EXPECT_EQ(report[1].scriptLine, 5);
}

TEST(ScriptCheck, EachSectionStartsAfreshAndAnUnknownSectionIsReportedOnce)
{
    const Report report = Check("[Level]\nName= A\nLayer1= 1,2,3,4\nLayer1= 1,2,3,5\n[Level]\nName= B\n[Bonus]\n"
                                "Foo= 1\nBar= 2\n[Level]\nName= C\nLevel= DATA\\TUT1,1\nlevel= DATA\\TUT1,2\n");
    ASSERT_EQ(report.size(), 2u);
    EXPECT_EQ(report[0].text, "Ligne 7 : section inconnue [Bonus]");
    EXPECT_EQ(report[1].text, "Ligne 13 : \xab level \xbb est d\xe9j\xe0 donn\xe9 dans cette section");
}

TEST(ScriptCheck, LineNumbersFollowEveryKindOfLineEnd)
{
    for (const std::string eol : {"\r\n", "\n", "\r"}) {
        const Report report = Check("[Options]" + eol + eol + "; note" + eol + "Bad= 1" + eol);
        ASSERT_EQ(report.size(), 1u) << eol.size();
        EXPECT_EQ(report[0].scriptLine, 4);
    }
}

TEST(ScriptCheck, AsksTheInstallationOnlyAboutFilesInsideTheScriptFolderAndLevelPathsAsWritten)
{
    FakeInstall install;
    const Report report = CheckScript("[Language]\nFile= 0,/etc/passwd\nFile= 1, ENGLISH.TXT \n"
                                      "[Title]\nLevel=  DATA\\TITLE , 108\n",
                                      install.Lookup());
    ASSERT_EQ(report.size(), 1u);
    EXPECT_EQ(report[0].scriptLine, 2);
    EXPECT_EQ(install.asked, (std::vector<std::string>{"ENGLISH.TXT", "DATA\\TITLE"}));
}

TEST(ScriptCheck, WithoutALookupFilesAreNotLookedForButAPathOutsideIsStillFound)
{
    const Report report = CheckScript("[Language]\nFile= 0,..\\x.txt\nFile= 1,GONE.TXT\n[Level]\nLevel= DATA\\GONE,1\n", {});
    ASSERT_EQ(report.size(), 1u);
    EXPECT_EQ(report[0].scriptLine, 2);
}

TEST(ScriptCheck, AWholeScriptOfSeveralLevelsHasNoFinding)
{
    const char* script = "; Script of the game\r\n"
                         "[PSXExtensions]\r\nLevel= .PSX\r\nCut= .CUT\r\nFMV= .FMV\r\n\r\n"
                         "[PCExtensions]\r\nLevel= .TR4\r\nCut= .TR4\r\nFMV= .BIK\r\n\r\n"
                         "[Language]\r\nFile= 0,ENGLISH.TXT\r\nFile= 1,FRENCH.TXT\r\n\r\n"
                         "[Options]\r\nLoadSave= ENABLED\r\nTitle= ENABLED\r\nPlayAnyLevel= ENABLED\r\n"
                         "FlyCheat= ENABLED\r\nDemoDisc= DISABLED\r\nInputTimeout= 9000\r\nSecurity= $55\r\n\r\n"
                         "[Title]\r\nLevel= DATA\\TITLE,108\r\n"
                         "LoadCamera= 82372,-2176,61165,82085,-2276,60313,34\r\n\r\n"
                         "[Level]\r\nName= Playable Tutorial Level\r\nHorizon= ENABLED\r\n"
                         "Layer1= 160,160,192,7\r\nPuzzle= 1,Scroll,$0000,$0400,$0000,$0000,$0000,$0002\r\n"
                         "LoadCamera= 6565,-256,45418,6660,-384,45054,0\r\nLevel= DATA\\TUT1,110\r\n\r\n"
                         "[Level]\r\nname= Coastal Ruins\t; first real level\r\nLegend= Somewhere in Egypt...\r\n"
                         "horizon = ENABLED\r\nLayer1= 128,128,96,7\r\nLightning= ENABLED\r\nFog= 0,0,0\r\n"
                         "Key= 1,Gate key,$0000,$0400,$0000,$0000,$0000,$0002\r\n"
                         "Key= 2,Tomb key,$0000,$0400,$0000,$0000,$0000,$0002\r\n"
                         "LoadCamera= 1,2,3,4,5,6,7\r\nLevel= data\\coastal,104\r\n\r\n"
                         "[Level]\r\nName= Desert Railroad\r\nHorizon= ENABLED\r\nLayer1= 128,128,96,7\r\n"
                         "UVRotate= 11\r\nTrain= ENABLED\r\nLoadCamera= 13590,-13100,13778,14313,-12871,12674,19\r\n"
                         "Level= DATA\\train,108\r\n";
    const Report report = Check(script);
    EXPECT_TRUE(report.empty()) << report.front().text;
}

TEST(ScriptCheck, AFloodOfBadLinesEndsInOneCountingLine)
{
    std::string text = "[Level]\n";
    for (int i = 0; i < 1500; ++i)
        text += "Bad= 1\n";
    const Report report = Check(text);
    ASSERT_EQ(report.size(), 1001u);
    EXPECT_EQ(report.back().text, "\x85 et 500 autres erreurs, non list\xe9" "es");
    EXPECT_EQ(report.back().scriptLine, 1002);
    EXPECT_TRUE(report.back().error);
}

const std::string Utf8Finding =
    "fichier enregistr\xe9 en UTF-8 : ses lettres accentu\xe9" "es seront fausses dans le jeu, qui lit le Windows-1252";

TEST(ScriptCheck, AScriptInUtf8GetsOneFindingAndItsMarkNoneOfItsOwn)
{
    const Report marked = CheckScript("\xEF\xBB\xBF[Level]\r\nName= Cit\xC3\xA9 perdue\r\nLegend= \xC3\xA0 l'est\r\n", {});
    ASSERT_EQ(marked.size(), 1u);
    EXPECT_EQ(marked[0].text, "Ligne 1 : " + Utf8Finding);
    EXPECT_EQ(marked[0].scriptLine, 1);

    const Report unmarked = CheckScript("[Options]\nBad= 1\n[Level]\nName= Cit\xC3\xA9\nOops= 2\n", {});
    ASSERT_EQ(unmarked.size(), 3u);
    EXPECT_EQ(unmarked[1].text, "Ligne 4 : " + Utf8Finding);
    EXPECT_EQ(unmarked[2].scriptLine, 5);

    EXPECT_TRUE(CheckScript("[Level]\nName= Cit\xE9 perdue\n", {}).empty()) << "Windows-1252 is what the game reads";
}

TEST(ScriptCheck, ALanguageFileInUtf8IsNamedInItsFinding)
{
    ScriptFileLookup lookup;
    lookup.readScriptFile = [](std::string_view name) -> std::optional<std::string> {
        if (name == "FRENCH.TXT")
            return std::string("[Strings]\r\nPuzzle\r\nCl\xC3\xA9\r\n");
        return std::string("[Strings]\r\nKey\r\n");
    };
    const Report report = CheckScript("[Language]\r\nFile= 0,ENGLISH.TXT\r\nFile= 1,FRENCH.TXT\r\n", lookup);
    ASSERT_EQ(report.size(), 1u);
    EXPECT_EQ(report[0].text, "Ligne 3 : dans \xab FRENCH.TXT \xbb, ligne 3 : " + Utf8Finding);
    EXPECT_EQ(report[0].scriptLine, 3);
}
