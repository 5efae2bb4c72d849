#pragma once
// Files that only make sense together (a compiled script and its language
// files) are replaced together or not at all.
#include <string>
#include <vector>

namespace tessark {

struct NewFile {
    std::wstring path;
    std::string bytes;
};

// Writes every file's new content beside it under a temporary name; only once
// all are complete are the old files set aside and the new ones put in place,
// and the old ones then deleted. Raises EFCreateError naming the file (a
// target read-only, a folder or held open elsewhere, or a rename refused) or
// EWriteError (a full disk); every file is then exactly as it was before and
// no temporary file is left behind.
void WriteFilesTogether(const std::vector<NewFile>& files);

} // namespace tessark
