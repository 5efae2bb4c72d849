#include "script/ScriptRescue.h"

#include "util/FileNames.h"
#include "util/InstallLayout.h"

namespace tessark::script {

RescuePlaces RescuePlacesFor(std::wstring_view document, bool untitled, std::wstring_view installationRoot)
{
    const std::wstring name = (untitled ? std::wstring(UntitledRescueName) : ExtractFileName(document)) +
                              std::wstring(RescueExtension);
    const std::wstring first =
        untitled ? layout::InstallPath(installationRoot, std::wstring(layout::ScriptFolder) + L"\\" + name)
                 : std::wstring(document) + std::wstring(RescueExtension);
    return {first, layout::InstallPath(installationRoot, name)};
}

} // namespace tessark::script
