#include "script/LevelCommands.h"

#include "script/CompilerTexts.h"
#include "script/ScriptLines.h"

#include <array>

namespace tessark::script::compiler {
namespace {

constexpr std::uint8_t FmvOpcode = 0x80;

struct Item {
    std::string_view name;
    int numbers;         // 1 to numbers
    int pieces;          // 0 for no combo, else 1 to pieces
    std::uint8_t opcode; // of number 1 (piece 1)
    std::size_t slot;    // in writing order
};

constexpr std::array Items{
    Item{"Key", 12, 0, 0x93, 0},         Item{"KeyCombo", 8, 2, 0xB2, 12}, Item{"Puzzle", 12, 0, 0x9F, 28},
    Item{"PuzzleCombo", 8, 2, 0xC2, 40}, Item{"Pickup", 4, 0, 0xAB, 56},   Item{"PickupCombo", 4, 2, 0xD2, 60},
    Item{"Examine", 3, 0, 0xAF, 68},
};

constexpr std::pair<std::string_view, std::uint16_t> Flags[] = {
    {"YoungLara", 0x0001}, {"Weather", 0x0002},      {"Horizon", 0x0004}, {"Starfield", 0x0020},
    {"Lightning", 0x0040}, {"Train", 0x0080},        {"Pulse", 0x0100},   {"ColAddHorizon", 0x0200},
    {"Timer", 0x1000},     {"RemoveAmulet", 0x4000}, {"NoLevel", 0x8000},
};

void Put8(std::string& out, long long value) { out += static_cast<char>(value & 0xFF); }
void Put16(std::string& out, long long value)
{
    Put8(out, value);
    Put8(out, value >> 8);
}
void Put32(std::string& out, long long value)
{
    Put16(out, value);
    Put16(out, value >> 16);
}

class LevelLine {
public:
    LevelLine(const CommandLine& line, Block& block, const LevelContext& context)
        : line_(line),
          block_(block),
          context_(context)
    {
    }

    void Read()
    {
        if (Is("Name") || Is("Legend"))
            return ReadString();
        if (Is("Level"))
            return ReadLevel();
        if (Is("FMV"))
            return ReadFmv();
        for (const Item& item : Items)
            if (Is(item.name))
                return ReadItem(item);
        for (const auto& [name, flag] : Flags)
            if (Is(name))
                return SetFlag(flag);
        ReadOther();
    }

private:
    bool Is(std::string_view name) const { return SameWordNoCase(line_.command, name); }
    Segment& Current() { return block_.segments.back(); }

    bool Needs(std::size_t count)
    {
        if (line_.values.size() >= count)
            return true;
        context_.fail(line_.number, FillCompilerText(msg::CompileTooFewValues, {line_.command, std::to_string(count),
                                                                                std::to_string(line_.values.size())}));
        return false;
    }

    long long Number(std::size_t i) const { return ReadNumber(line_.values[i]); }

    // The value 1 to `highest` of value i, or nothing after saying it is not.
    std::optional<std::size_t> Numbered(std::size_t i, long long highest)
    {
        const long long n = Number(i);
        if (n >= 1 && n <= highest)
            return static_cast<std::size_t>(n - 1);
        context_.fail(line_.number, FillCompilerText(msg::CompileNumberRange,
                                                     {line_.command, std::to_string(highest), std::to_string(n)}));
        return std::nullopt;
    }

    std::string Encoded(std::uint8_t opcode, std::initializer_list<long long> bytes) const
    {
        std::string out(1, static_cast<char>(opcode));
        for (const long long b : bytes)
            Put8(out, b);
        return out;
    }

    void ReadString()
    {
        const std::string_view name = TrimBlanks(line_.whole);
        if (Is("Name"))
            block_.nameGiven = true;
        const std::optional<std::size_t> index = context_.lookup(name, line_.number);
        if (!index)
            return;
        if (*index > 0xFF)
            return context_.fail(line_.number, FillCompilerText(msg::CompileIndexTooHigh, {name, std::to_string(*index),
                                                                                           context_.languageName()}));
        if (Is("Name"))
            block_.nameIndex = static_cast<std::uint8_t>(*index);
        else
            block_.legend = Encoded(0x8C, {static_cast<long long>(*index)});
    }

    void ReadLevel()
    {
        if (!Needs(2))
            return;
        Segment& segment = Current();
        segment.endsWithLevel = true;
        segment.levelLine = line_.number;
        segment.path.clear();
        for (const char c : TrimBlanks(line_.values[0]))
            segment.path += AsciiUpper(c);
        segment.audio = static_cast<std::uint8_t>(Number(1));
        block_.segments.emplace_back();
    }

    void ReadFmv()
    {
        if (!Needs(2))
            return;
        block_.segments.emplace_back().fmv = Encoded(FmvOpcode, {Number(0) | (Number(1) << 7)});
    }

