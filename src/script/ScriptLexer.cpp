#include "script/ScriptLexer.h"

#include "script/CheckText.h"
#include "script/NgTables.h"
#include "script/NgValues.h"
#include "script/ScriptCommands.h"
#include "script/TrngScript.h"

#include <algorithm>
#include <vector>

namespace tessark::script {
namespace {

using check::IsBlank;
using check::Lower;
using check::SameWord;

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

bool LowerLess(std::string_view a, std::string_view b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return Lower(x) < Lower(y); });
}

struct ClassicName {
    std::string_view name;
    bool wholeText;
};

// Every line of a 20 MB text asks: the names are sorted once, then halved.
const ClassicName* FindClassicCommand(std::string_view name)
{
    static const std::vector<ClassicName> sorted = [] {
        std::vector<ClassicName> list;
        for (const CommandRule& rule : ScriptCommands())
            list.push_back({rule.name, rule.wholeText});
        std::stable_sort(list.begin(), list.end(), [](auto& a, auto& b) { return LowerLess(a.name, b.name); });
        return list;
    }();
    const auto found = std::lower_bound(sorted.begin(), sorted.end(), name,
                                        [](const ClassicName& c, std::string_view n) { return LowerLess(c.name, n); });
    return found == sorted.end() || !SameWord(found->name, name) ? nullptr : &*found;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return IsDigit(c) || (Lower(c) >= 'a' && Lower(c) <= 'f'); }

bool IsDecimal(std::string_view term)
{
    if (term.starts_with('-') || term.starts_with('+'))
        term.remove_prefix(1);
    return !term.empty() && std::all_of(term.begin(), term.end(), IsDigit);
}

bool IsHex(std::string_view term)
{
    return term.size() > 1 && term[0] == '$' && std::all_of(term.begin() + 1, term.end(), IsHexDigit);
}

bool IsKeyword(std::string_view term)
{
    return SameWord(term, "ENABLED") || SameWord(term, "DISABLED") || SameWord(term, "IGNORE") ||
           FindNgConstant(term) != nullptr;
}

// How the values of a command read: classic values are numbers, keywords or
// text; an NG value may also name a #DEFINE or an object slot, and add terms.
enum class ValueKind { Classic, NgNumber, NgText };

TokenStyle TermStyle(std::string_view term, ValueKind kind)
{
    if (IsDecimal(term))
        return TokenStyle::Number;
    if (IsHex(term))
        return TokenStyle::HexNumber;
    if (IsKeyword(term) || (kind == ValueKind::NgNumber && check::IsName(term)))
        return TokenStyle::Value;
    return TokenStyle::String;
}

// The kind of an NG command's value by its place; an array goes on to the end.
ValueKind NgValueKind(const NgCommand& command, std::size_t index)
{
    const auto& arguments = command.arguments;
    if (arguments.count == 0)
        return ValueKind::NgNumber;
    const NgArgument kind = arguments.kinds[std::min(index, arguments.count - 1)];
    return kind == NgArgument::Text && index < arguments.count ? ValueKind::NgText : ValueKind::NgNumber;
}

// Paints the bytes of one line; every position it is given lies inside the line.
class LinePainter {
public:
    LinePainter(std::string_view line, std::span<TokenStyle> out) : line_(line), out_(out)
    {
        std::fill(out_.begin(), out_.end(), TokenStyle::Default);
    }

    void Paint(std::size_t from, std::size_t to, TokenStyle style)
    {
        std::fill(out_.begin() + static_cast<std::ptrdiff_t>(from), out_.begin() + static_cast<std::ptrdiff_t>(to),
                  style);
    }

    // [from, to) without the blanks at either end.
    void Trim(std::size_t& from, std::size_t& to) const
    {
        while (from < to && IsBlank(line_[from]))
            ++from;
        while (to > from && IsBlank(line_[to - 1]))
            --to;
    }

    std::string_view Text(std::size_t from, std::size_t to) const { return line_.substr(from, to - from); }

