// How the engine's script compiler reads a language file, worked out from the
// files it wrote under the field's compiler/ (quirks/q09 for the first four
// rules; all-commands and tr4-template for STRINGS.H):
// - "[Strings]", "[PSXStrings]", "[PCStrings]" open the three groups; lines
//   before them and in any other section ("[ExtraNG]") are no strings.
// - ';' starts a comment anywhere in a line; leading tabs go, leading and
//   trailing blanks stay; a line left empty is no string.
// - A line with a ':' carries a label: leading ':' are skipped, the label runs
//   to the next ':' and the string is what follows (it may hold more ':').
//   With nothing after that ':' the compiler copies whatever its memory held
//   at address 0; under DOSBox those are the two bytes 0x60 0x10, which is
//   what we store too.
// - Escapes: "\n", "\t", "\x" with one or two hex digits; a NUL ends the string.
// - STRINGS.H names a labelled string TXT_<label>; any other one TXT_ and its
//   ASCII letters and digits, each run of spaces, line breaks and '-' as one
//   '_' (tabs and other signs dropped: "Tab\tEsc" gives TXT_TabEsc), whole words up to 24 characters ("Mechanical
//   Scarab With Key" gives TXT_Mechanical_Scarab_With); a name given before, case counting, gets 2, 3, ... added
//   (TXT_Small_Waterskin2). The date reads day/month/years since 1900.
#include "script/LanguageStrings.h"

#include "script/ScriptLines.h"

#include <cstdio>

