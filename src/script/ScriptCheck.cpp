#include "script/ScriptCheck.h"

#include "script/CheckText.h"
#include "script/LanguageCheck.h"
#include "script/NgTables.h"
#include "script/NgValues.h"
#include "script/ScriptCommands.h"
#include "script/TrngScript.h"
#include "util/Messages.h"
#include "util/Utf8.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace tessark {

namespace {

using namespace script::check;
using script::CommandRule;
using script::NgCommand;
using script::Section;

// Beyond this many findings the rest is counted in one closing line: a damaged
// or foreign file must not flood the report.
constexpr std::size_t MaxFindings = 1000;
// Includes nest a few deep in real projects; past these, a chain of files
// that include one another under different names is cut short.
constexpr int MaxIncludeDepth = 16;
constexpr int MaxIncludes = 256;

std::string ValueCountText(const CommandRule& rule)
{
    if (rule.minValues == rule.maxValues)
        return std::to_string(rule.minValues);
    return Fill(msg::ScriptValueRange, {std::to_string(rule.minValues), std::to_string(rule.maxValues)});
}

// "Title.txt" of `"Title.txt"`; the quotes may be left out.
std::string_view IncludedName(std::string_view rest)
{
    if (!rest.starts_with('"'))
        return rest;
    rest.remove_prefix(1);
    return Trim(rest.substr(0, rest.find('"')));
}

// The file a line being checked belongs to, when it is not the script itself.
struct Origin {
    std::string file;
    int scriptLine;       // the line of the script whose #INCLUDE or File= leads here
    const Origin* parent; // the file that includes this one, if it is not the script
    int depth;
};

class Checker {
public:
    Checker(const ScriptFileLookup& files, bool trng)
        : files_(files), trng_(trng), seen_(script::ScriptCommands().size()), ngCount_(script::NgCommands().size())
    {
    }

    void CheckText(std::string_view text)
    {
        CheckEncoding(text);
        LineReader lines(utf8::WithoutMark(text));
        std::string joined;
        int number = 0;
        int firstLine = 0;
        while (const auto line = lines.Next()) {
            ++number;
            const std::string_view content = WithoutComment(*line);
            if (trng_ && content.ends_with('>')) {
                if (joined.empty())
                    firstLine = number;
                joined.append(content.substr(0, content.size() - 1)).append(" ");
                continue;
            }
            if (joined.empty())
                CheckLine(number, content);
            else
                CheckLine(firstLine, joined.append(content));
            joined.clear();
        }
        if (!joined.empty())
            CheckLine(firstLine, Trim(joined));
    }

    Report Finish()
    {
        // Lines joined by ">" and a UTF-8 finding on a later line come out of turn.
        std::stable_sort(report_.begin(), report_.end(),
                         [](const ReportLine& a, const ReportLine& b) { return a.scriptLine < b.scriptLine; });
        if (dropped_ > 0)
            report_.push_back({Fill(msg::ScriptMoreFindings, {std::to_string(dropped_)}), firstDroppedLine_, true});
        return std::move(report_);
    }

private:
    enum class Place { BeforeAnySection, Known, Unknown };

    void CheckLine(int lineNumber, std::string_view line)
    {
        fileLine_ = lineNumber;
        if (line.empty())
            return;
        if (line.front() == '[')
            EnterSection(line);
        else if (trng_ && line.front() == '#')
            CheckDirective(line);
        else
            CheckCommand(line);
    }

    void EnterSection(std::string_view header)
    {
        std::string_view name = header.substr(1);
        const auto close = name.find(']');
        const bool closed = close != std::string_view::npos && Trim(name.substr(close + 1)).empty();
        name = Trim(name.substr(0, close));
        std::fill(seen_.begin(), seen_.end(), false);
        std::fill(ngCount_.begin(), ngCount_.end(), 0);
        for (const auto& known : script::ScriptSections()) {
            if (closed && SameWord(name, known.name)) {
                place_ = Place::Known;
                section_ = known.section;
                sectionName_ = known.name;
                return;
            }
        }
        place_ = Place::Unknown;
        Add(Fill(msg::ScriptUnknownSection, {header}));
    }

