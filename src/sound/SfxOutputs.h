#pragma once
// The .sfx and .sam files of a sound-set build on their way from the builder's
// folder into the WAD folder. They travel as a pair: the WAD folder never gets
// a new file of one kind beside an old one of the other, and a file that an
// earlier build left in the builder's folder never passes for a new one.
#include "util/Messages.h"

#include <string>
#include <vector>

namespace tessark {

// A build whose outputs were not installed, for a reason the user is told;
// the WAD folder is as it was.
class SfxNotInstalled : public UserError {
public:
    using UserError::UserError;
};

// The outputs of an earlier build, moved to unused names beside them while the
// builder runs, so that whatever lies under the output names afterwards was
// written by this run.
class EarlierOutputs {
public:
    // Raises SfxNotInstalled, having put back those already moved, when one of
    // them cannot be moved.
    explicit EarlierOutputs(const std::vector<std::wstring>& outputs);
    // Puts them back under their own names, over whatever a failed build left
    // there, unless Drop was called.
    ~EarlierOutputs();
    EarlierOutputs(const EarlierOutputs&) = delete;
    EarlierOutputs& operator=(const EarlierOutputs&) = delete;

    // Deletes them: a build that wrote every output has replaced them.
    void Drop();

private:
    struct SetAside {
        std::wstring path;
        std::wstring aside;
    };
    void PutBack();
    std::vector<SetAside> setAside_;
};

// Puts a copy of each `built` file in the place of the `targets` of the same
// rank: all of them, or none, every target then staying as it was. Refuses
// before touching anything when a target is a folder or read-only. Raises
// SfxNotInstalled naming the target that failed.
void InstallTogether(const std::vector<std::wstring>& built, const std::vector<std::wstring>& targets);

} // namespace tessark
