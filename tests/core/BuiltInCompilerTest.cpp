// The built-in script compiler: the field's reference folders compiled in
// memory give the DOS compiler's own files byte for byte; the errors it stops
// at; texts with a UTF-8 byte-order mark.
#include "FieldFiles.h"

#include "script/ScriptCompiler.h"

#include <gtest/gtest.h>

#include <map>

using namespace tessark::script;
using tessark::test::FieldFile;

namespace {

const char* const ReferenceFolders[] = {
    "all-commands",
    "demo-disc",
    "tr4-template",
    "quirks/q01_fmv_clears_earlier_env_and_flags",
    "quirks/q02_env_after_level_line_dropped",
    "quirks/q03_two_level_lines_repeat_globals",
    "quirks/q04_no_level_line",
    "quirks/q05_fixed_emit_order",
    "quirks/q06_duplicates_last_wins",
    "quirks/q07_title_disabled_no_title_section",
    "quirks/q08_lowercase_path_lang_order_audio300",
    "quirks/q09_language_escapes_labels_comments",
};

// The date the reference STRINGS.H files carry.
constexpr CompileDate ReferenceDate{9, 12, 2026};

std::string Upper(std::string_view name)
{
    std::string upper;
    for (char c : name)
        upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

// Language files of a reference folder, found whatever case the script gives
// their names in (the folders were written on a DOS file system).
LanguageFileSource FolderFiles(std::string folder)
{
    return [folder](std::string_view name) { return FieldFile("compiler/" + folder + "/" + Upper(name)); };
}

// Language files held in memory, by the exact name.
LanguageFileSource Files(std::map<std::string, std::string, std::less<>> files)
{
    return [files = std::move(files)](std::string_view name) -> std::optional<std::string> {
        const auto found = files.find(name);
        if (found == files.end())
            return std::nullopt;
        return found->second;
    };
}

const std::string English = "[Strings]\r\nTitle\r\nSecond Level\r\nTomb Key\r\nScroll\r\n"
                            "[PSXStrings]\r\n[PCStrings]\r\nPC one\r\n";

std::string Script(std::string_view levels)
{
    return "[Language]\r\nFile=\t0,ENGLISH.TXT\r\n[Options]\r\nTitle=\tENABLED\r\n"
           "[Title]\r\nLevel=\tDATA\\TITLE,104\r\n" +
           std::string(levels);
}

CompileResult Compile(std::string_view script, const std::string& language = English)
{
    return CompileScript(script, Files({{"ENGLISH.TXT", language}}));
}

std::string ErrorOf(std::string_view script, const std::string& language = English)
{
    const CompileResult result = Compile(script, language);
    EXPECT_TRUE(result.files.empty()) << "a failed compilation makes no file";
    return result.error ? result.error->text : "(no error)";
}

} // namespace

TEST(BuiltInCompiler, MakesTheDosCompilersFilesByteForByte)
{
    TESSARK_SKIP_WITHOUT_FIELD();
    for (const std::string folder : ReferenceFolders) {
        SCOPED_TRACE(folder);
        const auto script = FieldFile("compiler/" + folder + "/SCRIPT.TXT");
        ASSERT_TRUE(script);
        const CompileResult result = CompileScript(*script, FolderFiles(folder), {ReferenceDate});
        ASSERT_FALSE(result.error) << result.error->text;
        ASSERT_GE(result.files.size(), 3u) << "SCRIPT.DAT, a language .DAT and STRINGS.H at least";
        EXPECT_EQ(result.files.front().name, "SCRIPT.DAT");
        EXPECT_EQ(result.files.back().name, "STRINGS.H");
        for (const CompiledFile& file : result.files) {
            const auto original = FieldFile("compiler/" + folder + "/" + file.name);
            ASSERT_TRUE(original) << file.name << ": the original made no such file";
            EXPECT_TRUE(*original == file.bytes) << file.name << " differs from the original's";
        }
    }
}

TEST(BuiltInCompiler, ListsTheLanguageFilesByTheirNumbers)
{
    TESSARK_SKIP_WITHOUT_FIELD();
    const std::string folder = "quirks/q08_lowercase_path_lang_order_audio300";
    const CompileResult result = CompileScript(*FieldFile("compiler/" + folder + "/SCRIPT.TXT"), FolderFiles(folder));
    ASSERT_EQ(result.files.size(), 3u);
    EXPECT_EQ(result.files[1].name, "ENGLISH.DAT") << "File= 0 comes first though written second";
    EXPECT_EQ(result.files[2].name, "FRENCH.DAT") << "\"french.txt\" gives an upper-case name";
}

TEST(BuiltInCompiler, StopsWhereTheOriginalStopsAndMakesNothing)
{
    TESSARK_SKIP_WITHOUT_FIELD();
    const std::string folder = "quirks/q10_error_missing_name_leaves_partial_file";
    const CompileResult result = CompileScript(*FieldFile("compiler/" + folder + "/SCRIPT.TXT"), FolderFiles(folder));
    EXPECT_TRUE(result.files.empty()) << "the original leaves a half-written SCRIPT.DAT; ours none";
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->scriptLine, 17);
    EXPECT_EQ(result.error->text,
              "Ligne 17 : cette section [Level] n'a pas de ligne Name= : le nom du niveau est obligatoire");
}

