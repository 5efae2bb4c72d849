#pragma once
// Where things lie in a level-editor installation, relative to its root folder.
// The root always ends in '\'; a path is the root followed directly by one of these.
#include <string>
#include <string_view>

namespace tessark::layout {

inline constexpr std::wstring_view ScriptFolder = L"script";
inline constexpr std::wstring_view ScriptCompiler = L"Script.exe";   // inside ScriptFolder
inline constexpr std::wstring_view ScriptFile = L"script.txt";       // inside ScriptFolder
// The compiler of TRNG scripts, in the root of a TRNG installation.
inline constexpr std::wstring_view NgCenter = L"NG_Center.exe";
inline constexpr std::wstring_view SoundBuilderFolder = L"Sound\\VidedIRU Dovezev";
inline constexpr std::wstring_view SoundBuilder = L"Sound\\VidedIRU Dovezev\\pcwadsfx.exe";
inline constexpr std::wstring_view SoundBuilderNoExt = L"Sound\\VidedIRU Dovezev\\pcwadsfx";
inline constexpr std::wstring_view SoundList = L"Sound\\VidedIRU Dovezev\\Sounds.txt";
inline constexpr std::wstring_view WadFolder = L"graphics\\wads";
inline constexpr std::wstring_view LogoPacker = L"Logo\\packer";
inline constexpr std::wstring_view GameDataFolder = L"data";
inline constexpr std::wstring_view GameLogo = L"data\\uklogo.pak";  // the default language's title logo
inline constexpr std::wstring_view WadList = L"ListeWadSfx.lws";
inline constexpr std::wstring_view HelpDocument = L"AideVUDEvizuzi.rtf";
inline constexpr std::wstring_view ModificationReportPrefix = L"ModifSFX_";
inline constexpr std::wstring_view ModificationReportExt = L".txt";

// root + relative, with the relative path's '\' turned into `separator`
// (Windows keeps '\'; tools that lay out an installation elsewhere pass '/').
std::wstring InstallPath(std::wstring_view root, std::wstring_view relative, wchar_t separator = L'\\');

} // namespace tessark::layout
