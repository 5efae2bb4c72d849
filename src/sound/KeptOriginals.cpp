#include "sound/KeptOriginals.h"

#include "util/BackupReplacement.h"
#include "util/FileNames.h"
#include "util/Messages.h"
#include "util/Win32Handle.h"

#include <algorithm>
#include <vector>

namespace tessark {
namespace {

constexpr DWORD ChunkSize = 64 * 1024;

[[noreturn]] void Refuse(std::wstring_view pattern, std::wstring_view path)
{
    throw ReplacementRefused(FormatMessageText(pattern, path));
}

bool IsDiskFull(DWORD error)
{
    return error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL;
}

std::wstring FolderOfKeptOriginals(const std::wstring& sample)
{
    return ExtractFilePath(sample) + KeptOriginalsFolderName;
}

// The folder that holds the kept originals, made when missing. Returns the
// folder when this call made it.
std::wstring EnsureFolder(const std::wstring& folder)
{
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        if (!CreateDirectoryW(folder.c_str(), nullptr))
            Refuse(msg::KeptFolderNotCreated, folder);
        return folder;
    }
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        Refuse(msg::KeptFolderIsAFile, folder);
    // Root under Wine may write into a read-only folder: the attribute speaks first.
    if (attributes & FILE_ATTRIBUTE_READONLY)
        Refuse(msg::KeptFolderReadOnly, folder);
    return {};
}

std::wstring FreeTemporaryName(const std::wstring& target)
{
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        std::wstring name =
            target + L".~keep" + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(attempt);
        if (GetFileAttributesW(name.c_str()) == INVALID_FILE_ATTRIBUTES)
            return name;
    }
    return {};
}

// Copies every byte of `in` into `out`; false, with the system's error
// left for the caller, when a read or a write fails.
bool CopyBytes(HANDLE in, HANDLE out, bool& diskFull)
{
    std::vector<char> buffer(ChunkSize);
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(in, buffer.data(), ChunkSize, &read, nullptr))
            return false;
        if (read == 0)
            return true;
        DWORD written = 0;
        if (!WriteFile(out, buffer.data(), read, &written, nullptr) || written != read) {
            diskFull = written != read || IsDiskFull(GetLastError());
            return false;
        }
    }
}

void WriteCopyOnce(const std::wstring& sample, const std::wstring& target)
{
    Handle in(CreateFileW(sample.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!in.ok())
        Refuse(msg::KeptOriginalNotRead, sample);
    const std::wstring temporary = FreeTemporaryName(target);
    Handle out(temporary.empty() ? INVALID_HANDLE_VALUE
                                 : CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out.ok())
        Refuse(IsDiskFull(GetLastError()) ? msg::KeptCopyDiskFull : msg::KeptCopyNotWritten, target);
    bool diskFull = false;
    const bool copied = CopyBytes(in.get(), out.get(), diskFull) && FlushFileBuffers(out.get());
    const bool closed = out.Close();
    // Without REPLACE_EXISTING: a kept original is never written over.
    if (copied && closed && MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH))
        return;
    DeleteFileW(temporary.c_str());
    Refuse(diskFull ? msg::KeptCopyDiskFull : msg::KeptCopyNotWritten, target);
}

bool SameBytes(HANDLE a, HANDLE b)
{
    std::vector<char> first(ChunkSize), second(ChunkSize);
    for (;;) {
        DWORD readA = 0, readB = 0;
        if (!ReadFile(a, first.data(), ChunkSize, &readA, nullptr) ||
            !ReadFile(b, second.data(), ChunkSize, &readB, nullptr) || readA != readB)
            return false;
        if (readA == 0)
            return true;
        if (!std::equal(first.begin(), first.begin() + readA, second.begin()))
            return false;
    }
}

HANDLE OpenToRead(const std::wstring& path)
{
    return CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

std::wstring KeptOriginalPath(const std::wstring& sample)
{
    return FolderOfKeptOriginals(sample) + L"\\" + ExtractFileName(sample);
}

bool IsInKeptOriginalsFolder(const std::wstring& sample)
{
    std::wstring folder = ExtractFilePath(sample);
    if (!folder.empty() && folder.back() == L'\\')
        folder.pop_back();
    return AsciiUpper(ExtractFileName(folder)) == AsciiUpper(KeptOriginalsFolderName);
}

bool HasKeptOriginal(const std::wstring& sample)
{
    const DWORD attributes = GetFileAttributesW(KeptOriginalPath(sample).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A sample that cannot be read is told as differing: restoring it is what
// the user would try, and that reports what stands in the way.
bool DiffersFromKeptOriginal(const std::wstring& sample)
{
    if (!HasKeptOriginal(sample))
        return false;
    Handle kept(OpenToRead(KeptOriginalPath(sample)));
    Handle current(OpenToRead(sample));
    if (!kept.ok() || !current.ok())
        return true;
    LARGE_INTEGER keptSize{}, currentSize{};
    if (!GetFileSizeEx(kept.get(), &keptSize) || !GetFileSizeEx(current.get(), &currentSize) ||
        keptSize.QuadPart != currentSize.QuadPart)
        return true;
    return !SameBytes(kept.get(), current.get());
}

std::optional<NewlyKept> KeepOriginal(const std::wstring& sample)
{
    const std::wstring target = KeptOriginalPath(sample);
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    const NewlyKept kept{target, EnsureFolder(FolderOfKeptOriginals(sample))};
    try {
        if (attributes != INVALID_FILE_ATTRIBUTES)
            Refuse(msg::KeptCopyIsAFolder, target);
        WriteCopyOnce(sample, target);
    } catch (...) {
        if (!kept.createdFolder.empty())
            RemoveDirectoryW(kept.createdFolder.c_str());
        throw;
    }
    return kept;
}

void DropNewlyKept(const NewlyKept& kept)
{
    DeleteFileW(kept.copy.c_str());
    if (!kept.createdFolder.empty())
        RemoveDirectoryW(kept.createdFolder.c_str());
}

} // namespace tessark
