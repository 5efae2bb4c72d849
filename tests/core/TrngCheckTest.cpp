// The check of Next Generation (TRNG) scripts: NG commands, directives,
// included files and the [ExtraNG] section of language files.
#include "script/ScriptCheck.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

using namespace tessark;

namespace {

// A script folder in memory whose files the check may read, found by name in
// any case as Windows finds them; it counts what the check read.
struct Folder {
    std::map<std::string, std::string> files;
    int reads = 0;

    ScriptFileLookup Lookup()
    {
        ScriptFileLookup lookup;
        lookup.readScriptFile = [this](std::string_view name) -> std::optional<std::string> {
            ++reads;
            for (const auto& [file, text] : files) {
                if (file.size() == name.size() && std::equal(file.begin(), file.end(), name.begin(), [](char a, char b) {
                        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
                    }))
                    return text;
            }
            return std::nullopt;
        };
        return lookup;
    }
};

std::vector<std::string> Texts(const Report& report)
{
    std::vector<std::string> texts;
    for (const auto& finding : report)
        texts.push_back(finding.text);
    return texts;
}

Report CheckTrng(std::string_view text) { return CheckScript(text, {}, ScriptDialect::Trng); }

struct NgCase {
    const char* lines;   // after "[Options]\n" or "[Level]\n" as the first word says
    const char* finding; // the one finding, "" when none
};

const NgCase NgCases[] = {
    {"[Options]\nWorldFarView= 127", ""},
    {"[Options]\nDiagnosticType= DGX_SFX_SOUNDS+DGX_LARA, IGNORE", ""},
    {"[Options]\nPlugin= 1, Plugin_Video, IGNORE", ""},
    {"[Options]\nSettings= 1\nsettings= 2", "Ligne 3 : \xab settings \xbb est d\xe9j\xe0 donn\xe9 dans cette section"},
    {"[Level]\nWorldFarView= 127", "Ligne 2 : la section [Level] ne prend pas la commande \xab WorldFarView \xbb"},
    {"[Options]\nSnow= 1", "Ligne 2 : la section [Options] ne prend pas la commande \xab Snow \xbb"},
    {"[Title]\nAssignSlot= ANIMATING1, OBJ_RUBBER_BOAT", ""},
    {"[Level]\nSnow= 1, 2", "Ligne 2 : nombre de valeurs incorrect pour \xab Snow \xbb (attendu : 1, trouv\xe9 : 2)"},
    {"[Level]\nCustomize= CUST_SET_SECRET_NUMBER, 5", ""},
    {"[Level]\nCustomize= 2, 5", ""},
    {"[Level]\nCustomize=", "Ligne 2 : nombre de valeurs incorrect pour \xab Customize \xbb (attendu : au moins 1, trouv\xe9 : 0)"},
    {"[Level]\nCustomize= DGX_LARA, 5",
     "Ligne 2 : \xab DGX_LARA \xbb n'est pas une constante CUST_ : \xab Customize \xbb en attend une"},
    {"[Level]\nParameters= PARAM_MOVE_ITEM, 1, 2, 3, 4", ""},
    {"[Level]\nOrganizer= 1, FO_ENABLED + FO_LOOP, 0, 30, 1, 60, 2", ""},
    {"[Level]\nOrganizer= 1, FO_ENABLD, 0, 30, 1", "Ligne 2 : valeur inconnue \xab FO_ENABLD \xbb pour \xab Organizer \xbb"},
    {"[Level]\nEnemy= BADDY_1, 100, IGNORE, IGNORE, IGNORE", ""},
    {"[Level]\nGlobalTrigger= 1, IGNORE, GT_COLLIDE_SLOT, SKELETON, IGNORE, 2, IGNORE", ""},
    {"[Level]\nGlobalTrigger= 1, IGNORE, GT_COLLIDE_SLOT, 5, IGNORE, 2, -1", ""},
    {"[Level]\nTestPosition= 1, TPOS_FAST_ALIGNMENT+TPOS_TURN_FACING_90, LARA, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0", ""},
    {"[Level]\nWindowTitle= My level, part 2", "Ligne 2 : nombre de valeurs incorrect pour \xab WindowTitle \xbb (attendu : 1, trouv\xe9 : 2)"},
    {"[Level]\nDamage= 1,2,3,4,Bar,5\nDamage= 1,2,3,4,Bar,5\nDamage= 1,2,3,4,Bar,5",
     "Ligne 4 : \xab Damage \xbb est donn\xe9 plus de 2 fois dans cette section"},
    {"[Level]\nTriggerGroup= 1, $8000, 112, >\n  $2C ; the last value on the next line", ""},
    {"[Level]\nSnow= 1, >\n2\nRain= 1", "Ligne 2 : nombre de valeurs incorrect pour \xab Snow \xbb (attendu : 1, trouv\xe9 : 2)"},
    {"[Level]\n#DEFINE BS_TG 4\nTriggerGroup= BS_TG+1, $8000, 112, $2C", ""},
    {"[Level]\nOrganizer= 1, FO_MINE, 0, 30, 1\n#define FO_MINE 3\nOrganizer= 2, fo_mine, 0, 30, 1",
     "Ligne 2 : valeur inconnue \xab FO_MINE \xbb pour \xab Organizer \xbb"},
    {"[Level]\n#DEFINE 4X 1", "Ligne 2 : \xab #DEFINE \xbb mal \xe9" "crit : attendu \xab #DEFINE NOM valeur \xbb"},
    {"[Level]\n#DEFINE ALONE", "Ligne 2 : \xab #DEFINE \xbb mal \xe9" "crit : attendu \xab #DEFINE NOM valeur \xbb"},
    {"[Level]\n#FIRST_ID TriggerGroup=40", ""},
    {"[Level]\n#FIRST_ID Trigger=40", "Ligne 2 : \xab #FIRST_ID \xbb mal \xe9" "crit : attendu \xab #FIRST_ID Commande= num\xe9ro \xbb"},
    {"[Level]\n#INCLUDES \"x.txt\"", "Ligne 2 : directive inconnue \xab #INCLUDES \xbb"},
    {"[Level]\nRain= RAIN_FOO", "Ligne 2 : valeur inconnue \xab RAIN_FOO \xbb pour \xab Rain \xbb"},
};

} // namespace

