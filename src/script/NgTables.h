#pragma once
// The Next Generation engine's additions to the script language (TRNG), as its
// compiler NG Center knows them: the NG commands with the kinds of their
// arguments, and the mnemonic constants their arguments may name.
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>

namespace tessark::script {

enum class NgArgument : std::uint8_t {
    Bool,  // ENABLED or DISABLED
    Word,  // a number, a constant, or a sum of them
    Long,
    Slot,  // an object slot, by number or by the name the level's objects give it
    Text,  // free text (a font's name, a plugin's name...)
    Array, // any number of further numbers, the last argument only
};

inline constexpr std::size_t MaxNgArguments = 15;

struct NgCommand {
    std::string_view name;
    bool optionsOnly;   // given in [Options]; the others in [Title] and [Level]
    int perSection;     // how many times a section may give it; 0: no limit
    struct Arguments {
        constexpr Arguments(std::initializer_list<NgArgument> list) : count(list.size())
        {
            std::size_t i = 0;
            for (NgArgument a : list)
                kinds[i++] = a;
        }
        NgArgument kinds[MaxNgArguments]{};
        std::size_t count;
    } arguments;
};

struct NgConstant {
    std::string_view name;
    std::int32_t value;
};

std::span<const NgCommand> NgCommands();
// Sorted by name upper-cased, so a case-blind search can halve its way.
std::span<const NgConstant> NgConstants();

} // namespace tessark::script

namespace tessark::script {

// Case-blind, as NG Center reads names; nothing when the name is no NG one.
const NgCommand* FindNgCommand(std::string_view name);
const NgConstant* FindNgConstant(std::string_view name);

} // namespace tessark::script
