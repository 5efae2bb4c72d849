// The colouring of script and language lines: each kind of token on lines
// in the shapes real scripts have, then whole field scripts styled through.
#include "FieldFiles.h"
#include "script/CheckText.h"
#include "script/NgTables.h"
#include "script/ScriptCommands.h"
#include "script/ScriptLexer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace tessark::script;

namespace {

// One letter a style, so that a line and its styles read one above the other.
char Letter(TokenStyle style)
{
    constexpr std::string_view Letters = ".SKUVNHscDLPO";
    const auto index = static_cast<std::size_t>(style);
    return index < Letters.size() ? Letters[index] : '?';
}

std::string Styles(std::string_view line, TextKind kind = TextKind::Script)
{
    std::vector<TokenStyle> out(line.size());
    StyleLine(line, kind, out);
    std::string letters;
    for (TokenStyle style : out)
        letters += Letter(style);
    return letters;
}

TEST(ScriptLexer, SectionsAndCommentsWhereverASemicolonStands)
{
    EXPECT_EQ(Styles("[Level] ; first"), "SSSSSSS.ccccccc");
    EXPECT_EQ(Styles("  [Options]"), "..SSSSSSSSS");
    EXPECT_EQ(Styles("[Tit"), "SSSS"); // being typed
    EXPECT_EQ(Styles("; ----------"), "cccccccccccc");
    // The compilers cut a line at its first ';', a text command's included.
    EXPECT_EQ(Styles("Name= Tomb; of Seth"), "KKKKO.ssssccccccccc");
    EXPECT_EQ(Styles("\xEF\xBB\xBF[Options]"), "...SSSSSSSSS");
}

TEST(ScriptLexer, CommandsAreKnownCaseBlindToEitherCompiler)
{
    EXPECT_EQ(Styles("Fog= 0,$1F, -3"), "KKKO.NOHHHO.NN");
    EXPECT_EQ(Styles("fog = 0,0,0"), "KKK.O.NONON");
    EXPECT_EQ(Styles("WORLDFARVIEW=127"), "KKKKKKKKKKKKONNN");
    EXPECT_EQ(Styles("Fogg= 1"), "UUUUO.N");
    EXPECT_EQ(Styles("Horizon ENABLED"), "UUUUUUUUUUUUUUU"); // no "=": no command
    // A known command outside the sections that take it is still known.
    EXPECT_EQ(Styles("Diagnostic=ENABLED"), "KKKKKKKKKKOVVVVVVV");
}

TEST(ScriptLexer, ValuesNumbersFileNamesAndConstants)
{
    EXPECT_EQ(Styles("Level= DATA\\TITLE, 104"), "KKKKKO.ssssssssssO.NNN");
    EXPECT_EQ(Styles("Level= .TR4"), "KKKKKO.ssss");
    EXPECT_EQ(Styles("LoadSave= disabled"), "KKKKKKKKO.VVVVVVVV");
    EXPECT_EQ(Styles("DiagnosticType=DGX_SFX_SOUNDS, IGNORE"), "KKKKKKKKKKKKKKOVVVVVVVVVVVVVVO.VVVVVV");
    EXPECT_EQ(Styles("Puzzle= 1,Scroll,$0400"), "KKKKKKO.NOssssssOHHHHH");
    EXPECT_EQ(Styles("Legend= One, two"), "KKKKKKO.ssssssss");
    EXPECT_EQ(Styles("Security= $5G"), "KKKKKKKKO.sss");
    // UTF-8 letters and Windows-1252 ones style as the text they stand in.
    EXPECT_EQ(Styles("Name= Caf\xC3\xA9 \xE2\x80\x94 1"), "KKKKO.sssssssssss");
    EXPECT_EQ(Styles("Level= DATA\\\xE9T\xC3\xA9, 1"), "KKKKKO.sssssssssO.N");
}

TEST(ScriptLexer, NgSumsAndContinuations)
{
    EXPECT_EQ(Styles("Customize= CUST_SET_SECRET_NUMBER+1, -2"), "KKKKKKKKKO.VVVVVVVVVVVVVVVVVVVVVVONO.NN");
    EXPECT_EQ(Styles("Customize= 4-1"), "KKKKKKKKKO.NON");
    // Classic values take no sums: a file name may hold a '+'.
    EXPECT_EQ(Styles("Level= A+B, 1"), "KKKKKO.sssO.N");
    EXPECT_EQ(Styles("Enemy= 1, 2 >"), "KKKKKO.NO.N.O");
    // Names in NG values are #DEFINE names or slots; a text argument is text.
    EXPECT_EQ(Styles("Enemy= LARA, SECRETS"), "KKKKKO.VVVVO.VVVVVVV");
    EXPECT_EQ(Styles("Plugin= 1, Plugin_Video, IGNORE"), "KKKKKKO.NO.ssssssssssssO.VVVVVV");
    EXPECT_EQ(Styles("   3, $4"), "...NO.HH");
}

TEST(ScriptLexer, Directives)
{
    EXPECT_EQ(Styles("#INCLUDE \"Title.txt\""), "DDDDDDDD.sssssssssss");
    EXPECT_EQ(Styles("#include \"a.txt\" ; x"), "DDDDDDDD.sssssss.ccc");
    EXPECT_EQ(Styles("#DEFINE SECRETS 12"), "DDDDDDD.VVVVVVV.NN");
    EXPECT_EQ(Styles("#FIRST_ID Enemy= 100"), "DDDDDDDDD.KKKKKO.NNN");
    EXPECT_EQ(Styles("#REPEAT 3"), "UUUUUUU.N");
}

TEST(ScriptLexer, LanguageLinesHeadersLabelsAndStrings)
{
    const auto language = TextKind::LanguageFile;
    EXPECT_EQ(Styles("[PSXStrings]", language), "LLLLLLLLLLLL");
    EXPECT_EQ(Styles("[ExtraNG] ; NG", language), "LLLLLLLLL.cccc");
    EXPECT_EQ(Styles("Crossbow + LaserSight", language), "sssssssssssssssssssss");
    EXPECT_EQ(Styles("QuestItem1:Amulet", language), "PPPPPPPPPPPssssss");
    // As the compiler reads labels: leading ':' skipped, the label up to the next ':'.
    EXPECT_EQ(Styles(":Note: read", language), "PPPPPPsssss");
    EXPECT_EQ(Styles("two:colons:here", language), "PPPPsssssssssss");
    EXPECT_EQ(Styles("Empty:", language), "PPPPPP");
    EXPECT_EQ(Styles("0: Hello", language), "PPssssss");
    EXPECT_EQ(Styles("\tSemi ; colon:", language), ".ssssscccccccc");
    // The escapes the compiler reads; others are text.
    EXPECT_EQ(Styles("Tab\\tEsc\\x41\\x7e", language), "sssOOsssOOOOOOOO");
    EXPECT_EQ(Styles("L:x\\x4\\n\\q", language), "PPsOOOOOss");
    // A script line in a language file is text; a header is a language header.
    EXPECT_EQ(Styles("Fog= 1", language), "ssssss");
    EXPECT_EQ(Styles("[Level]", language), "LLLLLLL");
}

TEST(ScriptLexer, AnOutputOfTheWrongSizeIsNeverWrittenPast)
{
    std::vector<TokenStyle> out(4, TokenStyle::Number);
    StyleLine("[Level] ; long line", TextKind::Script, out);
    EXPECT_EQ(out, std::vector<TokenStyle>(4, TokenStyle::Section));
    std::vector<TokenStyle> longer(8, TokenStyle::Number);
    StyleLine("Fog", TextKind::Script, longer);
    EXPECT_EQ(std::count(longer.begin(), longer.end(), TokenStyle::UnknownCommand), 3);
}

// ---- Whole field scripts ----

bool IsKnownCommand(std::string_view name)
{
    const auto& classic = ScriptCommands();
    return FindNgCommand(name) ||
           std::any_of(classic.begin(), classic.end(), [&](auto& rule) { return check::SameWord(rule.name, name); });
}

// What no line may ever show, whatever its bytes.
void ExpectPossibleStyles(std::string_view line, std::span<const TokenStyle> styles, TextKind kind, int number)
{
    SCOPED_TRACE("line " + std::to_string(number) + ": " + std::string(line));
    const auto comment = std::find(styles.begin(), styles.end(), TokenStyle::Comment);
    const auto commentAt = static_cast<std::size_t>(comment - styles.begin());
    EXPECT_EQ(commentAt, std::min(line.find(';'), line.size())) << "a comment starts at the first ';'";
    EXPECT_TRUE(std::all_of(comment, styles.end(), [](TokenStyle s) { return s == TokenStyle::Comment; }));
    const TokenStyle foreignHeader = kind == TextKind::Script ? TokenStyle::LanguageHeader : TokenStyle::Section;
    for (std::size_t i = 0; i < styles.size(); ++i) {
        ASSERT_LT(static_cast<std::size_t>(styles[i]), TokenStyleCount);
        EXPECT_NE(styles[i], foreignHeader);
        if (check::IsBlank(line[i]) && styles[i] != TokenStyle::Comment && styles[i] != TokenStyle::String &&
            styles[i] != TokenStyle::LabelPrefix) {
            EXPECT_EQ(styles[i], TokenStyle::Default) << "blank at " << i;
        }
    }
    // A run of known-command bytes spells a command one of the compilers knows.
    for (std::size_t i = 0; i < styles.size();) {
        std::size_t end = i;
        while (end < styles.size() && styles[end] == TokenStyle::KnownCommand)
            ++end;
        if (end > i) {
            EXPECT_TRUE(IsKnownCommand(line.substr(i, end - i))) << line.substr(i, end - i);
        }
        i = end + 1;
    }
}

// Styles every line of a field text; the count of bytes of each style.
std::vector<std::size_t> StyleFieldText(std::string_view text, TextKind kind)
{
    std::vector<std::size_t> counts(TokenStyleCount);
    tessark::script::check::LineReader lines(text);
    int number = 0;
    while (const auto line = lines.Next()) {
        ++number;
        std::vector<TokenStyle> styles(line->size());
        StyleLine(*line, kind, styles);
        ExpectPossibleStyles(*line, styles, kind, number);
        for (TokenStyle style : styles)
            ++counts[static_cast<std::size_t>(style)];
    }
    return counts;
}

std::size_t Count(const std::vector<std::size_t>& counts, TokenStyle style)
{
    return counts[static_cast<std::size_t>(style)];
}

TEST(ScriptLexerField, TheFieldsScriptsShowEveryCommandKnownAndNoImpossibleStyle)
{
    TESSARK_SKIP_WITHOUT_FIELD();
    for (const char* name : {"scripts/tr4-template-Script.txt", "scripts/trng-template-Script.txt",
                             "trng/flep-reverb-test/Script.txt", "trng/fix-lara-v2/script.txt",
                             "compiler/all-commands/SCRIPT.TXT"}) {
        SCOPED_TRACE(name);
        const auto text = tessark::test::FieldFile(name);
        ASSERT_TRUE(text);
        const auto counts = StyleFieldText(*text, TextKind::Script);
        EXPECT_EQ(Count(counts, TokenStyle::UnknownCommand), 0u);
        for (TokenStyle shown : {TokenStyle::Section, TokenStyle::KnownCommand, TokenStyle::Number,
                                 TokenStyle::String, TokenStyle::Value, TokenStyle::Operator})
            EXPECT_GT(Count(counts, shown), 0u) << "style " << Letter(shown);
    }
}

TEST(ScriptLexerField, TheFieldsLanguageFilesShowTheirHeadersAndLabels)
{
    TESSARK_SKIP_WITHOUT_FIELD();
    for (const char* name : {"trng/flep-reverb-test/English.txt", "scripts/tr4-template-English.txt",
                             "compiler/quirks/q09_language_escapes_labels_comments/ENGLISH.TXT"}) {
        SCOPED_TRACE(name);
        const auto text = tessark::test::FieldFile(name);
        ASSERT_TRUE(text);
        const auto counts = StyleFieldText(*text, TextKind::LanguageFile);
        EXPECT_GE(Count(counts, TokenStyle::LanguageHeader), std::string_view("[Strings][PSXStrings][PCStrings]").size());
        EXPECT_GT(Count(counts, TokenStyle::LabelPrefix), 0u);
        EXPECT_GT(Count(counts, TokenStyle::String), 0u);
        for (TokenStyle scriptOnly : {TokenStyle::KnownCommand, TokenStyle::UnknownCommand, TokenStyle::Directive})
            EXPECT_EQ(Count(counts, scriptOnly), 0u);
    }
}

} // namespace