TEST(TrngCheck, EachNgCommandIsJudgedByItsSectionCountAndValues)
{
    for (const auto& c : NgCases) {
        const Report report = CheckTrng(c.lines);
        if (*c.finding == '\0') {
            EXPECT_TRUE(report.empty()) << c.lines << " -> " << (report.empty() ? "" : report[0].text);
            continue;
        }
        ASSERT_EQ(report.size(), 1u) << c.lines;
        EXPECT_EQ(report[0].text, c.finding) << c.lines;
    }
}

TEST(TrngCheck, NgNamesAreKnownOnlyInATrngScriptButEverywhereInIt)
{
    // Without a sign the NG names stay unknown to the classic language...
    EXPECT_EQ(Texts(CheckScript("[Level]\nRain\n", {})), std::vector<std::string>{"Ligne 2 : commande inconnue \xab Rain \xbb"});
    // ...and with one they are known everywhere in the text, before the sign too.
    EXPECT_TRUE(CheckScript("[Options]\nCRS= ENABLED\n[Level]\nSnow= 1\n", {}).empty());
    EXPECT_EQ(CheckScript("[Level]\nRain\n", {}, ScriptDialect::Trng).size(), 1u) << "no value";
}

TEST(TrngCheck, IncludedFilesAreCheckedWhereTheyStandAndNamedInTheirFindings)
{
    Folder folder{{{"Anims.txt", "; animations\r\nSnow= 1\r\n#INCLUDE \"Deep.txt\"\r\n"},
                   {"deep.txt", "Fogg= 1\nPlugin= 2, Plugin_x, IGNORE\n"}}};
    const Report report =
        CheckScript("[Level]\nName= A\n#INCLUDE \"ANIMS.TXT\"\nSnow= 2\n#INCLUDE \"Gone.txt\"\n#INCLUDE \"..\\up.txt\"\n",
                    folder.Lookup());
    EXPECT_EQ(Texts(report),
              (std::vector<std::string>{
                  "Ligne 3 : dans \xab Deep.txt \xbb, ligne 1 : commande inconnue \xab Fogg \xbb",
                  "Ligne 3 : dans \xab Deep.txt \xbb, ligne 2 : la section [Level] ne prend pas la commande \xab Plugin \xbb",
                  "Ligne 4 : \xab Snow \xbb est d\xe9j\xe0 donn\xe9 dans cette section",
                  "Ligne 5 : le fichier inclus \xab Gone.txt \xbb est introuvable dans le dossier du script",
                  "Ligne 6 : le fichier inclus \xab ..\\up.txt \xbb doit se trouver dans le dossier du script (ni lecteur, "
                  "ni chemin absolu, ni \xab .. \xbb)",
              }));
    for (const auto& finding : report)
        EXPECT_TRUE(finding.error);
    EXPECT_EQ(report[0].scriptLine, 3);
}

