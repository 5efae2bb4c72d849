// Any bytes styled line by line, as a script and as a language file, and
// asked for the section and the completion at offsets they choose: no crash,
// no byte outside the styles, a comment from the first ';' to the line's end,
// no character split between two styles.
#include "script/CheckText.h"
#include "script/ScriptCompletion.h"
#include "script/ScriptLexer.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace {

using namespace tessark::script;

bool IsNonAscii(char c) { return static_cast<unsigned char>(c) >= 0x80; }

void StyleChecked(std::string_view line, TextKind kind)
{
    std::vector<TokenStyle> styles(line.size(), static_cast<TokenStyle>(0xFF));
    StyleLine(line, kind, styles);
    const std::size_t comment = std::min(line.find(';'), line.size());
    for (std::size_t i = 0; i < styles.size(); ++i) {
        if (static_cast<std::size_t>(styles[i]) >= TokenStyleCount)
            std::abort();
        if ((styles[i] == TokenStyle::Comment) != (i >= comment))
            std::abort();
        // Every sign the lexer parts tokens at is ASCII: a UTF-8 character keeps one style.
        const bool afterMark = i == 3 && line.starts_with("\xEF\xBB\xBF");
        if (i > 0 && !afterMark && IsNonAscii(line[i - 1]) && IsNonAscii(line[i]) && styles[i] != styles[i - 1])
            std::abort();
    }
}

// The offset that two bytes of the input name, within the text.
std::size_t OffsetFrom(std::string_view bytes, std::size_t at)
{
    if (bytes.size() < at + 2)
        return bytes.size();
    const auto value = static_cast<std::size_t>(static_cast<unsigned char>(bytes[at])) << 8 |
                       static_cast<unsigned char>(bytes[at + 1]);
    return value % (bytes.size() + 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    tessark::script::check::LineReader lines(bytes);
    while (const auto line = lines.Next()) {
        StyleChecked(*line, TextKind::Script);
        StyleChecked(*line, TextKind::LanguageFile);
    }
    for (std::size_t at : {std::size_t{0}, std::size_t{2}}) {
        const std::size_t offset = OffsetFrom(bytes, at);
        const std::string_view section = SectionAt(bytes, offset);
        if (!section.empty() && (section.data() < bytes.data() || section.data() + section.size() > bytes.data() + size))
            std::abort();
        const std::string_view before = bytes.substr(0, offset);
        const std::size_t lineStart = before.find_last_of("\r\n");
        const auto kind = CompletionAt(section, before.substr(lineStart == std::string_view::npos ? 0 : lineStart + 1));
        const bool takesCommands = !CommandsForSection(section).empty();
        if (kind == CompletionKind::Commands && !takesCommands)
            std::abort();
        const auto layout = ArgumentLayout(section, before.substr(before.size() - std::min<std::size_t>(before.size(), 12)));
        if (layout && (!takesCommands || layout->find('=') == std::string::npos))
            std::abort();
    }
    return 0;
}
