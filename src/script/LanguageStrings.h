#pragma once
// A language file of the level script ("ENGLISH.TXT") as the engine's script
// compiler reads it, and the files it makes of it: the language .DAT the game
// reads, and the STRINGS.H of the string names.
//
// Language .DAT: six u16 (the string counts of [Strings], [PSXStrings] and
// [PCStrings], then the byte length of each group, NULs included), one u16
// offset per string counted from the end of that table, then the strings,
// each byte XOR 0xA5 and the terminating NUL left as it is.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tessark::script {

struct LanguageString {
    std::string text;  // as stored, escapes turned into their bytes
    std::string label; // the "LABEL:" before it, when it had one
    bool labelled = false;
    int line = 0; // 1-based line of the language file
};

// The three groups in file order: [Strings], [PSXStrings], [PCStrings].
inline constexpr std::size_t StringGroupCount = 3;

struct LanguageStrings {
    std::array<std::vector<LanguageString>, StringGroupCount> groups;

    std::size_t Count() const;
    // The index the game gives the first string of exactly this text (case
    // counts), over the three groups in order; nothing when there is none.
    std::optional<std::size_t> IndexOf(std::string_view text) const;

    // Builds the index of IndexOf; ReadLanguageText does it.
    void Index();

private:
    std::unordered_map<std::string, std::size_t> firstIndex_;
};

// Any bytes: the strings of the text (a UTF-8 byte-order mark at its start is skipped).
LanguageStrings ReadLanguageText(std::string_view text);

// The language .DAT; nothing when the strings overflow its 16-bit offsets.
std::optional<std::string> LanguageDatBytes(const LanguageStrings& strings);

struct CompileDate {
    int day = 1;   // 1 to 31
    int month = 1; // 1 to 12
    int year = 2000;
};

// STRINGS.H: one enum name per string, dated as the compiler dates it.
std::string StringsHeaderText(const LanguageStrings& strings, const CompileDate& date);

// A language .DAT read back: its strings, or nothing when the bytes are no such file.
std::optional<std::array<std::vector<std::string>, StringGroupCount>> ReadLanguageDat(std::string_view bytes);

} // namespace tessark::script