TEST(BuiltInCompiler, NamesTheLineAndTheLanguageFileOfEachError)
{
    EXPECT_EQ(ErrorOf(Script("[Level]\r\nName=\tNiveau 3\r\nLevel=\tDATA\\A,1\r\n")),
              "Ligne 8 : \xab Niveau 3 \xbb n'est pas dans ENGLISH.TXT");
    EXPECT_EQ(ErrorOf(Script("[Level]\r\nName=\tsecond level\r\nLevel=\tDATA\\A,1\r\n")),
              "Ligne 8 : \xab second level \xbb n'est pas dans ENGLISH.TXT")
        << "string lookups are case-sensitive";
    EXPECT_EQ(
        ErrorOf(Script("[Level]\r\nName=\tSecond Level\r\nKey=\t1,Gold Key,1,2,3,4,5,6\r\nLevel=\tDATA\\A,1\r\n")),
        "Ligne 9 : \xab Gold Key \xbb n'est pas dans ENGLISH.TXT");
    EXPECT_EQ(ErrorOf(Script("[Level]\r\nName=Second Level\r\nLevel=\tDATA\\A,1\r\n")),
              "Ligne 8 : \xab econd Level \xbb n'est pas dans ENGLISH.TXT")
        << "exactly one character after \"=\" is skipped";
    EXPECT_EQ(ErrorOf(Script("[Level]\r\nLegend=\tScroll\r\nLevel=\tDATA\\A,1\r\n")),
              "Ligne 7 : cette section [Level] n'a pas de ligne Name= : le nom du niveau est obligatoire");
}

TEST(BuiltInCompiler, GivesTheFirstErrorOfTheScript)
{
    const std::string script = Script("[Level]\r\nName=\tNope\r\nKey=\t13,Tomb Key,1,2,3,4,5,6\r\n"
                                      "Level=\tDATA\\A,1\r\n[Level]\r\nFog=\t1,2\r\n");
    const CompileResult result = Compile(script);
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->scriptLine, 8);
    EXPECT_EQ(ErrorOf(Script("[Level]\r\nName=\tSecond Level\r\nKey=\t13,Tomb Key,1,2,3,4,5,6\r\n")),
              "Ligne 9 : \xab Key \xbb prend un num\xe9ro de 1 \xe0 12 (ici 13)");
    EXPECT_EQ(ErrorOf(Script("[Level]\r\nFog=\t1,2\r\n")), "Ligne 8 : \xab Fog \xbb demande 3 valeurs (trouv\xe9 : 2)");
}

