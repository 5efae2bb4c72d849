#pragma once
// What an editor offers while a script is typed: the commands a section
// takes, their argument layouts for a call tip, and which kind of list fits
// the caret's place.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessark::script {

struct CommandHint {
    std::string_view name;      // as the command tables spell it
    // "Level=fichier du niveau, piste audio": French, in Windows-1252 like the
    // core's other texts, so a UTF-8 document shows it converted.
    std::string argumentLayout;
};

// The section a byte offset lies in: the last "[Name]" header above it ("" when none).
// Scans back from the offset, so its cost does not grow with the text above the header.
std::string_view SectionAt(std::string_view text, std::size_t offset);

// The commands that a section takes (classic and TRNG), sorted case-blind, no duplicates.
std::vector<CommandHint> CommandsForSection(std::string_view sectionName);

// The argument layout of a command in a section, for the call tip after "="
// (nothing when the section does not take it).
std::optional<std::string> ArgumentLayout(std::string_view sectionName, std::string_view command);

// What to offer at the caret: context from the current line's text before the caret.
// Commands at the start of a line; LanguageFiles after "File= n," in [Language];
// IncludeFiles after "#INCLUDE".
enum class CompletionKind : std::uint8_t { None, Commands, LanguageFiles, IncludeFiles };
CompletionKind CompletionAt(std::string_view sectionName, std::string_view lineBeforeCaret);

} // namespace tessark::script
