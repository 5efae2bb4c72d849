// The look-ups of the NG tables (whose rows are generated in NgTables.cpp).
#include "script/CheckText.h"
#include "script/NgTables.h"

#include <algorithm>
#include <vector>

namespace tessark::script {
namespace {

// Compares as the upper-cased names the constant table is sorted by.
bool UpperLess(std::string_view a, std::string_view b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto upper = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; };
        return upper(x) < upper(y);
    });
}

} // namespace

const NgCommand* FindNgCommand(std::string_view name)
{
    // Asked about every command line of every script: sorted once, then halved.
    static const std::vector<const NgCommand*> sorted = [] {
        std::vector<const NgCommand*> list;
        for (const auto& command : NgCommands())
            list.push_back(&command);
        std::sort(list.begin(), list.end(), [](auto a, auto b) { return UpperLess(a->name, b->name); });
        return list;
    }();
    const auto found = std::lower_bound(sorted.begin(), sorted.end(), name,
                                        [](const NgCommand* c, std::string_view n) { return UpperLess(c->name, n); });
    return found == sorted.end() || !check::SameWord((*found)->name, name) ? nullptr : *found;
}

const NgConstant* FindNgConstant(std::string_view name)
{
    const auto constants = NgConstants();
    const auto found = std::lower_bound(constants.begin(), constants.end(), name,
                                        [](const NgConstant& c, std::string_view n) { return UpperLess(c.name, n); });
    if (found == constants.end() || !check::SameWord(found->name, name))
        return nullptr;
    return &*found;
}

} // namespace tessark::script
