#include "script/ScriptDatReport.h"

#include "script/CompilerTexts.h"
#include "script/LanguageStrings.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tessark::script {
namespace {

namespace text {
constexpr std::wstring_view Size = L"SCRIPT.DAT : %1 octets, %2 blocs de niveau (titre compris), %3 fichiers de niveau";
constexpr std::wstring_view Options = L"Options : %1";
constexpr std::wstring_view Numbers = L"InputTimeout : %1 ; Security : %2";
constexpr std::wstring_view Extensions = L"Extensions %1 : niveau « %2 », FMV « %3 », cinématique « %4 »";
constexpr std::wstring_view Languages = L"Fichiers de langue : %1";
constexpr std::wstring_view NoLanguage = L"(aucun)";
constexpr std::wstring_view TitleBlock = L"Titre (bloc 0) :";
constexpr std::wstring_view LevelBlock = L"Niveau %1 :";
constexpr std::wstring_view Yes = L"oui";
constexpr std::wstring_view No = L"non";
constexpr std::wstring_view String = L"« %1 » (chaîne %2)";
constexpr std::wstring_view StringNumber = L"chaîne %1";
constexpr std::wstring_view LevelLine = L"  Level %1%2, piste audio %3%4";
constexpr std::wstring_view Command = L"  %1 %2";
constexpr std::wstring_view Piece = L"%1, pièce %2";
constexpr std::wstring_view Short = L"Fichier trop court : %1 octets, l'en-tête et les extensions en demandent 56";
constexpr std::wstring_view PastEnd = L"Fichier tronqué : %1 dépasse la fin du fichier";
constexpr std::wstring_view PathTable = L"la table des fichiers de niveau";
constexpr std::wstring_view BlockTable = L"la table des blocs de niveau";
constexpr std::wstring_view BlockPastEnd = L"  Bloc tronqué : la commande 0x%1 dépasse la fin du bloc";
constexpr std::wstring_view UnknownOpcode = L"  Octet inconnu 0x%1 : la suite du bloc n'est pas lue";
constexpr std::wstring_view NameCut = L"Fichier tronqué : le dernier nom de fichier de langue n'a pas de fin";
constexpr std::wstring_view NoEnd = L"  Bloc sans fin (0x83)";
constexpr std::wstring_view BadLanguage =
    L"Le fichier de langue donné n'est pas un .DAT de langue : les chaînes sont données par leur numéro";
} // namespace text

constexpr std::size_t HeaderSize = 16;
constexpr std::size_t ExtensionsEnd = HeaderSize + 8 * 5;

constexpr std::array<std::string_view, 16> FlagNames = {
    "YoungLara", "Weather",       "Horizon",  "Layer1",    "Layer2", "Starfield", "Lightning",    "Train",
    "Pulse",     "ColAddHorizon", "ResetHUB", "LensFlare", "Timer",  "Mirror",    "RemoveAmulet", "NoLevel"};

std::string Fill(std::wstring_view pattern, std::initializer_list<std::string_view> values)
{
    return FillCompilerText(pattern, values);
}

std::string Hex(unsigned value, int digits)
{
    static constexpr char Digits[] = "0123456789ABCDEF";
    std::string out;
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
        out += Digits[(value >> shift) & 0xF];
    return out;
}

// Bytes of the file read little-endian, each read checked against its end.
class Bytes {
public:
    explicit Bytes(std::string_view bytes) : bytes_(bytes) {}
    std::size_t Size() const { return bytes_.size(); }
    bool Has(std::size_t at, std::size_t count) const { return at <= bytes_.size() && count <= bytes_.size() - at; }
    unsigned U8(std::size_t at) const { return static_cast<unsigned char>(bytes_[at]); }
    unsigned U16(std::size_t at) const { return U8(at) | (U8(at + 1) << 8); }
    std::uint32_t U32(std::size_t at) const { return U16(at) | (static_cast<std::uint32_t>(U16(at + 2)) << 16); }
    // The NUL-terminated text at `at`, not past `end`.
    std::string_view Text(std::size_t at, std::size_t end) const
    {
        if (at >= end || end > bytes_.size())
            return {};
        const std::string_view rest = bytes_.substr(at, end - at);
        return rest.substr(0, rest.find('\0'));
    }

private:
    std::string_view bytes_;
};

// (Not "$" + text: GCC 12 warns about that concatenation, wrongly.)
std::string Prefixed(char first, std::string_view rest)
{
    std::string out(1, first);
    out += rest;
    return out;
}

std::string Shown(std::string_view raw)
{
    std::string out(raw);
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20)
            c = ' ';
    return out;
}

class Describer {
public:
    Describer(std::string_view dat, std::optional<std::string_view> language) : file_(dat)
    {
        if (!language)
            return;
        if (const auto groups = ReadLanguageDat(*language))
            for (const auto& group : *groups)
                strings_.insert(strings_.end(), group.begin(), group.end());
        else
            Add(Fill(text::BadLanguage, {}), true);
    }