    // Where the code of the line starts (after a byte-order mark and blanks) and
    // ends (at the comment, which is painted). Both compilers cut a line at its
    // first ';', in a text value or a language string too.
    std::pair<std::size_t, std::size_t> Code()
    {
        std::size_t end = line_.find(';');
        if (end == std::string_view::npos)
            end = line_.size();
        else
            Paint(end, line_.size(), TokenStyle::Comment);
        std::size_t start = line_.starts_with(ByteOrderMark) ? ByteOrderMark.size() : 0;
        start = std::min(start, end);
        while (start < end && IsBlank(line_[start]))
            ++start;
        return {start, end};
    }

    // "[Name]"; a header not yet closed is painted to the end of the code, as it is being typed.
    void Header(std::size_t start, std::size_t end, TokenStyle style)
    {
        const std::size_t close = line_.find(']', start);
        Paint(start, close < end ? close + 1 : end, style);
    }

    void Term(std::size_t from, std::size_t to, ValueKind kind)
    {
        Trim(from, to);
        if (from < to)
            Paint(from, to, TermStyle(Text(from, to), kind));
    }

    // "a + b - 1": NG Center adds and subtracts constants and numbers; a sign
    // with nothing before it belongs to its number.
    void Sum(std::size_t from, std::size_t to)
    {
        std::size_t termStart = from;
        for (std::size_t i = from; i < to; ++i) {
            const char c = line_[i];
            const bool sign = c == '+' || (c == '-' && !IsBlankRun(termStart, i));
            if (!sign)
                continue;
            Term(termStart, i, ValueKind::NgNumber);
            Paint(i, i + 1, TokenStyle::Operator);
            termStart = i + 1;
        }
        Term(termStart, to, ValueKind::NgNumber);
    }

    // The comma-separated values of a classic command, of an NG one (`ng`), or
    // of a line that a ">" continues (NG, places unknown).
    void Values(std::size_t from, std::size_t to, const NgCommand* ng, bool continued = false)
    {
        std::size_t valueStart = from;
        std::size_t index = 0;
        for (std::size_t i = from; i <= to; ++i) {
            if (i < to && line_[i] != ',')
                continue;
            const ValueKind kind = continued ? ValueKind::NgNumber
                                   : ng      ? NgValueKind(*ng, index)
                                             : ValueKind::Classic;
            if (kind == ValueKind::NgNumber)
                Sum(valueStart, i);
            else
                Term(valueStart, i, kind);
            if (i < to)
                Paint(i, i + 1, TokenStyle::Operator);
            valueStart = i + 1;
            ++index;
        }
    }

private:
    bool IsBlankRun(std::size_t from, std::size_t to) const
    {
        return std::all_of(line_.begin() + static_cast<std::ptrdiff_t>(from),
                           line_.begin() + static_cast<std::ptrdiff_t>(to), IsBlank);
    }

    std::string_view line_;
    std::span<TokenStyle> out_;
};

class ScriptLine {
public:
    ScriptLine(std::string_view line, std::span<TokenStyle> out) : line_(line), paint_(line, out) {}

    void Style()
    {
        auto [start, end] = paint_.Code();
        if (start == end)
            return;
        if (line_[start] == '[')
            return paint_.Header(start, end, TokenStyle::Section);
        end = WithoutContinuation(start, end);
        if (line_[start] == '#')
            Directive(start, end);
        else
            Command(start, end);
    }

private:
    // A TRNG line ending with ">" goes on in the next one.
    std::size_t WithoutContinuation(std::size_t start, std::size_t end)
    {
        std::size_t last = end;
        while (last > start && IsBlank(line_[last - 1]))
            --last;
        if (last == start || line_[last - 1] != '>')
            return end;
        paint_.Paint(last - 1, last, TokenStyle::Operator);
        return last - 1;
    }

    void Command(std::size_t start, std::size_t end)
    {
        const std::size_t equals = line_.find('=', start);
        if (equals >= end)
            return NoEquals(start, end);
        std::size_t nameEnd = equals;
        paint_.Trim(start, nameEnd);
        const std::string_view name = paint_.Text(start, nameEnd);
        const ClassicName* classic = FindClassicCommand(name);
        const NgCommand* ng = classic ? nullptr : FindNgCommand(name);
        paint_.Paint(start, nameEnd, classic || ng ? TokenStyle::KnownCommand : TokenStyle::UnknownCommand);
        paint_.Paint(equals, equals + 1, TokenStyle::Operator);
        std::size_t valueStart = equals + 1;
        if (classic && classic->wholeText) {
            paint_.Trim(valueStart, end);
            return paint_.Paint(valueStart, end, TokenStyle::String);
        }
        paint_.Values(valueStart, end, ng);
    }

