#pragma once
// Where the script editor's unsaved text is written when the program is about
// to die from a fault nobody caught: beside its document, or in the
// installation's script folder for a text that has no file yet; in the
// installation's root folder when the first place cannot be written.
#include <string>
#include <string_view>

namespace tessark::script {

inline constexpr std::wstring_view RescueExtension = L".recupere";
inline constexpr std::wstring_view UntitledRescueName = L"Sans nom.txt";

struct RescuePlaces {
    std::wstring first;
    std::wstring fallback;
};

RescuePlaces RescuePlacesFor(std::wstring_view document, bool untitled, std::wstring_view installationRoot);

} // namespace tessark::script