    void ReadItem(const Item& item)
    {
        const std::size_t nameAt = item.pieces > 0 ? 2 : 1;
        if (!Needs(nameAt + 7))
            return;
        const std::optional<std::size_t> number = Numbered(0, item.numbers);
        const std::optional<std::size_t> piece = item.pieces > 0 ? Numbered(1, item.pieces) : std::size_t{0};
        if (!number || !piece)
            return;
        const std::optional<std::size_t> index = context_.lookup(TrimBlanks(line_.values[nameAt]), line_.number);
        if (!index)
            return;
        const std::size_t offset = *number * static_cast<std::size_t>(std::max(item.pieces, 1)) + *piece;
        std::string out(1, static_cast<char>(item.opcode + offset));
        Put16(out, static_cast<long long>(*index));
        for (std::size_t i = nameAt + 1; i <= nameAt + 6; ++i)
            Put16(out, Number(i));
        block_.items[item.slot + offset] = std::move(out);
    }

    void SetFlag(std::uint16_t flag)
    {
        if (IsEnabled(line_.values[0]))
            Current().flags |= flag;
        else
            Current().flags &= static_cast<std::uint16_t>(~flag);
    }

    void SetEnvironment(Environment which, std::string bytes) { Current().environment[which] = std::move(bytes); }

    void ReadOther()
    {
        if (Is("UVrotate") && Needs(1))
            SetEnvironment(UvRotate, Encoded(0x8B, {Number(0)}));
        else if (Is("Layer1") && Needs(4))
            SetEnvironment(Layer1, Encoded(0x89, {Number(0), Number(1), Number(2), Number(3)}));
        else if (Is("Layer2") && Needs(4))
            SetEnvironment(Layer2, Encoded(0x8A, {Number(0), Number(1), Number(2), Number(3)}));
        else if (Is("LensFlare") && Needs(6))
            ReadLensFlare();
        else if (Is("Fog") && Needs(3))
            SetEnvironment(Fog, Encoded(0x8F, {Number(0), Number(1), Number(2)}));
        else if (Is("Mirror") && Needs(2))
            ReadMirror();
        else if (Is("AnimatingMIP") && Needs(2))
            ReadAnimatingMip();
        else if (Is("ResidentCut") && Needs(2))
            ReadResidentCut();
        else if (Is("Cut") && Needs(1))
            block_.cut = Encoded(0x84, {Number(0)});
        else if (Is("LoadCamera") && Needs(7))
            ReadLoadCamera();
        else if (Is("ResetHUB") && Needs(1))
            block_.resetHub = Encoded(0x92, {Number(0)});
    }

    void ReadLensFlare()
    {
        std::string out(1, '\x8D');
        for (std::size_t i = 0; i < 3; ++i)
            Put16(out, Number(i) / 256);
        for (std::size_t i = 3; i < 6; ++i)
            Put8(out, Number(i));
        SetEnvironment(LensFlare, std::move(out));
    }

    void ReadMirror()
    {
        std::string out = Encoded(0x8E, {Number(0)});
        Put32(out, Number(1));
        SetEnvironment(Mirror, std::move(out));
    }

    void ReadAnimatingMip()
    {
        if (const auto object = Numbered(0, 16))
            block_.animatingMip[*object] = Encoded(0x90, {static_cast<long long>(*object) | ((Number(1) & 0x0F) << 4)});
    }

    void ReadResidentCut()
    {
        if (const auto slot = Numbered(0, 4))
            block_.residentCut[*slot] = Encoded(static_cast<std::uint8_t>(0x85 + *slot), {Number(1)});
    }

    void ReadLoadCamera()
    {
        std::string out(1, '\x91');
        for (std::size_t i = 0; i < 6; ++i)
            Put32(out, Number(i));
        Put8(out, Number(6));
        block_.loadCamera = std::move(out);
    }

    const CommandLine& line_;
    Block& block_;
    const LevelContext& context_;
};

} // namespace

void ReadLevelCommand(const CommandLine& line, Block& block, const LevelContext& context)
{
    LevelLine(line, block, context).Read();
}

long long ReadNumber(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    const bool hex = i < text.size() && text[i] == '$';
    const bool negative = !hex && i < text.size() && text[i] == '-';
    if (hex || negative || (i < text.size() && text[i] == '+'))
        ++i;
    long long value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        const int digit = (c >= '0' && c <= '9')                          ? c - '0'
                          : hex && (c | 0x20) >= 'a' && (c | 0x20) <= 'f' ? (c | 0x20) - 'a' + 10
                                                                          : -1;
        if (digit < 0)
            break;
        if (value < (1LL << 40)) // far past every field's width; keeps the sum in range
            value = value * (hex ? 16 : 10) + digit;
    }
    return negative ? -value : value;
}

bool IsEnabled(std::string_view value) { return SameWordNoCase(TrimBlanks(value), "ENABLED"); }

} // namespace tessark::script::compiler
