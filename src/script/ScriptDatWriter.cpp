// SCRIPT.DAT from the compiler's model (the layout is in ScriptCompiler.h;
// the order of a block's opcodes in ScriptCompiler.cpp).
#include "script/CompilerOutputs.h"
#include "script/CompilerTexts.h"
#include "script/ScriptLines.h"
#include "script/ScriptModel.h"

#include <algorithm>
#include <unordered_map>

namespace tessark::script::compiler {
namespace {

constexpr std::uint8_t LevelOpcode = 0x81;
constexpr std::uint8_t TitleOpcode = 0x82;
constexpr std::uint8_t EndOpcode = 0x83;

constexpr std::uint16_t Layer1Flag = 0x0008;
constexpr std::uint16_t Layer2Flag = 0x0010;
constexpr std::uint16_t ResetHubFlag = 0x0400;
constexpr std::uint16_t LensFlareFlag = 0x0800;
constexpr std::uint16_t MirrorFlag = 0x2000;

void Put8(std::string& out, unsigned value) { out += static_cast<char>(value & 0xFF); }

void Put16(std::string& out, unsigned value)
{
    Put8(out, value);
    Put8(out, value >> 8);
}

void Put32(std::string& out, std::uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

std::vector<const Block*> BlocksWritten(const ScriptModel& model)
{
    std::vector<const Block*> blocks{&model.title};
    const std::size_t levels =
        (model.options & DemoDiscOption) != 0 ? std::min<std::size_t>(1, model.levels.size()) : model.levels.size();
    for (std::size_t i = 0; i < levels; ++i)
        blocks.push_back(&model.levels[i]);
    return blocks;
}

// The distinct paths in the order of their first Level= line in the text.
std::vector<std::string> PathsOf(const std::vector<const Block*>& blocks)
{
    std::vector<const Segment*> levelLines;
    for (const Block* block : blocks)
        for (const Segment& segment : block->segments)
            if (segment.endsWithLevel)
                levelLines.push_back(&segment);
    std::stable_sort(levelLines.begin(), levelLines.end(),
                     [](const Segment* a, const Segment* b) { return a->levelLine < b->levelLine; });
    std::vector<std::string> paths;
    for (const Segment* segment : levelLines)
        if (std::find(paths.begin(), paths.end(), segment->path) == paths.end())
            paths.push_back(segment->path);
    return paths;
}

std::uint16_t FlagsOf(const Block& block, const Segment& segment)
{
    std::uint16_t flags = segment.flags;
    const auto given = [&](Environment e) { return !segment.environment[e].empty(); };
    if (given(Layer1))
        flags |= Layer1Flag;
    if (given(Layer2))
        flags |= Layer2Flag;
    if (given(LensFlare))
        flags |= LensFlareFlag;
    if (given(Mirror))
        flags |= MirrorFlag;
    if (!block.resetHub.empty())
        flags |= ResetHubFlag;
    return flags;
}

void AppendBeforeLevel(std::string& out, const Block& block)
{
    for (const std::string& mip : block.animatingMip)
        out += mip;
    out += block.legend;
    for (const std::string& cut : block.residentCut)
        out += cut;
    out += block.cut;
    out += block.loadCamera;
    out += block.resetHub;
}

std::string BlockBytes(const Block& block, const std::unordered_map<std::string, std::size_t>& pathIndex)
{
    std::string out;
    for (const std::string& item : block.items)
        out += item;
    for (const Segment& segment : block.segments) {
        out += segment.fmv;
        if (!segment.endsWithLevel)
            continue;
        for (const std::string& environment : segment.environment)
            out += environment;
        AppendBeforeLevel(out, block);
        Put8(out, block.title ? TitleOpcode : LevelOpcode);
        if (!block.title)
            Put8(out, block.nameIndex.value_or(0));
        Put16(out, FlagsOf(block, segment));
        Put8(out, static_cast<unsigned>(pathIndex.at(segment.path)));
        Put8(out, segment.audio);
    }
    Put8(out, EndOpcode);
    return out;
}

std::string LanguageNames(const ScriptModel& model)
{
    std::string out;
    for (const auto& language : model.languages) {
        if (!language)
            continue;
        for (const char c : DatNameFor(language->name))
            out += AsciiUpper(c);
        out += '\0';
    }
    return out;
}

} // namespace

WrittenScript WriteScriptDat(const ScriptModel& model)
{
    const std::vector<const Block*> blocks = BlocksWritten(model);
    const std::vector<std::string> paths = PathsOf(blocks);
    if (blocks.size() > 0xFF)
        return {{}, msg::CompileTooManyLevels, blocks[0xFF]->headerLine};
    if (paths.size() > 0xFF)
        return {{}, msg::CompileTooManyPaths, blocks.back()->headerLine};

    std::unordered_map<std::string, std::size_t> pathIndex;
    std::string pathOffsets, pathBytes;
    for (const std::string& path : paths) {
        pathIndex.emplace(path, pathIndex.size());
        Put16(pathOffsets, static_cast<unsigned>(pathBytes.size()));
        pathBytes += path;
        pathBytes += '\0';
    }
    if (pathBytes.size() % 2 != 0)
        pathBytes += '\0';

    std::string blockOffsets, blockBytes;
    for (const Block* block : blocks) {
        Put16(blockOffsets, static_cast<unsigned>(blockBytes.size()));
        blockBytes += BlockBytes(*block, pathIndex);
    }
    if (pathBytes.size() > 0xFFFF || blockBytes.size() > 0xFFFF)
        return {{}, msg::CompileTooLong, blocks.back()->headerLine};

    std::string out;
    Put32(out, model.options);
    Put32(out, model.inputTimeout);
    Put8(out, model.security);
    Put8(out, static_cast<unsigned>(blocks.size()));
    Put8(out, static_cast<unsigned>(paths.size()));
    Put8(out, 0);
    Put16(out, static_cast<unsigned>(pathBytes.size()));
    Put16(out, static_cast<unsigned>(blockBytes.size()));
    for (const std::string& extension : model.extensions)
        out += (extension.substr(0, 4) + std::string(5, '\0')).substr(0, 5);
    out += pathOffsets + pathBytes + blockOffsets + blockBytes + LanguageNames(model);
    return {std::move(out), {}, 0};
}

} // namespace tessark::script::compiler
