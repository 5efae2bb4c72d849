#pragma once
// The characters of an editor text that a save in Windows-1252 would turn
// into '?', line by line, and the lines that say so to the user. The text is
// read exactly as EncodeScript (ScriptText.h) writes it: its control pictures
// go back to their bytes and are not lost.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tessark::script {

struct LostOnLine {
    int line = 0;            // 1-based; "\r\n", '\r' and '\n' each end a line
    std::wstring characters; // each lost character once, in the order met

    bool operator==(const LostOnLine&) const = default;
};

std::vector<LostOnLine> CharactersLostIn1252(std::wstring_view text);

// One line per entry, "ligne 3 : Ж 音", at most `maxLines` of them and at most
// `maxCharacters` characters each ("..." after the last one shown), then
// "... et N lignes de plus." for the lines left out. Lines end in '\n'.
std::wstring DescribeLostCharacters(const std::vector<LostOnLine>& lost, std::size_t maxLines = 10,
                                    std::size_t maxCharacters = 12);

} // namespace tessark::script