TEST(TrngCheck, APluginInAnIncludedFileIsRefused)
{
    Folder folder{{{"opts.txt", "Plugin= 1, Plugin_Video, IGNORE\n"}}};
    EXPECT_EQ(Texts(CheckScript("[Options]\n#INCLUDE \"opts.txt\"\n", folder.Lookup())),
              std::vector<std::string>{"Ligne 2 : dans \xab opts.txt \xbb, ligne 1 : \xab Plugin \xbb ne peut pas \xea"
                                       "tre donn\xe9 dans un fichier inclus"});
}

TEST(TrngCheck, AnIncludeLoopIsReportedOnceAndNeverFollowedForever)
{
    Folder folder{{{"a.txt", "#INCLUDE \"b.txt\"\n"}, {"b.txt", "Snow= 1\n#INCLUDE \"A.TXT\"\n"}}};
    const Report report = CheckScript("[Level]\n#INCLUDE \"a.txt\"\n", folder.Lookup());
    EXPECT_EQ(Texts(report), std::vector<std::string>{"Ligne 2 : dans \xab b.txt \xbb, ligne 2 : \xab A.TXT \xbb s'inclut "
                                                      "lui-m\xeame, par une boucle d'inclusions : il n'est pas suivi une "
                                                      "seconde fois"});
    EXPECT_EQ(folder.reads, 2);

    // The script itself, included again from a file it includes.
    Folder self{{{"a.txt", "#INCLUDE \"Script.TXT\"\n"}}};
    EXPECT_EQ(CheckScript("[Level]\nBad= 1\n#INCLUDE \"a.txt\"\n", self.Lookup()).size(), 2u);
    EXPECT_EQ(self.reads, 1);

    // Files that include the next under ever new names end at a depth.
    Folder chain;
    // Built by appending: GCC 12 warns wrongly on "f" + std::to_string(i) at -O3.
    for (int i = 0; i < 40; ++i) {
        std::string name(1, 'f'), line = "#INCLUDE \"f";
        name.append(std::to_string(i));
        line.append(std::to_string(i + 1)).append("\"\n");
        chain.files[name] = line;
    }
    const Report deep = CheckScript("[Level]\n#INCLUDE \"f0\"\n", chain.Lookup());
    ASSERT_EQ(deep.size(), 1u);
    EXPECT_NE(deep[0].text.find("trop d'inclusions"), std::string::npos) << deep[0].text;
    EXPECT_LE(chain.reads, 16);
}

TEST(TrngCheck, ExtraNgLinesAreNumberAndTextAndEachNumberOnce)
{
    Folder folder{{{"ENGLISH.TXT", "[Strings]\r\nSave\r\n[ExtraNG]\r\n; mine\r\n0: Hello\r\n12:World\r\nno number\r\n"
                                   "4096: too far\r\n12: again\r\n$10: hex\r\n"}}};
    const Report report = CheckScript("[Language]\nFile= 0, english.txt\n[Options]\nCRS= ENABLED\n", folder.Lookup());
    const std::string malformed = "Ligne 2 : dans \xab english.txt \xbb, ligne %d : ligne de [ExtraNG] mal \xe9" "crite : "
                                  "attendu \xab num\xe9ro: texte \xbb, num\xe9ro de 0 \xe0 4095";
    const auto at = [&](int line) {
        const std::size_t mark = malformed.find("%d");
        std::string text(malformed, 0, mark);
        text.append(std::to_string(line)).append(malformed, mark + 2, std::string::npos);
        return text;
    };
    EXPECT_EQ(Texts(report), (std::vector<std::string>{
                                 at(7), at(8), "Ligne 2 : dans \xab english.txt \xbb, ligne 9 : le num\xe9ro 12 est d\xe9j\xe0 "
                                               "donn\xe9 dans [ExtraNG]",
                                 at(10)}));
}
