#include "script/ScriptCheck.h"

#include "script/ScriptCommands.h"
#include "util/Messages.h"
#include "util/Text1252.h"

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace tessark {

namespace {

using script::CommandRule;
using script::Section;

// Beyond this many findings the rest is counted in one closing line: a damaged
// or foreign file must not flood the report.
constexpr std::size_t MaxFindings = 1000;

constexpr bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

constexpr char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameWord(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return Lower(x) == Lower(y);
           });
}

std::string To1252(std::wstring_view text)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (wchar_t c : text)
        bytes += static_cast<char>(cp1252::FromUnicode(c).value_or('?'));
    return bytes;
}

// The pattern with %1, %2, ... replaced by the values in order.
std::string Fill(std::wstring_view pattern, std::initializer_list<std::string_view> values)
{
    const std::string bytes = To1252(pattern);
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char next = i + 1 < bytes.size() ? bytes[i + 1] : '\0';
        const auto index = static_cast<std::size_t>(next - '1');
        if (bytes[i] == '%' && next >= '1' && next <= '9' && index < values.size()) {
            text += values.begin()[index];
            ++i;
        } else {
            text += bytes[i];
        }
    }
    return text;
}

// The lines of the text, each without its line end; "\r\n", "\n" and "\r" each end a line.
class LineReader {
public:
    explicit LineReader(std::string_view text) : rest_(text) {}

    std::optional<std::string_view> Next()
    {
        if (done_)
            return std::nullopt;
        const auto end = rest_.find_first_of("\r\n");
        if (end == std::string_view::npos) {
            done_ = true;
            return rest_;
        }
        const std::string_view line = rest_.substr(0, end);
        const bool crlf = rest_[end] == '\r' && end + 1 < rest_.size() && rest_[end + 1] == '\n';
        rest_.remove_prefix(end + (crlf ? 2 : 1));
        return line;
    }

private:
    std::string_view rest_;
    bool done_ = false;
};

std::string_view WithoutComment(std::string_view line)
{
    return Trim(line.substr(0, line.find(';')));
}

std::vector<std::string_view> SplitValues(std::string_view value, bool wholeText)
{
    std::vector<std::string_view> values;
    if (value.empty())
        return values;
    if (wholeText) {
        values.push_back(value);
        return values;
    }
    for (;;) {
        const auto comma = value.find(',');
        values.push_back(Trim(value.substr(0, comma)));
        if (comma == std::string_view::npos)
            return values;
        value.remove_prefix(comma + 1);
    }
}

// A language file must lie in the script folder: no drive, no absolute path, no "..".
bool InsideScriptFolder(std::string_view path)
{
    if (path.find(':') != std::string_view::npos || path.starts_with('\\') || path.starts_with('/'))
        return false;
    while (!path.empty()) {
        const auto separator = path.find_first_of("\\/");
        if (Trim(path.substr(0, separator)) == "..")
            return false;
        if (separator == std::string_view::npos)
            break;
        path.remove_prefix(separator + 1);
    }
    return true;
}

std::string ValueCountText(const CommandRule& rule)
{
    if (rule.minValues == rule.maxValues)
        return std::to_string(rule.minValues);
    return Fill(msg::ScriptValueRange, {std::to_string(rule.minValues), std::to_string(rule.maxValues)});
}

class Checker {
public:
    explicit Checker(const ScriptFileLookup& files) : files_(files), seen_(script::ScriptCommands().size()) {}

    void CheckLine(int lineNumber, std::string_view rawLine)
    {
        line_ = lineNumber;
        const std::string_view line = WithoutComment(rawLine);
        if (line.empty())
            return;
        if (line.front() == '[')
            EnterSection(line);
        else
            CheckCommand(line);
    }

    Report Finish()
    {
        if (dropped_ > 0)
            report_.push_back({Fill(msg::ScriptMoreFindings, {std::to_string(dropped_)}), firstDroppedLine_, true});
        return std::move(report_);
    }

private:
    enum class Place { BeforeAnySection, Known, Unknown };

    void EnterSection(std::string_view header)
    {
        std::string_view name = header.substr(1);
        const auto close = name.find(']');
        const bool closed = close != std::string_view::npos && Trim(name.substr(close + 1)).empty();
        name = Trim(name.substr(0, close));
        std::fill(seen_.begin(), seen_.end(), false);
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

    void CheckLanguageFile(std::string_view file)
    {
        if (!InsideScriptFolder(file))
            Add(Fill(msg::ScriptLanguageFileOutside, {file}));
        else if (files_.languageFileExists && (file.empty() || !files_.languageFileExists(file)))
            Add(Fill(msg::ScriptLanguageFileMissing, {file}));
    }

    void CheckLevelFile(std::string_view path)
    {
        if (files_.levelFileExists && (path.empty() || !files_.levelFileExists(path)))
            Add(Fill(msg::ScriptLevelFileMissing, {path}));
    }

    void Add(std::string finding)
    {
        if (report_.size() >= MaxFindings) {
            if (dropped_++ == 0)
                firstDroppedLine_ = line_;
            return;
        }
        report_.push_back({Fill(msg::ScriptCheckLine, {std::to_string(line_)}) + finding, line_, true});
    }

    const ScriptFileLookup& files_;
    std::vector<bool> seen_; // per rule, in the current section
    Place place_ = Place::BeforeAnySection;
    Section section_ = Section::Options;
    std::string_view sectionName_;
    int line_ = 0;
    Report report_;
    std::size_t dropped_ = 0;
    int firstDroppedLine_ = 0;
};

} // namespace

Report CheckScript(std::string_view scriptText1252, const ScriptFileLookup& files)
{
    Checker checker(files);
    LineReader lines(scriptText1252);
    int lineNumber = 0;
    while (const auto line = lines.Next())
        checker.CheckLine(++lineNumber, *line);
    return checker.Finish();
}

} // namespace tessark
