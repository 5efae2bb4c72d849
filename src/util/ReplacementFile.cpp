#include "util/ReplacementFile.h"

#include "util/FileErrors.h"

#include <algorithm>

namespace tessark {
namespace {

// An existing target must be writable and is then opened for writing by us
// alone: that fails when it is open elsewhere (a file being copied onto itself
// is). The attribute is tested first because an administrator, or root under
// Wine, may open a read-only file for writing. A missing target gives an empty
// guard.
bool GuardExistingTarget(const std::wstring& target, Handle& guard)
{
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))
        return false;
    HANDLE h = CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    guard.Reset(h);
    return true;
}

// A new, exclusive file next to the target, so the final rename stays on one volume.
HANDLE CreateTemporaryBeside(const std::wstring& target, std::wstring& tempPath)
{
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        tempPath = target + L".~" + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(attempt);
        HANDLE h = CreateFileW(tempPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                               nullptr);
        if (h != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
            return h;
    }
    return INVALID_HANDLE_VALUE;
}

bool IsDiskFull(DWORD error)
{
    return error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL;
}

} // namespace

ReplacementFile::ReplacementFile(std::wstring target) : target_(std::move(target))
{
    if (!GuardExistingTarget(target_, guard_))
        throw EFCreateError(target_);
    HANDLE created = CreateTemporaryBeside(target_, tempPath_);
    if (created == INVALID_HANDLE_VALUE)
        throw EFCreateError(target_);
    file_.Reset(created);
}

ReplacementFile::~ReplacementFile()
{
    if (committed_)
        return;
    file_.Close();
    DeleteFileW(tempPath_.c_str());
}

void ReplacementFile::Write(const void* data, std::size_t size)
{
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file_.get(), bytes, chunk, &written, nullptr)) {
            if (IsDiskFull(GetLastError()))
                throw EWriteError::DiskFull();
            throw EWriteError::Failed(target_);
        }
        if (written != chunk)  // a short write: there is no room left
            throw EWriteError::DiskFull();
        bytes += written;
        size -= written;
    }
}

void ReplacementFile::Commit(bool flushToDisk)
{
    if (flushToDisk && !FlushFileBuffers(file_.get()))
        throw EWriteError::Failed(target_);
    if (!file_.Close())
        throw EWriteError::Failed(target_);
    guard_.Close();
    if (!MoveFileExW(tempPath_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        throw EFCreateError(target_);
    committed_ = true;
}

} // namespace tessark
