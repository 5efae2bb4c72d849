#include "script/NgValues.h"

#include "script/CheckText.h"
#include "util/Messages.h"

#include <algorithm>
#include <optional>

namespace tessark::script::check {
namespace {

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }
constexpr bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
constexpr bool IsNameChar(char c) { return IsDigit(c) || c == '_' || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// "DGX_" of "DGX_LARA": the family a mnemonic constant belongs to.
std::string_view FamilyOf(std::string_view name)
{
    const auto underscore = name.find('_');
    return underscore == std::string_view::npos ? std::string_view{} : name.substr(0, underscore + 1);
}

bool IsConstantFamily(std::string_view family)
{
    if (family.empty())
        return false;
    const auto constants = NgConstants();
    return std::any_of(constants.begin(), constants.end(),
                       [&](const NgConstant& c) { return SameWord(FamilyOf(c.name), family); });
}

// The terms of "FO_ENABLED + FO_LOOP" or "BS_TG+1" or "-5".
std::vector<std::string_view> TermsOf(std::string_view value)
{
    std::vector<std::string_view> terms;
    for (;;) {
        const auto sign = value.find_first_of("+-");
        if (const auto term = Trim(value.substr(0, sign)); !term.empty())
            terms.push_back(term);
        if (sign == std::string_view::npos)
            return terms;
        value.remove_prefix(sign + 1);
    }
}

// A name NG Center would not know. Names outside every constant family may be
// the level's object slots, which only the level knows: they pass.
std::optional<std::string_view> UnknownTerm(std::string_view value, const NgNames& names)
{
    for (const auto term : TermsOf(value)) {
        if (IsNumber(term) || FindNgConstant(term) || names.defines->contains(Upper(term)))
            continue;
        if (!IsName(term) || IsConstantFamily(FamilyOf(term)))
            return term;
    }
    return std::nullopt;
}

// Customize= and Parameters= say with their first value which kind of data follows.
std::string_view FirstValueFamily(const NgCommand& command)
{
    if (SameWord(command.name, "Customize"))
        return "CUST_";
    if (SameWord(command.name, "Parameters"))
        return "PARAM_";
    return {};
}

std::string CountFinding(const NgCommand& command, std::string_view written, std::size_t count)
{
    const auto& args = command.arguments;
    const bool open = args.count > 0 && args.kinds[args.count - 1] == NgArgument::Array;
    const std::size_t fixed = open ? args.count - 1 : args.count;
    if (count == fixed || (open && count > fixed))
        return {};
    const std::string expected =
        open ? Fill(msg::ScriptValueAtLeast, {std::to_string(fixed)}) : std::to_string(fixed);
    return Fill(msg::ScriptWrongValueCount, {written, expected, std::to_string(count)});
}

bool IsChecked(NgArgument kind)
{
    return kind == NgArgument::Bool || kind == NgArgument::Word || kind == NgArgument::Long;
}

} // namespace

bool IsNumber(std::string_view term)
{
    if (term.starts_with('$'))
        return term.size() > 1 && std::all_of(term.begin() + 1, term.end(), IsHexDigit);
    return !term.empty() && std::all_of(term.begin(), term.end(), IsDigit);
}

bool IsName(std::string_view word)
{
    return !word.empty() && !IsDigit(word.front()) && std::all_of(word.begin(), word.end(), IsNameChar);
}

std::string Upper(std::string_view word)
{
    std::string upper(word);
    for (char& c : upper)
        c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    return upper;
}

std::string NgValuesFinding(const NgCommand& command, std::string_view written,
                            const std::vector<std::string_view>& values, const NgNames& names)
{
    if (auto finding = CountFinding(command, written, values.size()); !finding.empty())
        return finding;
    const std::string_view family = FirstValueFamily(command);
    if (!family.empty() && FindNgConstant(values[0]) && !SameWord(FamilyOf(values[0]), family))
        return Fill(msg::ScriptNgWrongFamily, {values[0], written, family});
    for (std::size_t i = 0; i < values.size() && i < command.arguments.count; ++i) {
        if (!IsChecked(command.arguments.kinds[i]))
            continue;
        if (const auto unknown = UnknownTerm(values[i], names))
            return Fill(msg::ScriptNgUnknownValue, {*unknown, written});
    }
    return {};
}

} // namespace tessark::script::check
