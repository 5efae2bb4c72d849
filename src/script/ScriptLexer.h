#pragma once
// The colouring of script and language texts, line by line. The script
// language has no construct that spans lines (a TRNG ">" continuation only
// carries values on), so each line is styled on its own and an editor styles
// only what is in view.
#include <cstdint>
#include <span>
#include <string_view>

namespace tessark::script {

enum class TokenStyle : std::uint8_t {
    Default,
    Section,
    KnownCommand,
    UnknownCommand,
    Value,          // ENABLED, DISABLED, IGNORE, NG constants; in NG values, names (#DEFINE, slots)
    Number,
    HexNumber,
    String,         // file names and free text
    Comment,
    Directive,      // #INCLUDE, #DEFINE, #FIRST_ID
    LanguageHeader, // [Strings], [PSXStrings], [PCStrings], [ExtraNG]
    LabelPrefix,    // "LABEL:" before a language string
    Operator,       // = , + - and a continuation's >; a language string's \n \t \xNN
};

inline constexpr std::size_t TokenStyleCount = static_cast<std::size_t>(TokenStyle::Operator) + 1;

enum class TextKind : std::uint8_t { Script, LanguageFile };

// Styles one line (its bytes in Windows-1252 or UTF-8, without its line end):
// out.size() == line.size(); out[i] is the style of byte i.
//
// A command is known when the classic compiler or NG Center knows its name,
// whatever section it stands in: a line is styled without its section, and
// the check marks a command its section does not take.
void StyleLine(std::string_view line, TextKind kind, std::span<TokenStyle> out);

} // namespace tessark::script
