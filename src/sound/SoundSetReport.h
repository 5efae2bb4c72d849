#pragma once
// What a freshly built ".sfx"/".sam" pair holds, told to the level builder.
#include <string>

namespace tessark {

struct SoundSetReport {
    std::wstring text;
    bool damaged = false;  // the pair cannot be read or does not hold together
};

// Reads the pair just built and looks for each sample where the builder does:
// in its own folder, then in the "Samples" folder beside it.
SoundSetReport ReportBuiltSoundSet(const std::wstring& sfxPath, const std::wstring& samPath,
                                   const std::wstring& builderFolder);

} // namespace tessark