    Report Run()
    {
        if (!file_.Has(0, ExtensionsEnd)) {
            Add(Fill(text::Short, {std::to_string(file_.Size())}), true);
            return std::move(report_);
        }
        DescribeHeader();
        const std::size_t pathsAt = ExtensionsEnd;
        const std::size_t paths = file_.U8(10);
        const std::size_t pathBytesAt = pathsAt + 2 * paths;
        const std::size_t blocksAt = pathBytesAt + file_.U16(12);
        if (!file_.Has(pathsAt, 2 * paths + file_.U16(12))) {
            Add(Fill(text::PastEnd, {Fill(text::PathTable, {})}), true);
            return std::move(report_);
        }
        for (std::size_t i = 0; i < paths; ++i)
            paths_.emplace_back(file_.Text(pathBytesAt + file_.U16(pathsAt + 2 * i), blocksAt));
        DescribeBlocks(blocksAt);
        return std::move(report_);
    }

private:
    void Add(std::string line, bool error = false) { report_.push_back({std::move(line), 0, error}); }

    void DescribeHeader()
    {
        const std::uint32_t options = file_.U32(0);
        constexpr std::pair<std::string_view, std::uint32_t> Bits[] = {
            {"FlyCheat", 0x01}, {"LoadSave", 0x02}, {"Title", 0x04}, {"PlayAnyLevel", 0x08}, {"DemoDisc", 0x80}};
        std::string list;
        for (const auto& [name, bit] : Bits)
            list +=
                (list.empty() ? "" : ", ") + std::string(name) + " " + Fill((options & bit) ? text::Yes : text::No, {});
        Add(Fill(text::Size,
                 {std::to_string(file_.Size()), std::to_string(file_.U8(9)), std::to_string(file_.U8(10))}));
        Add(Fill(text::Options, {list}));
        Add(Fill(text::Numbers, {std::to_string(file_.U32(4)), Prefixed('$', Hex(file_.U8(8), 2))}));
        for (std::size_t platform = 0; platform < 2; ++platform) {
            const auto extension = [&](std::size_t i) {
                return file_.Text(HeaderSize + 5 * (4 * platform + i), HeaderSize + 5 * (4 * platform + i) + 5);
            };
            Add(Fill(text::Extensions, {platform == 0 ? "PSX" : "PC", extension(0), extension(1), extension(2)}));
        }
    }

    void DescribeBlocks(std::size_t offsetsAt)
    {
        const std::size_t blocks = file_.U8(9);
        const std::size_t blocksAt = offsetsAt + 2 * blocks;
        const std::size_t blocksEnd = blocksAt + file_.U16(14);
        if (!file_.Has(offsetsAt, 2 * blocks + file_.U16(14))) {
            Add(Fill(text::PastEnd, {Fill(text::BlockTable, {})}), true);
            return;
        }
        DescribeLanguages(blocksEnd);
        for (std::size_t i = 0; i < blocks; ++i) {
            const std::size_t start = blocksAt + file_.U16(offsetsAt + 2 * i);
            Add(i == 0 ? Fill(text::TitleBlock, {}) : Fill(text::LevelBlock, {std::to_string(i)}));
            DescribeBlock(std::min(start, blocksEnd), blocksEnd);
        }
    }

    void DescribeLanguages(std::size_t at)
    {
        std::string list;
        bool cut = false;
        while (at < file_.Size()) {
            const std::string_view name = file_.Text(at, file_.Size());
            if (!name.empty())
                list += (list.empty() ? "" : ", ") + Shown(name);
            at += name.size() + 1;
            cut = at > file_.Size();
        }
        Add(Fill(text::Languages, {list.empty() ? Fill(text::NoLanguage, {}) : list}));
        if (cut)
            Add(Fill(text::NameCut, {}), true);
    }

    std::string StringText(unsigned index) const
    {
        if (index < strings_.size())
            return Fill(text::String, {Shown(strings_[index]), std::to_string(index)});
        return Fill(text::StringNumber, {std::to_string(index)});
    }

    std::string PathText(unsigned index) const
    {
        return index < paths_.size() ? Shown(paths_[index]) : Prefixed('?', std::to_string(index));
    }

    static std::string FlagsText(unsigned flags)
    {
        std::string list;
        for (std::size_t bit = 0; bit < FlagNames.size(); ++bit)
            if (flags & (1u << bit))
                list += (list.empty() ? " ; " : ", ") + std::string(FlagNames[bit]);
        return list;
    }

    static std::string Signed(long long value) { return std::to_string(value); }
    static long long S8(unsigned v) { return static_cast<std::int8_t>(v); }
    static long long S16(unsigned v) { return static_cast<std::int16_t>(v); }
    static long long S32(std::uint32_t v) { return static_cast<std::int32_t>(v); }

