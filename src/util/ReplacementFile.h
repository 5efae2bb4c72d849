#pragma once
// A new version of a file, written beside it under a temporary name and put in
// its place only once it is complete, so that a failed write never costs the
// file that was there before.
#include "util/Win32Handle.h"

#include <cstddef>
#include <string>

namespace tessark {

class ReplacementFile {
public:
    // Raises EFCreateError when the target exists but may not be replaced
    // (read-only, a folder, held open by anyone, this process included) or
    // when no file can be created beside it.
    explicit ReplacementFile(std::wstring target);
    // Drops the temporary file unless Commit succeeded.
    ~ReplacementFile();
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    // Raises EWriteError ("Disque plein" when the disk is full).
    void Write(const void* data, std::size_t size);
    // Closes the temporary file and puts it in the target's place; raises
    // EFCreateError when that fails.
    void Commit(bool flushToDisk);

private:
    std::wstring target_;
    std::wstring tempPath_;
    Handle file_;
    Handle guard_;  // keeps an existing target from being taken while we write
    bool committed_ = false;
};

} // namespace tessark
