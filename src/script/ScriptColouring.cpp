// The script's colours: Scintilla asks for the styles of the text it is
// about to show, and each line is styled on its own by the script lexer, so
// a long text costs no more than the part in view.
#include "script/ScriptArea.h"

#include "script/ScriptLexer.h"
#include "ui/ScintillaEdit.h"

#include <Scintilla.h>

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

namespace tessark {
namespace {

using script::TokenStyle;

struct Look {
    TokenStyle token;
    COLORREF colour;
    bool bold;
};

constexpr std::array<Look, script::TokenStyleCount> Looks = {{
    {TokenStyle::Default, RGB(0x00, 0x00, 0x00), false},
    {TokenStyle::Section, RGB(0x00, 0x00, 0x80), true},
    {TokenStyle::KnownCommand, RGB(0x00, 0x40, 0xE0), false},
    {TokenStyle::UnknownCommand, RGB(0xD0, 0x00, 0x00), false},
    {TokenStyle::Value, RGB(0x00, 0x80, 0x80), false},
    {TokenStyle::Number, RGB(0xC8, 0x64, 0x00), false},
    {TokenStyle::HexNumber, RGB(0xC8, 0x64, 0x00), false},
    {TokenStyle::String, RGB(0x8B, 0x45, 0x13), false},
    {TokenStyle::Comment, RGB(0x5F, 0x80, 0x5F), false},
    {TokenStyle::Directive, RGB(0x80, 0x00, 0x80), true},
    {TokenStyle::LanguageHeader, RGB(0x00, 0x00, 0x80), true},
    {TokenStyle::LabelPrefix, RGB(0x00, 0x60, 0x80), true},
    {TokenStyle::Operator, RGB(0x50, 0x50, 0x50), false},
}};

// The token kinds are the document's style numbers; Scintilla's own styles
// (line numbers, the default, call tips) start at STYLE_DEFAULT.
static_assert(script::TokenStyleCount <= STYLE_DEFAULT);

// The headers that open a language file's parts; a script has none.
bool StartsALanguageFile(std::string_view header)
{
    for (std::string_view name : {"[Strings]", "[PSXStrings]", "[PCStrings]", "[ExtraNG]"})
        if (header.size() >= name.size() && _strnicmp(header.data(), name.data(), name.size()) == 0)
            return true;
    return false;
}

} // namespace

COLORREF ScriptArea::ColourOf(script::TokenStyle token)
{
    return Looks[static_cast<std::size_t>(token)].colour;
}

void ScriptArea::SetUpColours()
{
    editor_->Send(SCI_SETILEXER, 0, 0);
    for (const auto& look : Looks) {
        const auto style = static_cast<std::uintptr_t>(look.token);
        editor_->Send(SCI_STYLESETFORE, style, static_cast<std::intptr_t>(look.colour));
        editor_->Send(SCI_STYLESETBOLD, style, look.bold);
    }
}

// A language file is told by its first header; the first 64 KB are enough.
void ScriptArea::ChooseTextKind(std::string_view text)
{
    textKind_ = script::TextKind::Script;
    const std::string_view start = text.substr(0, 64 * 1024);
    for (std::size_t at = 0; at < start.size(); at = start.find('\n', at) + 1) {
        const std::size_t first = start.find_first_not_of(" \t\r\n", at);
        if (first == std::string_view::npos)
            break;
        if (start[first] == '[') {
            if (StartsALanguageFile(start.substr(first)))
                textKind_ = script::TextKind::LanguageFile;
            break;
        }
        if (start.find('\n', at) == std::string_view::npos)
            break;
    }
}

// From the start of the first line not styled yet to the end of the line
// that holds `end`, read and styled in one piece: a message a line costs
// more under Wine than the lexing itself.
void ScriptArea::StyleUpTo(std::intptr_t end)
{
    const std::intptr_t start = editor_->LineStart(editor_->LineFromPosition(editor_->Send(SCI_GETENDSTYLED)));
    const std::intptr_t lastLine = editor_->LineFromPosition(end);
    const std::intptr_t stop =
        lastLine + 1 < editor_->LineCount() ? editor_->LineStart(lastLine + 1) : editor_->Length();
    if (stop <= start)
        return;
    const auto size = static_cast<std::size_t>(stop - start);
    const auto* bytes = reinterpret_cast<const char*>(
        editor_->Send(SCI_GETRANGEPOINTER, static_cast<std::uintptr_t>(start), static_cast<std::intptr_t>(size)));
    if (!bytes)
        return;
    const std::string_view text(bytes, size);
    std::vector<TokenStyle> styles(size, TokenStyle::Default);
    for (std::size_t line = 0; line < size;) {
        const std::size_t lineEnd = std::min(text.find_first_of("\r\n", line), size);
        if (lineEnd > line)
            script::StyleLine(text.substr(line, lineEnd - line), textKind_,
                              std::span(styles).subspan(line, lineEnd - line));
        line = lineEnd + 1;
    }
    editor_->Send(SCI_STARTSTYLING, static_cast<std::uintptr_t>(start));
    editor_->Send(SCI_SETSTYLINGEX, size, reinterpret_cast<std::intptr_t>(styles.data()));
}

} // namespace tessark