    // How many bytes follow the opcode; 0 for the block's end, -1 when unknown.
    static int PayloadOf(unsigned opcode)
    {
        constexpr std::array<int, 0x93 - 0x80> Fixed = {1, 5, 4, 0, 1, 1, 1, 1, 1, 4, 4, 1, 1, 9, 5, 3, 1, 25, 1};
        if (opcode >= 0x80 && opcode < 0x93)
            return Fixed[opcode - 0x80];
        return opcode >= 0x93 && opcode <= 0xD9 ? 14 : -1;
    }

    void DescribeBlock(std::size_t at, std::size_t end)
    {
        while (at < end) {
            const unsigned opcode = file_.U8(at);
            const int payload = PayloadOf(opcode);
            if (payload < 0)
                return Add(Fill(text::UnknownOpcode, {Hex(opcode, 2)}), true);
            if (at + 1 + static_cast<std::size_t>(payload) > end)
                return Add(Fill(text::BlockPastEnd, {Hex(opcode, 2)}), true);
            if (opcode == 0x83)
                return;
            DescribeCommand(opcode, at + 1);
            at += 1 + static_cast<std::size_t>(payload);
        }
        Add(Fill(text::NoEnd, {}), true);
    }

    void Command(std::string_view name, const std::string& values) { Add(Fill(text::Command, {name, values})); }

    std::string List(std::size_t at, std::initializer_list<int> widths) const
    {
        std::string out;
        for (const int width : widths) {
            const long long value = width == 1    ? file_.U8(at)
                                    : width == -1 ? S8(file_.U8(at))
                                    : width == 2  ? S16(file_.U16(at))
                                                  : S32(file_.U32(at));
            out += (out.empty() ? "" : ", ") + Signed(value);
            at += static_cast<std::size_t>(width < 0 ? -width : width);
        }
        return out;
    }

    void DescribeItem(unsigned opcode, std::size_t at)
    {
        static constexpr std::pair<std::string_view, unsigned> Kinds[] = {
            {"Key", 12},      {"Puzzle", 12},      {"Pickup", 4},     {"Examine", 3},
            {"KeyCombo", 16}, {"PuzzleCombo", 16}, {"PickupCombo", 8}};
        unsigned index = opcode - 0x93;
        for (const auto& [name, count] : Kinds) {
            if (index >= count) {
                index -= count;
                continue;
            }
            const bool combo = name.ends_with("Combo");
            const std::string number =
                combo ? Fill(text::Piece, {std::to_string(index / 2 + 1), std::to_string(index % 2 + 1)})
                      : std::to_string(index + 1);
            return Command(name, number + " " + StringText(file_.U16(at)) + " : " + List(at + 2, {2, 2, 2, 2, 2, 2}));
        }
    }

    void DescribeCommand(unsigned opcode, std::size_t at)
    {
        switch (opcode) {
        case 0x80:
            return Command("FMV", std::to_string(file_.U8(at) & 0x7F) + ", " + std::to_string(file_.U8(at) >> 7));
        case 0x81:
        case 0x82: {
            const std::size_t flagsAt = opcode == 0x81 ? at + 1 : at;
            const std::string name = opcode == 0x81 ? StringText(file_.U8(at)) + " : " : "";
            return Add(Fill(text::LevelLine, {name, PathText(file_.U8(flagsAt + 2)),
                                              std::to_string(file_.U8(flagsAt + 3)), FlagsText(file_.U16(flagsAt))}));
        }
        case 0x84:
            return Command("Cut", List(at, {1}));
        case 0x89:
            return Command("Layer1", List(at, {1, 1, 1, -1}));
        case 0x8A:
            return Command("Layer2", List(at, {1, 1, 1, -1}));
        case 0x8B:
            return Command("UVrotate", List(at, {-1}));
        case 0x8C:
            return Command("Legend", StringText(file_.U8(at)));
        case 0x8D:
            return Command("LensFlare", Signed(S16(file_.U16(at)) * 256) + ", " + Signed(S16(file_.U16(at + 2)) * 256) +
                                            ", " + Signed(S16(file_.U16(at + 4)) * 256) + ", " +
                                            List(at + 6, {1, 1, 1}));
        case 0x8E:
            return Command("Mirror", List(at, {1, 4}));
        case 0x8F:
            return Command("Fog", List(at, {1, 1, 1}));
        case 0x90:
            return Command("AnimatingMIP",
                           std::to_string((file_.U8(at) & 0xF) + 1) + ", " + std::to_string(file_.U8(at) >> 4));
        case 0x91:
            return Command("LoadCamera", List(at, {4, 4, 4, 4, 4, 4, 1}));
        case 0x92:
            return Command("ResetHUB", List(at, {1}));
        default:
            break;
        }
        if (opcode >= 0x85 && opcode <= 0x88)
            return Command("ResidentCut", std::to_string(opcode - 0x84) + ", " + List(at, {1}));
        DescribeItem(opcode, at);
    }

    Bytes file_;
    std::vector<std::string> strings_;
    std::vector<std::string> paths_;
    Report report_;
};

} // namespace

Report DescribeScriptDat(std::string_view scriptDat, std::optional<std::string_view> languageDat)
{
    return Describer(scriptDat, languageDat).Run();
}

} // namespace tessark::script