TEST(BuiltInCompiler, FailsWhenALanguageFileIsMissing)
{
    const std::string script =
        "[Language]\r\nFile=\t0,ENGLISH.TXT\r\nFile=\t1,GERMAN.TXT\r\n[Title]\r\nLevel=\tDATA\\T,1\r\n";
    EXPECT_EQ(ErrorOf(script), "Ligne 3 : le fichier de langue \xab GERMAN.TXT \xbb est introuvable ou illisible");
    EXPECT_EQ(ErrorOf("[Language]\r\nFile=\t9,ENGLISH.TXT\r\n"),
              "Ligne 2 : \xab File= \xbb prend un num\xe9ro de 0 \xe0 7 (ici 9)");
    EXPECT_EQ(ErrorOf("[Language]\r\nFile=\t1,ENGLISH.TXT\r\n[Level]\r\nName=\tTitle\r\n"),
              "Ligne 4 : \xab Title \xbb n'est cherch\xe9 que dans le fichier de langue num\xe9ro 0, "
              "et aucune ligne File= ne le donne");
}

TEST(BuiltInCompiler, CompilesATextWithAByteOrderMarkAsWithout)
{
    const std::string script = Script("[Level]\r\nName=\tSecond Level\r\nLevel=\tDATA\\A,1\r\n");
    const std::string bom = "\xEF\xBB\xBF";
    const CompileResult plain = Compile(script);
    const CompileResult marked = Compile(bom + script, bom + English);
    ASSERT_FALSE(plain.error);
    ASSERT_FALSE(marked.error) << marked.error->text;
    ASSERT_EQ(marked.files.size(), plain.files.size());
    for (std::size_t i = 0; i < plain.files.size(); ++i)
        EXPECT_TRUE(marked.files[i].bytes == plain.files[i].bytes) << plain.files[i].name;
}

TEST(BuiltInCompiler, CompilesTheTemplateSavedWithAByteOrderMark)
{
    TESSARK_SKIP_WITHOUT_FIELD();
    const auto marked = FieldFile("scripts/tr4-template-Script.txt");
    ASSERT_TRUE(marked);
    ASSERT_TRUE(marked->starts_with("\xEF\xBB\xBF"));
    const CompileResult result =
        CompileScript(*marked, [](std::string_view) { return FieldFile("scripts/tr4-template-English.txt"); });
    ASSERT_FALSE(result.error) << result.error->text;
    EXPECT_TRUE(result.files[0].bytes == *FieldFile("compiler/tr4-template/SCRIPT.DAT"));
}

TEST(BuiltInCompiler, IgnoresCommandsItDoesNotKnow)
{
    const CompileResult plain = Compile(Script("[Level]\r\nName=\tSecond Level\r\nLevel=\tDATA\\A,1\r\n"));
    const CompileResult extra =
        Compile(Script("#INCLUDE \"Title.txt\"\r\n[Level]\r\nName=\tSecond Level\r\n"
                       "WorldFarView=\t127\r\nLevel=\tDATA\\A,1\r\n[Plugins]\r\nPlugin=\t1,x\r\n"));
    ASSERT_FALSE(plain.error);
    ASSERT_FALSE(extra.error) << extra.error->text;
    EXPECT_TRUE(plain.files[0].bytes == extra.files[0].bytes);
}

TEST(BuiltInCompiler, RefusesWhatSCRIPTDATCannotHold)
{
    std::string levels;
    for (int n = 0; n < 255; ++n)
        levels += "[Level]\r\nName=\tSecond Level\r\nLevel=\tDATA\\A,1\r\n";
    const CompileResult result = Compile(Script(levels));
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->text, "Ligne " + std::to_string(7 + 3 * 254) +
                                      " : trop de niveaux : SCRIPT.DAT n'en compte que 255, titre compris");
    EXPECT_TRUE(result.files.empty());

    std::string language = "[Strings]\r\n";
    for (int n = 0; n < 300; ++n)
        language += "String " + std::to_string(n) + "\r\n";
    EXPECT_EQ(ErrorOf(Script("[Level]\r\nName=\tString 256\r\n"), language),
              "Ligne 8 : \xab String 256 \xbb est la cha\xeene num\xe9ro 256 de ENGLISH.TXT : "
              "Name= et Legend= ne d\xe9signent que les 256 premi\xe8res");
    EXPECT_FALSE(Compile(Script("[Level]\r\nName=\tString 255\r\nKey=\t1,String 299,1,2,3,4,5,6\r\n"), language).error)
        << "items take a 16-bit string number";
}
