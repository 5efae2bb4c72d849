// The field's real scripts: two TRNG projects and the templates of today's
// tools, recognised and checked as they are, with their language files.
#include "FieldFiles.h"
#include "script/ScriptCheck.h"
#include "script/TrngScript.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>

using namespace tessark;

namespace {

const std::string Utf8Finding = "Ligne 1 : fichier enregistr\xe9 en UTF-8 : ses lettres accentu\xe9"
                                "es seront fausses dans le jeu, qui lit le Windows-1252";

bool SameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// The files of a field folder, found by name in any case as Windows finds them;
// `renamed` gives a file the name the script knows it by.
ScriptFileLookup FolderLookup(const std::string& folder, std::string renamedFrom = {}, std::string renamedTo = {})
{
    ScriptFileLookup lookup;
    lookup.readScriptFile = [=](std::string_view name) -> std::optional<std::string> {
        const std::string wanted = SameName(name, renamedFrom) ? renamedTo : std::string(name);
        for (const auto& entry : std::filesystem::directory_iterator(test::FieldPath(folder))) {
            if (SameName(entry.path().filename().string(), wanted))
                return test::FieldFile(folder + "/" + entry.path().filename().string());
        }
        return std::nullopt;
    };
    lookup.languageFileExists = [read = lookup.readScriptFile](std::string_view name) { return read(name).has_value(); };
    return lookup;
}

struct Project {
    const char* folder;
    const char* script;
    int signLine;
    const char* signWhat;
};

} // namespace

TEST(TrngField, TheTwoTrngProjectsAreRecognisedAndTheirNgLinesCheckedClean)
{
    TESSARK_SKIP_WITHOUT_FIELD();
    for (const Project p : {Project{"trng/fix-lara-v2", "script.txt", 22, "Diagnostic"},
                            Project{"trng/flep-reverb-test", "Script.txt", 31, "Diagnostic"}}) {
        const std::string folder = p.folder;
        const auto script = test::FieldFile(folder + "/" + p.script);
        const auto compiled = test::FieldFile(folder + "/Script.dat");
        ASSERT_TRUE(script && compiled) << folder;
        const auto sign = script::TrngSignOf(*script);
        ASSERT_TRUE(sign) << folder;
        EXPECT_EQ(sign->line, p.signLine) << folder;
        EXPECT_EQ(sign->what, p.signWhat) << folder;
        EXPECT_TRUE(script::HasNgBlock(*compiled)) << folder;
        EXPECT_TRUE(script::IsTrngScript(*script, *compiled, false)) << folder;

        // Their scripts are UTF-8 with a mark, as today's tools save them: that
        // one finding, and nothing about their NG lines or language files.
        const Report report = CheckScript(*script, FolderLookup(folder));
        ASSERT_EQ(report.size(), 1u) << folder << ": " << report.back().text;
        EXPECT_EQ(report[0].text, Utf8Finding);
    }
    const auto extraNg = test::FieldFile("trng/flep-reverb-test/English.dat");
    const auto plain = test::FieldFile("trng/fix-lara-v2/English.dat");
    ASSERT_TRUE(extraNg && plain);
    EXPECT_TRUE(script::HasNgBlock(*extraNg)) << "its English.txt has an [ExtraNG] section";
    EXPECT_FALSE(script::HasNgBlock(*plain));
}

TEST(TrngField, TheTemplatesOfTodaysToolsHaveOnlyTheirUtf8Finding)
{
    TESSARK_SKIP_WITHOUT_FIELD();
    const auto tr4 = test::FieldFile("scripts/tr4-template-Script.txt");
    const auto trng = test::FieldFile("scripts/trng-template-Script.txt");
    ASSERT_TRUE(tr4 && trng);
    EXPECT_FALSE(script::TrngSignOf(*tr4));
    EXPECT_EQ(script::TrngSignOf(*trng)->what, "Plugin");

    const auto lookup = FolderLookup("scripts", "ENGLISH.TXT", "tr4-template-English.txt");
    for (const std::string* text : {&*tr4, &*trng}) {
        const Report report = CheckScript(*text, lookup);
        ASSERT_EQ(report.size(), 1u) << report.back().text;
        EXPECT_EQ(report[0].text, Utf8Finding) << "the mark is no command before any section";
    }
}

TEST(TrngField, TheClassicCompilersFilesAreNoTrngOnes)
{
    TESSARK_SKIP_WITHOUT_FIELD();
    for (const char* folder : {"compiler/tr4-template", "compiler/all-commands", "compiler/demo-disc"}) {
        const auto script = test::FieldFile(std::string(folder) + "/SCRIPT.TXT");
        const auto compiled = test::FieldFile(std::string(folder) + "/SCRIPT.DAT");
        ASSERT_TRUE(script && compiled) << folder;
        EXPECT_FALSE(script::IsTrngScript(*script, *compiled, false)) << folder;
        EXPECT_TRUE(CheckScript(*script, FolderLookup(folder)).empty()) << folder;
    }
}
