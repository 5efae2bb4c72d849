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

// A repeat is refused only where a second line surely is a mistake: it would
// replace the first, or a section header is missing before it.
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
    CommandRule{"LoadCamera", Levels, 7, 7, true},       // source x,y,z, target x,y,z, room
    CommandRule{"LensFlare", Levels, 6, 6, true},        // y, z, x, red, green, blue
    CommandRule{"AnimatingMIP", Levels, 2, 2, true},     // object, distance
    CommandRule{"UVRotate", Levels, 1, 1, true},         // speed
    CommandRule{"Layer1", Levels, 4, 4, true},           // red, green, blue, speed
    CommandRule{"Layer2", Levels, 4, 4, true},
    CommandRule{"Mirror", Levels, 2, 2, true},           // room, axis position
    CommandRule{"Fog", Levels, 3, 3, true},              // red, green, blue
    CommandRule{"ResidentCut", Levels, 2, 2, true},      // slot 1 to 4, cut-scene
    CommandRule{"StarField", Levels, 1, 1, true},        // ENABLED or DISABLED, as all below
    CommandRule{"Weather", Levels, 1, 1, true},
    CommandRule{"Horizon", Levels, 1, 1, true},
    CommandRule{"ColAddHorizon", Levels, 1, 1, true},
    CommandRule{"Lightning", Levels, 1, 1, true},
    CommandRule{"Train", Levels, 1, 1, true},
    CommandRule{"Pulse", Levels, 1, 1, true},
    // Playable levels only.
    CommandRule{"Name", Bit(Level), 1, 1, false, true},
    CommandRule{"Legend", Bit(Level), 1, 1, false, true},
    CommandRule{"Cut", Bit(Level), 1, 1, true},          // cut-scene at the start
    CommandRule{"FMV", Bit(Level), 2, 2, true},          // video, trigger bits
    CommandRule{"ResetHUB", Bit(Level), 1, 1, true},     // level
    CommandRule{"YoungLara", Bit(Level), 1, 1, true},
    CommandRule{"Timer", Bit(Level), 1, 1, true},
    CommandRule{"RemoveAmulet", Bit(Level), 1, 1, true},
    CommandRule{"NoLevel", Bit(Level), 1, 1, true},
    // Inventory items: number, name, height, size, y, z and x angles, one more value.
    CommandRule{"Puzzle", Bit(Level), 8, 8, true},
    CommandRule{"Key", Bit(Level), 8, 8, true},
    CommandRule{"Pickup", Bit(Level), 8, 8, true},
    CommandRule{"Examine", Bit(Level), 8, 8, true},
    // Pieces of combined items: number, piece, then as above from the name on.
    CommandRule{"PuzzleCombo", Bit(Level), 9, 9, true},
    CommandRule{"KeyCombo", Bit(Level), 9, 9, true},
    CommandRule{"PickupCombo", Bit(Level), 9, 9, true},
};

} // namespace

std::span<const SectionName> ScriptSections() { return SectionList; }
std::span<const CommandRule> ScriptCommands() { return CommandList; }

} // namespace tessark::script
