#pragma once
// The engine's script language: its sections and, for each command, the
// sections that take it, how many comma-separated values it takes and
// whether a section may give it more than once.
#include <cstdint>
#include <span>
#include <string_view>

namespace tessark::script {

enum class Section : std::uint8_t { PsxExtensions, PcExtensions, Language, Options, Title, Level };

struct SectionName {
    std::string_view name; // as written between the brackets
    Section section;
};

// Bit sets of sections.
using Sections = std::uint8_t;
constexpr Sections Bit(Section s) { return static_cast<Sections>(1u << static_cast<unsigned>(s)); }
constexpr Sections operator|(Section a, Section b) { return Bit(a) | Bit(b); }
constexpr Sections operator|(Sections a, Section b) { return a | Bit(b); }

struct CommandRule {
    std::string_view name;
    Sections sections;
    int minValues;
    int maxValues;
    bool repeats;        // may be given several times in one section
    bool wholeText = false; // the whole value is one text, commas included
};

std::span<const SectionName> ScriptSections();
std::span<const CommandRule> ScriptCommands();

} // namespace tessark::script