    // The values of a line that a ">" continues, or a command without its "=".
    void NoEquals(std::size_t start, std::size_t end)
    {
        const std::string_view code = paint_.Text(start, end);
        const bool continued = code.find(',') != std::string_view::npos || IsDecimal(code.substr(0, 1)) ||
                               code.starts_with('$') || code.starts_with('-');
        if (continued)
            return paint_.Values(start, end, nullptr, true);
        std::size_t wordEnd = end;
        paint_.Trim(start, wordEnd);
        paint_.Paint(start, wordEnd, TokenStyle::UnknownCommand);
    }

    void Directive(std::size_t start, std::size_t end)
    {
        std::size_t wordEnd = start;
        while (wordEnd < end && !IsBlank(line_[wordEnd]) && line_[wordEnd] != '"')
            ++wordEnd;
        const std::string_view word = paint_.Text(start, wordEnd);
        if (!IsNgDirective(word)) {
            paint_.Paint(start, wordEnd, TokenStyle::UnknownCommand);
            return paint_.Values(wordEnd, end, nullptr, true);
        }
        paint_.Paint(start, wordEnd, TokenStyle::Directive);
        if (SameWord(word, "#INCLUDE"))
            Included(wordEnd, end);
        else if (SameWord(word, "#DEFINE"))
            Define(wordEnd, end);
        else
            Command(wordEnd, end); // #FIRST_ID Command= number
    }

    void Included(std::size_t from, std::size_t to)
    {
        paint_.Trim(from, to);
        paint_.Paint(from, to, TokenStyle::String);
    }

    void Define(std::size_t from, std::size_t to)
    {
        paint_.Trim(from, to);
        std::size_t nameEnd = from;
        while (nameEnd < to && !IsBlank(line_[nameEnd]))
            ++nameEnd;
        paint_.Paint(from, nameEnd, TokenStyle::Value);
        paint_.Sum(nameEnd, to);
    }

    std::string_view line_;
    LinePainter paint_;
};

// "\n", "\t" and "\x" with one or two hex digits, as the compiler reads them.
void PaintEscapes(LinePainter& paint, std::string_view line, std::size_t from, std::size_t to)
{
    for (std::size_t i = from; i + 1 < to; ++i) {
        const char next = line[i + 1];
        if (line[i] != '\\' || (next != 'n' && next != 't' && next != 'x'))
            continue;
        std::size_t end = i + 2;
        while (next == 'x' && end < to && end < i + 4 && IsHexDigit(line[end]))
            ++end;
        paint.Paint(i, end, TokenStyle::Operator);
        i = end - 1;
    }
}

// A language line: a header, or a string with perhaps a "LABEL:" before it.
// The compiler drops leading tabs, keeps leading spaces, and reads a label as
// what follows any leading ':' up to the next ':'.
void StyleLanguageLine(std::string_view line, std::span<TokenStyle> out)
{
    LinePainter paint(line, out);
    const auto [start, end] = paint.Code();
    if (start == end)
        return;
    if (line[start] == '[')
        return paint.Header(start, end, TokenStyle::LanguageHeader);
    std::size_t textStart = start;
    const std::size_t colon = line.find(':', start);
    if (colon < end) {
        std::size_t labelStart = start;
        while (labelStart < end && line[labelStart] == ':')
            ++labelStart;
        const std::size_t labelEnd = std::min(line.find(':', labelStart), end);
        textStart = std::min(labelEnd + 1, end);
        paint.Paint(start, textStart, TokenStyle::LabelPrefix);
    }
    paint.Paint(textStart, end, TokenStyle::String);
    PaintEscapes(paint, line, textStart, end);
}

} // namespace

void StyleLine(std::string_view line, TextKind kind, std::span<TokenStyle> out)
{
    // A caller's mismatch styles what both hold rather than write past either.
    line = line.substr(0, out.size());
    out = out.first(line.size());
    if (kind == TextKind::LanguageFile)
        StyleLanguageLine(line, out);
    else
        ScriptLine(line, out).Style();
}

} // namespace tessark::script