namespace tessark::script {
namespace {

constexpr std::size_t LongestDerivedName = 24;
// What the original copies for a label with no string after it (see above).
constexpr std::string_view EmptyAfterLabel = "\x60\x10";

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string Unescaped(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (text[i] != '\\' || (next != 'n' && next != 't' && next != 'x')) {
            out += text[i];
            continue;
        }
        ++i;
        if (next != 'x') {
            out += next == 'n' ? '\n' : '\t';
            continue;
        }
        int value = 0;
        for (int digits = 0; digits < 2 && i + 1 < text.size() && HexValue(text[i + 1]) >= 0; ++digits)
            value = value * 16 + HexValue(text[++i]);
        if (value == 0)
            break; // the string ends at a NUL
        out += static_cast<char>(value);
    }
    return out;
}

std::optional<std::size_t> GroupOf(std::string_view header)
{
    constexpr std::array<std::string_view, StringGroupCount> Names = {"[Strings]", "[PSXStrings]", "[PCStrings]"};
    const std::string_view name = header.substr(0, header.find(']') + 1);
    for (std::size_t g = 0; g < Names.size(); ++g)
        if (SameWordNoCase(name, Names[g]))
            return g;
    return std::nullopt;
}

LanguageString StringOfLine(std::string_view line, int lineNumber)
{
    LanguageString string;
    string.line = lineNumber;
    if (line.find(':') == std::string_view::npos) {
        string.text = Unescaped(line);
        return string;
    }
    const std::size_t start = std::min(line.find_first_not_of(':'), line.size());
    const std::size_t end = std::min(line.find(':', start), line.size());
    string.labelled = true;
    string.label = std::string(line.substr(start, end - start));
    const std::string_view rest = end < line.size() ? line.substr(end + 1) : std::string_view{};
    string.text = rest.empty() ? std::string(EmptyAfterLabel) : Unescaped(rest);
    return string;
}

bool IsNameLetter(unsigned char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::string DerivedName(std::string_view text)
{
    std::string name;
    for (const char c : text) {
        if (IsNameLetter(static_cast<unsigned char>(c)))
            name += c;
        else if ((c == ' ' || c == '\n' || c == '-') && !name.empty() && name.back() != '_')
            name += '_';
    }
    if (name.size() <= LongestDerivedName || name[LongestDerivedName] == '_')
        return name.substr(0, LongestDerivedName);
    const std::size_t lastBreak = name.rfind('_', LongestDerivedName);
    return name.substr(0, lastBreak == std::string::npos || lastBreak == 0 ? LongestDerivedName : lastBreak);
}

void AppendU16(std::string& out, std::size_t value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

std::uint16_t U16At(std::string_view bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                      (static_cast<unsigned char>(bytes[at + 1]) << 8));
}

constexpr std::string_view HeaderTop =
    "/****************************************************************************\r\n"
    "*\r\n"
    "* STRINGS.H\r\n"
    "*\r\n"
    "* PROGRAMMER : Chris\r\n"
    "*    VERSION : 00.00\r\n";
constexpr std::string_view HeaderMiddle =
    "*       TABS : 5\r\n"
    "*\r\n"
    "* DESCRIPTION\r\n"
    "*\tString equates\r\n"
    "*\r\n"
    "*****************************************************************************/\r\n"
    "\r\n"
    "#ifndef _GSTRINGS_H\r\n"
    "#define _GSTRINGS_H\r\n"
    "\r\n"
    "#ifdef __cplusplus\r\n"
    "extern \"C\" {\r\n"
    "#endif\r\n"
    "\r\n"
    "/*--------------------------------------------------------------------------*\r\n"
    " *\tConstants\r\n"
    "\\*--------------------------------------------------------------------------*/\r\n"
    "\r\n"
    "enum {\r\n";
constexpr std::array<std::string_view, StringGroupCount> GroupOpening = {
    "", "\r\n/* -------- PlayStation strings */\r\n\r\n", "\r\n/* -------- PC strings */\r\n\r\n"};
constexpr std::string_view HeaderBottom = "\tTXT_NUM_STRINGS\r\n"
                                          "};\r\n"
                                          "\r\n"
                                          "#ifdef __cplusplus\r\n"
                                          "}\r\n"
                                          "#endif\r\n"
                                          "\r\n"
                                          "#endif\r\n"
                                          "\r\n";

} // namespace

std::size_t LanguageStrings::Count() const { return groups[0].size() + groups[1].size() + groups[2].size(); }

void LanguageStrings::Index()
{
    firstIndex_.clear();
    std::size_t index = 0;
    for (const auto& group : groups)
        for (const LanguageString& string : group)
            firstIndex_.try_emplace(string.text, index++);
}

std::optional<std::size_t> LanguageStrings::IndexOf(std::string_view text) const
{
    const auto found = firstIndex_.find(std::string(text));
    if (found == firstIndex_.end())
        return std::nullopt;
    return found->second;
}

LanguageStrings ReadLanguageText(std::string_view text)
{
    LanguageStrings strings;
    std::optional<std::size_t> group;
    ForEachLine(WithoutByteOrderMark(text), [&](std::string_view line, int lineNumber) {
        if (line.starts_with('[')) {
            group = GroupOf(line);
            return;
        }
        line = line.substr(0, line.find(';'));
        line.remove_prefix(std::min(line.find_first_not_of('\t'), line.size()));
        if (group && !line.empty())
            strings.groups[*group].push_back(StringOfLine(line, lineNumber));
    });
    strings.Index();
    return strings;
}

std::optional<std::string> LanguageDatBytes(const LanguageStrings& strings)
{
    std::array<std::size_t, StringGroupCount> lengths{};
    for (std::size_t g = 0; g < StringGroupCount; ++g)
        for (const LanguageString& string : strings.groups[g])
            lengths[g] += string.text.size() + 1;
    if (strings.Count() > 0xFFFF || lengths[0] + lengths[1] + lengths[2] > 0x10000)
        return std::nullopt; // the last offset must fit in 16 bits
    std::string out;
    out.reserve(12 + 2 * strings.Count() + lengths[0] + lengths[1] + lengths[2]);
    for (const auto& group : strings.groups)
        AppendU16(out, group.size());
    for (const std::size_t length : lengths)
        AppendU16(out, length);
    std::size_t offset = 0;
    for (const auto& group : strings.groups)
        for (const LanguageString& string : group) {
            AppendU16(out, offset);
            offset += string.text.size() + 1;
        }
    for (const auto& group : strings.groups)
        for (const LanguageString& string : group) {
            for (const char c : string.text)
                out += static_cast<char>(c ^ 0xA5);
            out += '\0';
        }
    return out;
}

std::string StringsHeaderText(const LanguageStrings& strings, const CompileDate& date)
{
    char dated[64];
    std::snprintf(dated, sizeof dated, "%02d/%02d/%d", date.day, date.month, date.year - 1900);
    std::string out(HeaderTop);
    out += "*    CREATED : " + std::string(dated) + "\r\n";
    out += "*   MODIFIED : " + std::string(dated) + "\r\n";
    out += HeaderMiddle;
    std::unordered_map<std::string, int> given;
    for (std::size_t g = 0; g < StringGroupCount; ++g) {
        out += GroupOpening[g];
        for (const LanguageString& string : strings.groups[g]) {
            std::string name = string.labelled ? string.label : DerivedName(string.text);
            if (const int times = ++given[name]; times > 1)
                name += std::to_string(times);
            out += "\tTXT_" + name + ",\r\n";
        }
    }
    out += HeaderBottom;
    return out;
}

std::optional<std::array<std::vector<std::string>, StringGroupCount>> ReadLanguageDat(std::string_view bytes)
{
    if (bytes.size() < 12)
        return std::nullopt;
    std::array<std::size_t, StringGroupCount> counts{};
    std::size_t total = 0;
    for (std::size_t g = 0; g < StringGroupCount; ++g)
        total += counts[g] = U16At(bytes, 2 * g);
    const std::size_t base = 12 + 2 * total;
    if (base > bytes.size())
        return std::nullopt;
    const std::string_view text = bytes.substr(base);
    std::array<std::vector<std::string>, StringGroupCount> groups;
    std::size_t index = 0;
    for (std::size_t g = 0; g < StringGroupCount; ++g)
        for (std::size_t i = 0; i < counts[g]; ++i, ++index) {
            const std::size_t offset = U16At(bytes, 12 + 2 * index);
            const std::size_t end = text.find('\0', offset);
            if (offset >= text.size() || end == std::string_view::npos)
                return std::nullopt;
            std::string string(text.substr(offset, end - offset));
            for (char& c : string)
                c = static_cast<char>(c ^ 0xA5);
            groups[g].push_back(std::move(string));
        }
    return groups;
}

} // namespace tessark::script
