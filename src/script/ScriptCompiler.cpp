// The rules of our compiler, each the same as the level editor's DOS compiler
// ("SCRIPT v0.10a") as its outputs show it; the folder that shows a rule is
// named after it (under the field's compiler/, quirks/ for the q folders).
// - Inside a level block the opcodes have a fixed order, whatever the order of
//   the lines (q05): items (Key, KeyCombo, Puzzle, PuzzleCombo, Pickup,
//   PickupCombo, Examine, each by number), FMV, UVrotate, Layer1, Layer2,
//   LensFlare, Fog, Mirror, AnimatingMIP (by object), Legend, ResidentCut 1-4,
//   Cut, LoadCamera, ResetHUB, then Level (all-commands, tr4-template).
// - A command given twice in a block: the last one wins (q06); items,
//   ResidentCut and AnimatingMIP per number (q05, q06).
// - An FMV= line starts a new part of the block: the environment (UVrotate
//   ... Mirror) and the ENABLED flags given before it since the last Level=
//   are dropped; items, cuts, Legend, LoadCamera and the rest stay (q01,
//   all-commands level 2). Its opcode goes where its line is among the Level
//   opcodes (q02).
// - Environment and flags given after the last Level= are dropped; items,
//   Legend, LoadCamera and the like still count, written before the Level
//   opcode (q02). A block without Level= keeps only its items (q04).
// - The flags of the Level opcode: those of the ENABLED commands, plus
//   Layer1, Layer2, LensFlare, Mirror and ResetHUB when given (q05, all-commands).
// - Each Level= line writes the environment given since the previous one and
//   again everything that holds for the block, then its Level opcode (q03).
// - Exactly one character after "=" is skipped, as documented (every reference
//   line has one blank or tab there); values are split at ',' and blanks
//   around a file name do not count (tr4-template's "File= 0, ENGLISH.TXT"),
//   nor, by our choice, around a path or a string's name; numbers read as C
//   reads them, "$" for hex (all-commands).
// - Names of strings are looked up, case counting, in language file 0 (File=
//   numbers, not line order: q08, all-commands); a name that is not there is
//   an error and nothing is written (q10: a [Level] without Name= looks up "").
// - Paths are upper-cased and each distinct path is stored once (q08, all-commands);
//   the audio track is stored in a byte (300 gives 44, q08); language .DAT
//   names are listed in the order of their File= numbers (q08).
// - The title block is always there, empty without [Title] (q07); InputTimeout
//   is 1800 when not given (q07). Eight language slots, File= 0 to 7 (LOG.TXT
//   warns "Could not find ''" once for each empty one).
// - Unknown sections and commands are skipped (TRNG's among them); ';' starts
//   a comment. The language files' own rules are in LanguageStrings.cpp (q09).
// - DemoDisc=ENABLED keeps the title and the first level only, and only their
//   paths (demo-disc).
// Where no file shows what the original does (a number out of range, missing
// values, a language file that cannot be read, more than 255 levels), ours
// fails with a message rather than guess.
#include "script/ScriptCompiler.h"

#include "script/CompilerOutputs.h"
#include "script/CompilerTexts.h"
#include "script/LevelCommands.h"
#include "script/ScriptLines.h"
#include "script/ScriptModel.h"

#include <algorithm>

