#pragma once
// Which files of the installation the script names exist: its language files
// in the script folder, its levels' .tr4 files under the installation root.
#include "script/ScriptCheck.h"

#include <string>

namespace tessark {

// Paths that lead outside their folder are reported missing without a look.
ScriptFileLookup InstallationFileLookup(const std::wstring& installationRoot);

} // namespace tessark
