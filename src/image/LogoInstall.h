#pragma once
// Installing a checked title logo .pak as the game's own logo.
#include "ui/Dialogs.h"

#include <optional>
#include <string>

namespace tessark {

// What to tell when the installation has no data folder (the logo cannot be
// installed then); nothing when it has one.
std::optional<std::wstring> MissingGameDataFolder(const std::wstring& installationRoot);

// Asks whether the .pak bytes `pak` go into the game as data\uklogo.pak under
// `installationRoot`; on Yes, installs them, the game's previous logo kept as
// uklogo.bak (one level: an older uklogo.bak is dropped). Every failure is
// told in a box and leaves the game's logo and backup as they were; a data
// folder is never created.
void OfferLogoInstall(IDialogs& dialogs, HWND owner, const std::wstring& installationRoot, const std::string& pak);

} // namespace tessark
