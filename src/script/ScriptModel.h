#pragma once
// The compiler's picture of a script between reading its lines and writing
// SCRIPT.DAT: each level block's opcodes, already encoded, sorted into the
// places that fix the order in which they are written.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessark::script::compiler {

// Item slots in writing order: Key 1-12, KeyCombo 1-8 x 2, Puzzle 1-12,
// PuzzleCombo 1-8 x 2, Pickup 1-4, PickupCombo 1-4 x 2, Examine 1-3.
inline constexpr std::size_t ItemSlotCount = 12 + 16 + 12 + 16 + 4 + 8 + 3;

// A run of a level block's lines that starts at the block's start or at an
// FMV= line and ends at a Level= line, an FMV= line or the block's end.
struct Segment {
    std::string fmv; // its opcode and byte, when an FMV= line opened it
    // UVrotate, Layer1, Layer2, LensFlare, Fog, Mirror: the last given of each
    // (opcode and values), written only when the segment ends with Level=.
    std::array<std::string, 6> environment;
    std::uint16_t flags = 0; // those of the ENABLED/DISABLED commands
    bool endsWithLevel = false;
    std::string path; // of its Level= line, upper-cased
    std::uint8_t audio = 0;
    int levelLine = 0;
};

enum Environment : std::size_t { UvRotate, Layer1, Layer2, LensFlare, Fog, Mirror };

// What holds for the whole block, whatever line gives it: the last given of each.
struct Block {
    bool title = false;
    int headerLine = 0;
    std::optional<std::uint8_t> nameIndex;
    bool nameGiven = false; // a Name= line, found in the strings or not
    std::array<std::string, ItemSlotCount> items;
    // Written before each Level= opcode, in this order.
    std::array<std::string, 16> animatingMip; // by object
    std::string legend;
    std::array<std::string, 4> residentCut;
    std::string cut;
    std::string loadCamera;
    std::string resetHub;
    std::vector<Segment> segments = std::vector<Segment>(1);
};

inline Block TitleBlock(int headerLine)
{
    Block block;
    block.title = true;
    block.headerLine = headerLine;
    return block;
}

struct LanguageSlot {
    std::string name; // as the script writes it
    int line = 0;
};

inline constexpr std::size_t LanguageSlotCount = 8;

struct ScriptModel {
    std::uint32_t options = 0;
    std::uint32_t inputTimeout = 1800;
    std::uint8_t security = 0;
    std::array<std::string, 8> extensions; // PSX level, FMV, cut, -, PC level, FMV, cut, -
    std::array<std::optional<LanguageSlot>, LanguageSlotCount> languages;
    Block title = TitleBlock(0);
    std::vector<Block> levels;
};

inline constexpr std::uint32_t DemoDiscOption = 0x80;

// One "Command=value" line of the script, its comment cut.
struct CommandLine {
    int number = 0;
    std::string_view command;
    std::vector<std::string_view> values; // split at ','
    std::string_view whole;               // the value unsplit
};

// SCRIPT.DAT of the model, or the text of what does not fit in it.
struct WrittenScript {
    std::string bytes;
    std::wstring_view overflow; // empty when written
    int overflowLine = 0;       // the script line where it no longer fits
};
WrittenScript WriteScriptDat(const ScriptModel& model);

} // namespace tessark::script::compiler
