#include "script/ScriptCompletion.h"

#include "script/CheckText.h"
#include "script/CommandLayouts.h"
#include "script/NgTables.h"
#include "script/ScriptCommands.h"

#include <algorithm>

namespace tessark::script {
namespace {

using check::IsBlank;
using check::Lower;
using check::SameWord;
using check::Trim;

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

std::size_t SkipBlanks(std::string_view text, std::size_t at)
{
    if (text.substr(at).starts_with(ByteOrderMark))
        at += ByteOrderMark.size();
    while (at < text.size() && IsBlank(text[at]))
        ++at;
    return at;
}

// The name of the header that the line starting at `start` is, if it is one
// whose "[" lies before `limit`.
std::optional<std::string_view> HeaderAt(std::string_view text, std::size_t start, std::size_t limit)
{
    const std::size_t bracket = SkipBlanks(text, start);
    if (bracket >= limit || text[bracket] != '[')
        return std::nullopt;
    std::size_t end = bracket + 1;
    while (end < text.size() && !IsLineEnd(text[end]) && text[end] != ']' && text[end] != ';')
        ++end;
    return Trim(text.substr(bracket + 1, end - bracket - 1));
}

std::optional<Section> SectionNamed(std::string_view name)
{
    for (const SectionName& known : ScriptSections())
        if (SameWord(known.name, Trim(name)))
            return known.section;
    return std::nullopt;
}

bool NgTakes(const NgCommand& command, Section section)
{
    if (command.optionsOnly)
        return section == Section::Options;
    return section == Section::Title || section == Section::Level;
}

bool LowerLess(std::string_view a, std::string_view b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return Lower(x) < Lower(y); });
}

// Still typing the directive's word, or past the file name's closing quote.
bool WantsIncludeFile(std::string_view directiveLine)
{
    const std::size_t wordEnd = directiveLine.find_first_of(" \t\"");
    if (wordEnd == std::string_view::npos || !SameWord(directiveLine.substr(0, wordEnd), "#INCLUDE"))
        return false;
    return std::count(directiveLine.begin(), directiveLine.end(), '"') < 2;
}

bool IsNameBeingTyped(std::string_view text)
{
    return std::none_of(text.begin(), text.end(), [](char c) { return IsBlank(c) || c == ','; }) &&
           !(text.size() > 0 && text[0] >= '0' && text[0] <= '9');
}

} // namespace

std::string_view SectionAt(std::string_view text, std::size_t offset)
{
    offset = std::min(offset, text.size());
    std::size_t lineEnd = offset;
    for (;;) {
        std::size_t start = lineEnd;
        while (start > 0 && !IsLineEnd(text[start - 1]))
            --start;
        if (const auto name = HeaderAt(text, start, offset))
            return *name;
        if (start == 0)
            return {};
        lineEnd = start - 1;
    }
}

std::vector<CommandHint> CommandsForSection(std::string_view sectionName)
{
    const auto section = SectionNamed(sectionName);
    if (!section)
        return {};
    std::vector<CommandHint> hints;
    for (const CommandRule& rule : ScriptCommands())
        if ((rule.sections & Bit(*section)) != 0)
            hints.push_back({rule.name, ClassicLayout(rule)});
    for (const NgCommand& command : NgCommands())
        if (NgTakes(command, *section))
            hints.push_back({command.name, NgLayout(command)});
    // Classic rows come first, so a name both compilers know keeps the classic layout.
    std::stable_sort(hints.begin(), hints.end(), [](auto& a, auto& b) { return LowerLess(a.name, b.name); });
    const auto repeated = std::unique(hints.begin(), hints.end(),
                                      [](auto& a, auto& b) { return SameWord(a.name, b.name); });
    hints.erase(repeated, hints.end());
    return hints;
}

std::optional<std::string> ArgumentLayout(std::string_view sectionName, std::string_view command)
{
    for (CommandHint& hint : CommandsForSection(sectionName))
        if (SameWord(hint.name, Trim(command)))
            return std::move(hint.argumentLayout);
    return std::nullopt;
}

CompletionKind CompletionAt(std::string_view sectionName, std::string_view lineBeforeCaret)
{
    const std::string_view before = lineBeforeCaret.substr(SkipBlanks(lineBeforeCaret, 0));
    if (before.find(';') != std::string_view::npos || before.starts_with('['))
        return CompletionKind::None;
    if (before.starts_with('#'))
        return WantsIncludeFile(before) ? CompletionKind::IncludeFiles : CompletionKind::None;
    const std::size_t equals = before.find('=');
    if (equals == std::string_view::npos)
        return IsNameBeingTyped(before) && SectionNamed(sectionName) ? CompletionKind::Commands : CompletionKind::None;
    const bool fileName = SameWord(Trim(before.substr(0, equals)), "File") &&
                          before.find(',', equals) != std::string_view::npos;
    return fileName && SectionNamed(sectionName) == Section::Language ? CompletionKind::LanguageFiles
                                                                       : CompletionKind::None;
}

} // namespace tessark::script
