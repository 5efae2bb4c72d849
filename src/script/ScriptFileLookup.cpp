#include "script/ScriptFileLookup.h"

#include "script/CompilerOutputs.h"
#include "util/FileIO.h"
#include "util/FmxUtils.h"
#include "util/Messages.h"
#include "util/InstallLayout.h"
#include "util/Text1252.h"

#include <map>
#include <memory>
#include <string>

namespace tessark {
namespace {

// "DATA\COASTAL" of "Level= DATA\COASTAL,101": before any comma, trimmed.
std::string_view LevelPathPart(std::string_view written)
{
    written = written.substr(0, written.find(','));
    const auto first = written.find_first_not_of(" \t");
    const auto last = written.find_last_not_of(" \t");
    return first == std::string_view::npos ? std::string_view() : written.substr(first, last - first + 1);
}

bool ExistsInside(const std::wstring& folder, std::string_view relative, std::wstring_view extension = {})
{
    if (!script::StaysInsideFolder(relative))
        return false;
    return FileExists(folder + cp1252::Decode(relative) + std::wstring(extension));
}

// An included or language file, when it can be read; a text past any
// script's size is not read at all.
std::optional<std::string> ReadInside(const std::wstring& folder, std::string_view relative)
{
    constexpr std::int64_t LargestText = 64 << 20;
    const std::wstring path = folder + cp1252::Decode(relative);
    if (!script::StaysInsideFolder(relative) || !FileExists(path) || FileSizeOf(path) > LargestText)
        return std::nullopt;
    try {
        return ReadWholeFile(path);
    } catch (const UserError&) {
        return std::nullopt;
    }
}

// Each file is looked for once: a long script names the same ones again and
// again, and each look costs a trip to the file system.
template <typename Look>
auto Remembered(Look look)
{
    auto known = std::make_shared<std::map<std::string, bool, std::less<>>>();
    return [known, look](std::string_view name) {
        if (const auto found = known->find(name); found != known->end())
            return found->second;
        const bool exists = look(name);
        known->emplace(std::string(name), exists);
        return exists;
    };
}

} // namespace

ScriptFileLookup InstallationFileLookup(const std::wstring& installationRoot)
{
    const std::wstring scriptFolder = layout::InstallPath(installationRoot, layout::ScriptFolder) + L"\\";
    ScriptFileLookup lookup;
    lookup.languageFileExists =
        Remembered([scriptFolder](std::string_view name) { return ExistsInside(scriptFolder, name); });
    lookup.levelFileExists = Remembered([installationRoot](std::string_view path) {
        return ExistsInside(installationRoot, LevelPathPart(path), L".tr4");
    });
    lookup.readScriptFile = [scriptFolder](std::string_view name) { return ReadInside(scriptFolder, name); };
    return lookup;
}

} // namespace tessark