    void CheckCommand(std::string_view line)
    {
        const auto equals = line.find('=');
        const std::string_view command = Trim(line.substr(0, equals));
        const std::string_view value = equals == std::string_view::npos ? std::string_view{}
                                                                         : Trim(line.substr(equals + 1));
        if (place_ == Place::Unknown)
            return; // the section is reported once, not each of its lines
        if (place_ == Place::BeforeAnySection) {
            Add(Fill(msg::ScriptCommandBeforeSection, {command}));
            return;
        }
        const auto& commands = script::ScriptCommands();
        const auto isCommand = [&](const CommandRule& rule) { return SameWord(rule.name, command); };
        const auto known = std::find_if(commands.begin(), commands.end(), isCommand);
        if (known == commands.end()) {
            const NgCommand* ng = trng_ ? script::FindNgCommand(command) : nullptr;
            if (ng)
                CheckNgCommand(*ng, command, value);
            else
                Add(Fill(msg::ScriptUnknownCommand, {command}));
            return;
        }
        const auto taken = std::find_if(known, commands.end(), [&](const CommandRule& rule) {
            return isCommand(rule) && (rule.sections & script::Bit(section_)) != 0;
        });
        if (taken == commands.end()) {
            Add(Fill(msg::ScriptCommandNotInSection, {sectionName_, command}));
            return;
        }
        CheckUse(*taken, static_cast<std::size_t>(taken - commands.begin()), command, value);
    }

    void CheckUse(const CommandRule& rule, std::size_t ruleIndex, std::string_view command, std::string_view value)
    {
        if (seen_[ruleIndex] && !rule.repeats)
            Add(Fill(msg::ScriptRepeatedCommand, {command}));
        seen_[ruleIndex] = true;
        const auto values = SplitValues(value, rule.wholeText);
        const auto count = static_cast<int>(values.size());
        if (count < rule.minValues || count > rule.maxValues) {
            Add(Fill(msg::ScriptWrongValueCount, {command, ValueCountText(rule), std::to_string(count)}));
            return;
        }
        if (section_ == Section::Language && SameWord(rule.name, "File"))
            CheckLanguageFile(values[1]);
        else if ((section_ == Section::Level || section_ == Section::Title) && SameWord(rule.name, "Level"))
            CheckLevelFile(values[0]);
    }

    void CheckNgCommand(const NgCommand& rule, std::string_view command, std::string_view value)
    {
        const bool inOptions = section_ == Section::Options;
        const bool inLevels = section_ == Section::Title || section_ == Section::Level;
        if (rule.optionsOnly ? !inOptions : !inLevels) {
            Add(Fill(msg::ScriptCommandNotInSection, {sectionName_, command}));
            return;
        }
        if (origin_ && SameWord(rule.name, "Plugin"))
            Add(Fill(msg::ScriptPluginInInclude, {command}));
        CountNgUse(rule, command);
        const std::string finding = NgValuesFinding(rule, command, SplitValues(value, false), {&defines_});
        if (!finding.empty())
            Add(finding);
    }

    void CountNgUse(const NgCommand& rule, std::string_view command)
    {
        int& count = ngCount_[static_cast<std::size_t>(&rule - script::NgCommands().data())];
        ++count;
        if (rule.perSection == 1 && count == 2)
            Add(Fill(msg::ScriptRepeatedCommand, {command}));
        else if (rule.perSection > 1 && count == rule.perSection + 1)
            Add(Fill(msg::ScriptTooManyCommands, {command, std::to_string(rule.perSection)}));
    }

    void CheckDirective(std::string_view line)
    {
        const std::string_view word = line.substr(0, line.find_first_of(" \t\""));
        const std::string_view rest = Trim(line.substr(word.size()));
        if (SameWord(word, "#INCLUDE"))
            Include(word, IncludedName(rest));
        else if (SameWord(word, "#DEFINE"))
            Define(word, rest);
        else if (SameWord(word, "#FIRST_ID"))
            FirstId(word, rest);
        else
            Add(Fill(msg::ScriptUnknownDirective, {word}));
    }

    void Define(std::string_view word, std::string_view rest)
    {
        const auto blank = rest.find_first_of(" \t");
        const std::string_view name = rest.substr(0, blank);
        const std::string_view value = blank == std::string_view::npos ? std::string_view{} : Trim(rest.substr(blank));
        if (!IsName(name) || value.empty())
            Add(Fill(msg::ScriptDirectiveMalformed, {word, "#DEFINE NOM valeur"}));
        else
            defines_.insert(Upper(name));
    }

    void FirstId(std::string_view word, std::string_view rest)
    {
        const auto equals = rest.find('=');
        const std::string_view command = Trim(rest.substr(0, equals));
        const std::string_view number = equals == std::string_view::npos ? std::string_view{} : Trim(rest.substr(equals + 1));
        if (!script::FindNgCommand(command) || !(IsNumber(number) || defines_.contains(Upper(number))))
            Add(Fill(msg::ScriptDirectiveMalformed, {word, "#FIRST_ID Commande= num\xe9ro"}));
    }

