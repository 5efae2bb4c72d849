#include "script/CompilerText.h"

#include <cctype>

namespace tessark::script {
namespace {

// Past this, a number is no line of a script.
constexpr int LargestLineNumber = 10'000'000;

char Lower(char c)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool StartsWithNoCase(std::string_view text, std::size_t at, std::string_view word)
{
    if (text.size() - at < word.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (Lower(text[at + i]) != word[i])
            return false;
    return true;
}

bool ContainsNoCase(std::string_view text, std::string_view word)
{
    for (std::size_t at = 0; at < text.size(); ++at)
        if (StartsWithNoCase(text, at, word))
            return true;
    return false;
}

// The number of digits at `at`, its value in `value` (0 when too large).
std::size_t ReadNumber(std::string_view text, std::size_t at, int& value)
{
    std::size_t end = at;
    long long number = 0;
    while (end < text.size() && IsDigit(text[end])) {
        if (number <= LargestLineNumber)
            number = number * 10 + (text[end] - '0');
        ++end;
    }
    value = number > 0 && number <= LargestLineNumber ? static_cast<int>(number) : 0;
    return end - at;
}

bool WordStartsAt(std::string_view text, std::size_t at)
{
    return at == 0 || !std::isalpha(static_cast<unsigned char>(text[at - 1]));
}

// "line 12", "ligne: 12", "Line #12".
int AfterWord(std::string_view text, std::size_t at, std::string_view word)
{
    if (!WordStartsAt(text, at) || !StartsWithNoCase(text, at, word))
        return 0;
    std::size_t next = at + word.size();
    while (next < text.size() && (text[next] == ' ' || text[next] == '\t' || text[next] == ':' || text[next] == '#'))
        ++next;
    int value = 0;
    return ReadNumber(text, next, value) > 0 ? value : 0;
}

// "(12)" or ":12:".
int BetweenMarks(std::string_view text, std::size_t at)
{
    const char open = text[at];
    if (open != '(' && open != ':')
        return 0;
    const char close = open == '(' ? ')' : ':';
    int value = 0;
    const std::size_t digits = ReadNumber(text, at + 1, value);
    const std::size_t end = at + 1 + digits;
    return digits > 0 && end < text.size() && text[end] == close ? value : 0;
}

std::string Printable(std::string_view line)
{
    std::string shown(line);
    for (char& c : shown)
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t')
            c = ' ';
    return shown;
}

} // namespace

bool IsErrorLine(std::string_view line)
{
    return ContainsNoCase(line, "error") || ContainsNoCase(line, "erreur");
}

int ScriptLineNamedIn(std::string_view line)
{
    for (std::size_t at = 0; at < line.size(); ++at) {
        for (std::string_view word : {std::string_view("line"), std::string_view("ligne")})
            if (const int value = AfterWord(line, at, word))
                return value;
        if (const int value = BetweenMarks(line, at))
            return value;
    }
    return 0;
}

Report CompilerTextToReport(std::string_view text)
{
    Report report;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = text.substr(start, end - start);
        report.push_back({Printable(line), ScriptLineNamedIn(line), IsErrorLine(line)});
        start = end;
        if (start < text.size() && text[start] == '\r')
            ++start;
        if (start < text.size() && text[start] == '\n')
            ++start;
    }
    while (!report.empty() && report.back().text.find_first_not_of(" \t") == std::string::npos)
        report.pop_back();
    return report;
}

} // namespace tessark::script
