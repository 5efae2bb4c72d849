#include "util/FileIO.h"

#include "app/Win32.h"
#include "util/Messages.h"

#include <algorithm>

namespace tessark {
namespace {

class Handle {
public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle() { Close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool ok() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return h_; }
    bool Close()
    {
        const bool closed = !ok() || CloseHandle(h_);
        h_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE h_;
};

[[noreturn]] void CannotOpen(const std::wstring& path)
{
    throw UserError(FormatMessageText(msg::CannotOpenFile, path));
}

[[noreturn]] void CannotCreate(const std::wstring& path)
{
    throw UserError(FormatMessageText(msg::CannotCreateFile, path));
}

bool WriteAll(HANDLE file, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written != chunk)
            return false;
        done += written;
    }
    return true;
}

// An existing target must be writable and not held open by anyone else, or the
// replacement would quietly bypass a read-only flag or a program's lock.
bool TargetCanBeReplaced(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))
        return false;
    Handle probe(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    return probe.ok();
}

// A new, exclusive file next to `path`, so the final rename stays on one volume.
HANDLE CreateTemporaryBeside(const std::wstring& path, std::wstring& tempPath)
{
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        tempPath = path + L".~" + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(attempt);
        HANDLE h = CreateFileW(tempPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
            return h;
    }
    return INVALID_HANDLE_VALUE;
}

} // namespace

std::string ReadWholeFile(const std::wstring& path)
{
    Handle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.ok())
        CannotOpen(path);
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > 0x7FFFFFFF)
        CannotOpen(path);
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        if (!ReadFile(file.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &got, nullptr))
            CannotOpen(path);
        if (got == 0)
            break;
        done += got;
    }
    bytes.resize(done);
    return bytes;
}

void WriteFileSafely(const std::wstring& path, const std::string& bytes)
{
    if (!TargetCanBeReplaced(path))
        CannotCreate(path);
    std::wstring tempPath;
    HANDLE created = CreateTemporaryBeside(path, tempPath);
    if (created == INVALID_HANDLE_VALUE)
        CannotCreate(path);
    Handle out(created);
    const bool written = out.ok() && WriteAll(out.get(), bytes) && FlushFileBuffers(out.get());
    const bool closed = out.Close();
    if (!written || !closed ||
        !MoveFileExW(tempPath.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(tempPath.c_str());
        CannotCreate(path);
    }
}

} // namespace tessark
