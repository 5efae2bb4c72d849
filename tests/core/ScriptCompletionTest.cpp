// What the editor offers as a script is typed: the section at the caret, the
// commands each section takes with their argument layouts, and which list
// fits where the caret stands.
#include "script/CheckText.h"
#include "script/NgTables.h"
#include "script/ScriptCommands.h"
#include "script/ScriptCompletion.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace tessark::script;

namespace {

std::vector<std::string> Names(std::string_view section)
{
    std::vector<std::string> names;
    for (const CommandHint& hint : CommandsForSection(section))
        names.emplace_back(hint.name);
    return names;
}

bool Has(const std::vector<std::string>& names, std::string_view name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

std::size_t ValueCount(std::string_view layout)
{
    const auto values = layout.substr(layout.find('=') + 1);
    return 1 + static_cast<std::size_t>(std::count(values.begin(), values.end(), ','));
}

TEST(SectionAt, TheLastHeaderAboveTheOffset)
{
    const std::string_view text = "; [Level] in a comment\r\n[Options]\r\nLoadSave= ENABLED\r\n  [ Title ] ; x\r\nLevel= A, 1\n";
    EXPECT_EQ(SectionAt(text, 0), "");
    EXPECT_EQ(SectionAt(text, text.find("[Options]")), "") << "the caret before its '['";
    EXPECT_EQ(SectionAt(text, text.find("[Options]") + 1), "Options");
    EXPECT_EQ(SectionAt(text, text.find("ENABLED")), "Options");
    EXPECT_EQ(SectionAt(text, text.find("Level=")), "Title");
    EXPECT_EQ(SectionAt(text, text.size() + 100), "Title");
    EXPECT_EQ(SectionAt("\xEF\xBB\xBF[Language]\nFile= 0,", 20), "Language");
    EXPECT_EQ(SectionAt("[Lev", 4), "Lev");
    EXPECT_EQ(SectionAt("", 0), "");
}

TEST(SectionAt, ReadsOnlyBackFromTheOffsetInALargeText)
{
    std::string lines;
    while (lines.size() < 1'000'000)
        lines += "Fog= 1,2,3\r\n";
    std::string text = "[Level]\n";
    for (int i = 0; i < 20; ++i)
        text += lines;
    text += "[Title]\nLevel= A, 1\n";
    // A text cut short after the offset gives the same answer: nothing after it is read.
    const std::size_t offset = text.size() - 4;
    EXPECT_EQ(SectionAt(text, offset), "Title");
    EXPECT_EQ(SectionAt(std::string_view(text).substr(0, offset), offset), "Title");
    EXPECT_EQ(SectionAt(text, 12'000'000), "Level");
}

TEST(CommandsForSection, TitleLevelOptionsAndLanguageTakeTheirOwn)
{
    const auto title = Names("Title");
    EXPECT_TRUE(Has(title, "Level") && Has(title, "LoadCamera") && Has(title, "Customize"));
    EXPECT_FALSE(Has(title, "Name")) << "the title has no name";
    EXPECT_FALSE(Has(title, "Diagnostic")) << "an [Options] command";
    const auto level = Names("level");
    EXPECT_TRUE(Has(level, "Name") && Has(level, "PuzzleCombo") && Has(level, "Enemy") && Has(level, "FMV"));
    const auto options = Names("OPTIONS");
    EXPECT_TRUE(Has(options, "LoadSave") && Has(options, "Diagnostic") && Has(options, "WorldFarView"));
    EXPECT_FALSE(Has(options, "Level") || Has(options, "Enemy"));
    EXPECT_EQ(Names("Language"), std::vector<std::string>{"File"});
    EXPECT_EQ(Names("PCExtensions"), (std::vector<std::string>{"Cut", "FMV", "Level"}));
    EXPECT_TRUE(Names("Strings").empty());
    EXPECT_TRUE(Names("").empty());
}

TEST(CommandsForSection, SortedCaseBlindWithoutRepeats)
{
    for (const SectionName& section : ScriptSections()) {
        const auto names = Names(section.name);
        SCOPED_TRACE(std::string(section.name));
        const auto lower = [](std::string s) {
            std::transform(s.begin(), s.end(), s.begin(), check::Lower);
            return s;
        };
        EXPECT_TRUE(std::is_sorted(names.begin(), names.end(), [&](auto& a, auto& b) { return lower(a) < lower(b); }));
        EXPECT_EQ(std::adjacent_find(names.begin(), names.end(), [&](auto& a, auto& b) { return lower(a) == lower(b); }),
                  names.end());
    }
}

TEST(ArgumentLayout, EachLayoutHasAsManyValuesAsTheCommandTakes)
{
    for (const SectionName& section : ScriptSections())
        for (const CommandRule& rule : ScriptCommands())
            if ((rule.sections & Bit(section.section)) != 0 && !rule.wholeText) {
                const auto layout = ArgumentLayout(section.name, rule.name);
                ASSERT_TRUE(layout) << rule.name;
                EXPECT_EQ(ValueCount(*layout), static_cast<std::size_t>(rule.maxValues)) << *layout;
                EXPECT_EQ(layout->find("valeur"), std::string::npos) << "a value without its wording: " << *layout;
                EXPECT_EQ(layout->find('?'), std::string::npos) << "a letter Windows-1252 lacks: " << *layout;
            }
    for (const NgCommand& command : NgCommands()) {
        const auto layout = ArgumentLayout(command.optionsOnly ? "Options" : "Level", command.name);
        ASSERT_TRUE(layout) << command.name;
        EXPECT_EQ(ValueCount(*layout), command.arguments.count) << *layout;
    }
}

TEST(ArgumentLayout, TheWordingOfTheSectionsOwnCommand)
{
    EXPECT_EQ(ArgumentLayout("Level", "Level"), "Level=fichier du niveau, piste audio");
    EXPECT_EQ(ArgumentLayout("PCExtensions", "level"), "Level=extension des niveaux");
    EXPECT_EQ(ArgumentLayout("Language", "File "), "File=num\xe9ro de langue, fichier texte");
    EXPECT_EQ(ArgumentLayout("Options", "diagnostic"), "Diagnostic=ENABLED/DISABLED");
    EXPECT_EQ(ArgumentLayout("Level", "Customize"), "Customize=CUST_..., nombres...");
    EXPECT_EQ(ArgumentLayout("Level", "Enemy"), "Enemy=objet, nombre, nombre, nombre, nombre, nombres...");
    EXPECT_EQ(ArgumentLayout("Level", "Name"), "Name=nom du niveau");
    EXPECT_EQ(ArgumentLayout("Title", "Name"), std::nullopt);
    EXPECT_EQ(ArgumentLayout("Level", "Fogg"), std::nullopt);
    EXPECT_EQ(ArgumentLayout("", "Fog"), std::nullopt);
}

TEST(CompletionAt, CommandsAtTheStartOfALineOnly)
{
    EXPECT_EQ(CompletionAt("Level", ""), CompletionKind::Commands);
    EXPECT_EQ(CompletionAt("Level", "\tLoadCa"), CompletionKind::Commands);
    EXPECT_EQ(CompletionAt("Options", "Diag"), CompletionKind::Commands);
    EXPECT_EQ(CompletionAt("Level", "Fog= "), CompletionKind::None) << "after '=', the call tip's place";
    EXPECT_EQ(CompletionAt("Level", "Fog "), CompletionKind::None);
    EXPECT_EQ(CompletionAt("Level", "  3, 4"), CompletionKind::None) << "a continued line";
    EXPECT_EQ(CompletionAt("Level", "; Fog"), CompletionKind::None);
    EXPECT_EQ(CompletionAt("Level", "[Le"), CompletionKind::None);
    EXPECT_EQ(CompletionAt("", "Fog"), CompletionKind::None) << "before any section";
    EXPECT_EQ(CompletionAt("Strings", "Fog"), CompletionKind::None);
}

TEST(CompletionAt, LanguageAndIncludeFiles)
{
    EXPECT_EQ(CompletionAt("Language", "File= 0, "), CompletionKind::LanguageFiles);
    EXPECT_EQ(CompletionAt("language", "File=1,ENG"), CompletionKind::LanguageFiles);
    EXPECT_EQ(CompletionAt("Language", "File= "), CompletionKind::None) << "the number comes first";
    EXPECT_EQ(CompletionAt("Language", "Fi"), CompletionKind::Commands);
    EXPECT_EQ(CompletionAt("Level", "File= 0, "), CompletionKind::None);
    EXPECT_EQ(CompletionAt("Level", "#INCLUDE "), CompletionKind::IncludeFiles);
    EXPECT_EQ(CompletionAt("", "#include \"Ti"), CompletionKind::IncludeFiles);
    EXPECT_EQ(CompletionAt("Level", "#INCLUDE \"Title.txt\" "), CompletionKind::None);
    EXPECT_EQ(CompletionAt("Level", "#INCLU"), CompletionKind::None);
    EXPECT_EQ(CompletionAt("Level", "#DEFINE "), CompletionKind::None);
}

} // namespace