namespace tessark::script {
namespace {

using namespace compiler;

enum class Place { None, PsxExtensions, PcExtensions, Language, Options, Title, Level, Other };

Place PlaceOf(std::string_view header)
{
    const std::size_t close = header.find(']');
    const std::string_view name = TrimBlanks(header.substr(1, close == std::string_view::npos ? 0 : close - 1));
    constexpr std::pair<std::string_view, Place> Sections[] = {
        {"PSXExtensions", Place::PsxExtensions},
        {"PCExtensions", Place::PcExtensions},
        {"Language", Place::Language},
        {"Options", Place::Options},
        {"Title", Place::Title},
        {"Level", Place::Level},
    };
    for (const auto& [known, place] : Sections)
        if (close != std::string_view::npos && SameWordNoCase(name, known))
            return place;
    return Place::Other;
}

using Line = CommandLine;

// Walks the script's sections and command lines ("Command=value", comments cut).
template <typename OnHeader, typename OnCommand>
void ForEachCommand(std::string_view text, OnHeader&& onHeader, OnCommand&& onCommand)
{
    ForEachLine(WithoutByteOrderMark(text), [&](std::string_view raw, int number) {
        const std::string_view line = TrimBlanks(raw.substr(0, raw.find(';')));
        if (line.starts_with('[')) {
            onHeader(PlaceOf(line), number);
            return;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            return;
        Line command{number, TrimBlanks(line.substr(0, equals)), {}, line.substr(std::min(equals + 2, line.size()))};
        for (std::string_view rest = command.whole;;) {
            const std::size_t comma = rest.find(',');
            command.values.push_back(rest.substr(0, comma));
            if (comma == std::string_view::npos)
                break;
            rest.remove_prefix(comma + 1);
        }
        onCommand(command);
    });
}

class Compiler {
public:
    Compiler(const LanguageFileSource& source, const CompileOptions& options) : source_(source), options_(options) {}

    CompileResult Run(std::string_view text)
    {
        ReadLanguageSection(text);
        LoadLanguages();
        ReadScript(text);
        if (!error_)
            WriteFiles();
        CompileResult result;
        if (error_)
            result.error = std::move(error_);
        else
            result.files = std::move(files_);
        return result;
    }

private:
    void Fail(int line, std::string text)
    {
        if (!error_ || line < error_->scriptLine)
            error_ = ReportLine{FillCompilerText(msg::CompileLine, {std::to_string(line)}) + text, line, true};
    }

    void ReadLanguageSection(std::string_view text)
    {
        Place place = Place::None;
        ForEachCommand(
            text, [&](Place p, int) { place = p; },
            [&](const Line& line) {
                if (place == Place::Language && SameWordNoCase(line.command, "File"))
                    ReadLanguageLine(line);
            });
    }

    void ReadLanguageLine(const Line& line)
    {
        if (line.values.size() < 2)
            return Fail(line.number, FillCompilerText(msg::CompileLanguageUnnamed, {}));
        const long long slot = ReadNumber(line.values[0]);
        const std::string_view name = TrimBlanks(line.values[1]);
        if (slot < 0 || slot >= static_cast<long long>(LanguageSlotCount))
            return Fail(line.number, FillCompilerText(msg::CompileLanguageNumber, {std::to_string(slot)}));
        if (name.empty())
            return Fail(line.number, FillCompilerText(msg::CompileLanguageUnnamed, {}));
        model_.languages[static_cast<std::size_t>(slot)] = LanguageSlot{std::string(name), line.number};
    }

    void LoadLanguages()
    {
        for (std::size_t slot = 0; slot < LanguageSlotCount; ++slot) {
            const auto& language = model_.languages[slot];
            if (!language)
                continue;
            const std::optional<std::string> text = source_ ? source_(language->name) : std::nullopt;
            if (!text) {
                Fail(language->line, FillCompilerText(msg::CompileLanguageUnreadable, {language->name}));
                continue;
            }
            LanguageStrings strings = ReadLanguageText(*text);
            std::optional<std::string> dat = LanguageDatBytes(strings);
            if (!dat) {
                Fail(language->line, FillCompilerText(msg::CompileLanguageTooLong, {language->name}));
                continue;
            }
            std::string name;
            for (const char c : DatNameFor(language->name))
                name += AsciiUpper(c);
            languageFiles_.push_back({std::move(name), std::move(*dat)});
            if (slot == 0)
                lookup_ = std::move(strings);
        }
    }

    void ReadScript(std::string_view text)
    {
        ForEachCommand(
            text, [&](Place place, int number) { EnterSection(place, number); },
            [&](const Line& line) { ReadCommand(line); });
        EndBlock();
    }

    void EnterSection(Place place, int number)
    {
        EndBlock();
        place_ = place;
        if (place == Place::Title) {
            model_.title = TitleBlock(number);
            block_ = &model_.title;
        } else if (place == Place::Level) {
            block_ = &model_.levels.emplace_back();
            block_->headerLine = number;
        }
    }

    // The original looks the level's name up when it writes its Level opcode.
    void EndBlock()
    {
        if (block_ && !block_->title && !block_->nameGiven)
            for (const Segment& segment : block_->segments)
                if (segment.endsWithLevel) {
                    Fail(block_->headerLine, FillCompilerText(msg::CompileLevelWithoutName, {}));
                    break;
                }
        block_ = nullptr;
    }

    void ReadCommand(const Line& line)
    {
        switch (place_) {
        case Place::PsxExtensions:
        case Place::PcExtensions:
            return ReadExtension(line, place_ == Place::PcExtensions ? 4 : 0);
        case Place::Options:
            return ReadOption(line);
        case Place::Title:
        case Place::Level:
            return ReadLevelCommand(line, *block_, context_);
        default:
            return;
        }
    }

    void ReadExtension(const Line& line, std::size_t first)
    {
        constexpr std::string_view Kinds[] = {"Level", "FMV", "Cut"};
        for (std::size_t i = 0; i < 3; ++i)
            if (SameWordNoCase(line.command, Kinds[i]))
                model_.extensions[first + i] = std::string(TrimBlanks(line.values[0]));
    }

    void ReadOption(const Line& line)
    {
        constexpr std::pair<std::string_view, std::uint32_t> Bits[] = {{"FlyCheat", 0x01},
                                                                       {"LoadSave", 0x02},
                                                                       {"Title", 0x04},
                                                                       {"PlayAnyLevel", 0x08},
                                                                       {"DemoDisc", DemoDiscOption}};
        for (const auto& [name, bit] : Bits)
            if (SameWordNoCase(line.command, name))
                model_.options = IsEnabled(line.values[0]) ? model_.options | bit : model_.options & ~bit;
        if (SameWordNoCase(line.command, "InputTimeout"))
            model_.inputTimeout = static_cast<std::uint32_t>(ReadNumber(line.values[0]));
        else if (SameWordNoCase(line.command, "Security"))
            model_.security = static_cast<std::uint8_t>(ReadNumber(line.values[0]));
    }

    std::optional<std::size_t> Lookup(std::string_view name, int line)
    {
        if (!lookup_) {
            Fail(line, FillCompilerText(msg::CompileNoLanguageZero, {name}));
            return std::nullopt;
        }
        const std::optional<std::size_t> index = lookup_->IndexOf(name);
        if (!index)
            Fail(line, FillCompilerText(msg::CompileNotInStrings, {name, model_.languages[0]->name}));
        return index;
    }

    void WriteFiles()
    {
        WrittenScript script = WriteScriptDat(model_);
        if (!script.overflow.empty())
            return Fail(std::max(script.overflowLine, 1), FillCompilerText(script.overflow, {}));
        files_.push_back({std::string(ScriptDatName), std::move(script.bytes)});
        for (CompiledFile& file : languageFiles_)
            files_.push_back(std::move(file));
        if (options_.stringsHeaderDate && lookup_)
            files_.push_back(
                {std::string(StringsHeaderName), StringsHeaderText(*lookup_, *options_.stringsHeaderDate)});
    }

    const LanguageFileSource& source_;
    const CompileOptions& options_;
    ScriptModel model_;
    Place place_ = Place::None;
    Block* block_ = nullptr;
    std::optional<LanguageStrings> lookup_;
    std::vector<CompiledFile> languageFiles_;
    std::vector<CompiledFile> files_;
    std::optional<ReportLine> error_;
    const LevelContext context_{
        [this](std::string_view name, int line) { return Lookup(name, line); },
        [this](int line, std::string text) { Fail(line, std::move(text)); },
        [this] { return model_.languages[0] ? model_.languages[0]->name : std::string(); },
    };
};

} // namespace

CompileResult CompileScript(std::string_view scriptText, const LanguageFileSource& languageFile,
                            const CompileOptions& options)
{
    return Compiler(languageFile, options).Run(scriptText);
}

} // namespace tessark::script
