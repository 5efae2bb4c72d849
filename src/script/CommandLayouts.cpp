#include "script/CommandLayouts.h"

#include "util/Text1252.h"

#include <array>
#include <string_view>

namespace tessark::script {
namespace {

using enum Section;

constexpr Sections Extensions = PsxExtensions | PcExtensions;
constexpr Sections Levels = Title | Level;

struct Wording {
    std::string_view name;
    Sections sections;
    std::wstring_view values; // one wording per value, comma-separated
};

constexpr std::wstring_view OnOff = L"ENABLED/DISABLED";

// What each value of a classic command is; the counts come from the command table.
constexpr std::array ClassicWordings{
    Wording{"Level", Extensions, L"extension des niveaux"},
    Wording{"Cut", Extensions, L"extension des cinématiques"},
    Wording{"FMV", Extensions, L"extension des vidéos"},
    Wording{"File", Bit(Language), L"numéro de langue, fichier texte"},
    Wording{"LoadSave", Bit(Options), OnOff},
    Wording{"Title", Bit(Options), OnOff},
    Wording{"PlayAnyLevel", Bit(Options), OnOff},
    Wording{"FlyCheat", Bit(Options), OnOff},
    Wording{"DemoDisc", Bit(Options), OnOff},
    Wording{"InputTimeout", Bit(Options), L"délai en trentièmes de seconde"},
    Wording{"Security", Bit(Options), L"octet de sécurité"},
    Wording{"Level", Levels, L"fichier du niveau, piste audio"},
    Wording{"LoadCamera", Levels, L"source x, source y, source z, cible x, cible y, cible z, salle"},
    Wording{"LensFlare", Levels, L"y, z, x, rouge, vert, bleu"},
    Wording{"AnimatingMIP", Levels, L"objet, distance"},
    Wording{"UVRotate", Levels, L"vitesse"},
    Wording{"Layer1", Levels, L"rouge, vert, bleu, vitesse"},
    Wording{"Layer2", Levels, L"rouge, vert, bleu, vitesse"},
    Wording{"Mirror", Levels, L"salle, position de l'axe"},
    Wording{"Fog", Levels, L"rouge, vert, bleu"},
    Wording{"ResidentCut", Levels, L"emplacement (1 à 4), cinématique"},
    Wording{"StarField", Levels, OnOff},
    Wording{"Weather", Levels, OnOff},
    Wording{"Horizon", Levels, OnOff},
    Wording{"ColAddHorizon", Levels, OnOff},
    Wording{"Lightning", Levels, OnOff},
    Wording{"Train", Levels, OnOff},
    Wording{"Pulse", Levels, OnOff},
    Wording{"Name", Bit(Level), L"nom du niveau"},
    Wording{"Legend", Bit(Level), L"texte affiché au début"},
    Wording{"Cut", Bit(Level), L"cinématique"},
    Wording{"FMV", Bit(Level), L"vidéo, déclenchement"},
    Wording{"ResetHUB", Bit(Level), L"niveau"},
    Wording{"YoungLara", Bit(Level), OnOff},
    Wording{"Timer", Bit(Level), OnOff},
    Wording{"RemoveAmulet", Bit(Level), OnOff},
    Wording{"NoLevel", Bit(Level), OnOff},
};

constexpr std::wstring_view ItemValues =
    L"hauteur, taille, angle y, angle z, angle x, option";

std::wstring ItemWording(std::string_view name)
{
    const bool combo = name.ends_with("Combo");
    std::wstring wording = combo ? L"numéro, morceau, nom, " : L"numéro, nom, ";
    return wording.append(ItemValues);
}

bool IsItem(std::string_view name)
{
    for (std::string_view item : {"Puzzle", "Key", "Pickup", "Examine"})
        if (name.starts_with(item))
            return true;
    return false;
}

// Where no wording is written, the table's count still shows.
std::wstring CountedValues(int count)
{
    std::wstring values;
    for (int i = 0; i < count; ++i)
        values.append(i == 0 ? L"valeur" : L", valeur");
    return values;
}

std::wstring ClassicValues(const CommandRule& rule)
{
    for (const Wording& wording : ClassicWordings)
        if (wording.name == rule.name && wording.sections == rule.sections)
            return std::wstring(wording.values);
    if (IsItem(rule.name))
        return ItemWording(rule.name);
    return CountedValues(rule.maxValues);
}

std::wstring_view NgKindWording(NgArgument kind)
{
    switch (kind) {
    case NgArgument::Bool:
        return OnOff;
    case NgArgument::Word:
    case NgArgument::Long:
        return L"nombre";
    case NgArgument::Slot:
        return L"objet";
    case NgArgument::Text:
        return L"texte";
    case NgArgument::Array:
        return L"nombres...";
    }
    return L"valeur";
}

// Customize= and Parameters= name with their first value which kind of data follows.
std::wstring_view NgFirstWording(const NgCommand& command)
{
    if (command.name == "Customize")
        return L"CUST_...";
    if (command.name == "Parameters")
        return L"PARAM_...";
    return NgKindWording(command.arguments.kinds[0]);
}

std::string Layout(std::string_view name, std::wstring_view values)
{
    return std::string(name).append("=").append(cp1252::Encode(values));
}

} // namespace

std::string ClassicLayout(const CommandRule& rule)
{
    return Layout(rule.name, ClassicValues(rule));
}

std::string NgLayout(const NgCommand& command)
{
    std::wstring values;
    for (std::size_t i = 0; i < command.arguments.count; ++i) {
        if (i > 0)
            values.append(L", ");
        values.append(i == 0 ? NgFirstWording(command) : NgKindWording(command.arguments.kinds[i]));
    }
    return Layout(command.name, values);
}

} // namespace tessark::script
