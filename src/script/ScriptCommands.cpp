// The command set of the engine's script compiler, from its public
// documentation. One row per command and argument shape; a command the
// sections take with different shapes has one row per shape.
#include "script/ScriptCommands.h"

#include <array>

namespace tessark::script {

namespace {

using enum Section;

constexpr std::array SectionList{
    SectionName{"PSXExtensions", PsxExtensions}, SectionName{"PCExtensions", PcExtensions},
    SectionName{"Language", Language},           SectionName{"Options", Options},
    SectionName{"Title", Title},                 SectionName{"Level", Level},
};

constexpr Sections Extensions = PsxExtensions | PcExtensions;
constexpr Sections Levels = Title | Level;

constexpr std::array CommandList{
    // File extensions of the level, cut-scene and video files.
    CommandRule{"Level", Extensions, 1, 1, false},
    CommandRule{"Cut", Extensions, 1, 1, false},
    CommandRule{"FMV", Extensions, 1, 1, false},
    // Language: index, text file.
    CommandRule{"File", Bit(Language), 2, 2, true},
    // Game-wide options.
    CommandRule{"LoadSave", Bit(Options), 1, 1, false},
    CommandRule{"Title", Bit(Options), 1, 1, false},
    CommandRule{"PlayAnyLevel", Bit(Options), 1, 1, false},
    CommandRule{"FlyCheat", Bit(Options), 1, 1, false},
    CommandRule{"DemoDisc", Bit(Options), 1, 1, false},
    CommandRule{"InputTimeout", Bit(Options), 1, 1, false},
    CommandRule{"Security", Bit(Options), 1, 1, false},
    // The title and each playable level.
    CommandRule{"Level", Levels, 2, 2, false},           // level file, audio track
    CommandRule{"LoadCamera", Levels, 7, 7, false},      // source x,y,z, target x,y,z, room
    CommandRule{"Horizon", Levels, 1, 1, false},
    CommandRule{"Layer1", Levels, 4, 4, false},          // red, green, blue, speed
    CommandRule{"Layer2", Levels, 4, 4, false},
    CommandRule{"Lightning", Levels, 1, 1, false},
    CommandRule{"Fog", Levels, 3, 3, false},             // red, green, blue
    CommandRule{"ColAddHorizon", Levels, 1, 1, false},
    CommandRule{"UVRotate", Levels, 1, 1, false},
    CommandRule{"Mirror", Levels, 2, 2, true},           // room, plane position
    CommandRule{"StarField", Levels, 2, 2, false},       // stars, meteors
    CommandRule{"LensFlare", Levels, 6, 6, false},       // x, y, z, red, green, blue
    CommandRule{"AnimatingMIP", Levels, 2, 2, true},     // object, distance
    CommandRule{"Pulse", Levels, 1, 1, false},
    CommandRule{"Train", Levels, 1, 1, false},
    CommandRule{"Timer", Levels, 1, 1, false},
    CommandRule{"YoungLara", Levels, 1, 1, false},
    CommandRule{"RemoveAmulet", Levels, 1, 1, false},
    CommandRule{"NoLevel", Levels, 1, 1, false},
    CommandRule{"ResidentCut1", Bit(Title), 1, 1, false},
    CommandRule{"ResidentCut2", Bit(Title), 1, 1, false},
    CommandRule{"ResidentCut3", Bit(Title), 1, 1, false},
    CommandRule{"ResidentCut4", Bit(Title), 1, 1, false},
    // Playable levels only.
    CommandRule{"Name", Bit(Level), 1, 1, false, true},
    CommandRule{"Legend", Bit(Level), 1, 1, false, true},
    CommandRule{"Cut", Bit(Level), 1, 1, false},
    CommandRule{"FMV", Bit(Level), 1, 2, false},
    CommandRule{"ResetHUB", Bit(Level), 1, 1, false},
    // Inventory items: number, name, then the look of the item in the inventory.
    CommandRule{"Puzzle", Bit(Level), 8, 8, true},
    CommandRule{"Key", Bit(Level), 8, 8, true},
    CommandRule{"Pickup", Bit(Level), 8, 8, true},
    CommandRule{"Examine", Bit(Level), 8, 8, true},
    // Pieces of combined items: number, piece, name, then the look.
    CommandRule{"PuzzleCombo", Bit(Level), 9, 9, true},
    CommandRule{"KeyCombo", Bit(Level), 9, 9, true},
    CommandRule{"PickupCombo", Bit(Level), 9, 9, true},
};

} // namespace

std::span<const SectionName> ScriptSections() { return SectionList; }
std::span<const CommandRule> ScriptCommands() { return CommandList; }

} // namespace tessark::script