    void Include(std::string_view word, std::string_view name)
    {
        if (name.empty())
            return Add(Fill(msg::ScriptDirectiveMalformed, {word, "#INCLUDE \"fichier\""}));
        if (!InsideScriptFolder(name))
            return Add(Fill(msg::ScriptIncludeOutside, {name}));
        if (!files_.readScriptFile)
            return;
        if (SameWord(name, files_.scriptName))
            return Add(Fill(msg::ScriptIncludeLoop, {name}));
        for (const Origin* o = origin_; o; o = o->parent) {
            if (SameWord(o->file, name))
                return Add(Fill(msg::ScriptIncludeLoop, {name}));
        }
        const int depth = origin_ ? origin_->depth + 1 : 1;
        if (depth > MaxIncludeDepth || includes_ >= MaxIncludes)
            return Add(Fill(msg::ScriptIncludesTooDeep, {name}));
        ++includes_;
        const auto text = files_.readScriptFile(name);
        if (!text)
            return Add(Fill(msg::ScriptIncludeMissing, {name}));
        const Origin child{std::string(name), ReportLineNumber(), origin_, depth};
        WithOrigin(child, [&] { CheckText(*text); });
    }

    void CheckLanguageFile(std::string_view file)
    {
        if (!InsideScriptFolder(file))
            Add(Fill(msg::ScriptLanguageFileOutside, {file}));
        else if (files_.languageFileExists && (file.empty() || !files_.languageFileExists(file)))
            Add(Fill(msg::ScriptLanguageFileMissing, {file}));
        else if (files_.readScriptFile && !file.empty())
            CheckLanguageText(file);
    }

    void CheckLanguageText(std::string_view file)
    {
        const auto text = files_.readScriptFile(file);
        if (!text)
            return;
        const Origin child{std::string(file), ReportLineNumber(), nullptr, 1};
        WithOrigin(child, [&] {
            CheckEncoding(*text);
            for (const auto& finding : script::check::CheckLanguageText(utf8::WithoutMark(*text))) {
                fileLine_ = finding.line;
                Add(finding.text);
            }
        });
    }

    // The game reads every byte as one Windows-1252 character: said once a file.
    void CheckEncoding(std::string_view text)
    {
        if (const auto line = utf8::Utf8Line(text)) {
            fileLine_ = *line;
            Add(Fill(msg::ScriptFileInUtf8, {}));
        }
    }

    void CheckLevelFile(std::string_view path)
    {
        if (files_.levelFileExists && (path.empty() || !files_.levelFileExists(path)))
            Add(Fill(msg::ScriptLevelFileMissing, {path}));
    }

    // Runs `check` on lines of another file, then comes back to this line.
    template <typename Check>
    void WithOrigin(const Origin& origin, Check check)
    {
        const Origin* outer = origin_;
        const int outerLine = fileLine_;
        origin_ = &origin;
        check();
        origin_ = outer;
        fileLine_ = outerLine;
    }

    int ReportLineNumber() const { return origin_ ? origin_->scriptLine : fileLine_; }

    void Add(std::string finding)
    {
        const int line = ReportLineNumber();
        if (report_.size() >= MaxFindings) {
            if (dropped_++ == 0)
                firstDroppedLine_ = line;
            return;
        }
        std::string text = Fill(msg::ScriptCheckLine, {std::to_string(line)});
        if (origin_)
            text += Fill(msg::ScriptInFile, {origin_->file, std::to_string(fileLine_)});
        report_.push_back({text + finding, line, true});
    }

    const ScriptFileLookup& files_;
    const bool trng_;
    std::vector<bool> seen_;   // per classic rule, in the current section
    std::vector<int> ngCount_; // per NG command, in the current section
    std::set<std::string> defines_;
    Place place_ = Place::BeforeAnySection;
    Section section_ = Section::Options;
    std::string_view sectionName_;
    const Origin* origin_ = nullptr;
    int fileLine_ = 0;
    int includes_ = 0;
    Report report_;
    std::size_t dropped_ = 0;
    int firstDroppedLine_ = 0;
};

} // namespace

Report CheckScript(std::string_view scriptText1252, const ScriptFileLookup& files, ScriptDialect dialect)
{
    const bool trng = dialect == ScriptDialect::Trng || script::TrngSignOf(scriptText1252).has_value();
    Checker checker(files, trng);
    checker.CheckText(scriptText1252);
    return checker.Finish();
}

std::optional<std::string_view> IncludedFileOf(std::string_view line)
{
    line = Trim(line);
    const std::string_view word = line.substr(0, line.find_first_of(" \t\""));
    if (!SameWord(word, "#INCLUDE"))
        return std::nullopt;
    const std::string_view name = IncludedName(Trim(line.substr(word.size())));
    if (name.empty())
        return std::nullopt;
    return name;
}

} // namespace tessark
