#include "util/FileIO.h"

#include "util/FileErrors.h"
#include "util/ReplacementFile.h"
#include "util/Win32Handle.h"

namespace tessark {

std::string ReadWholeFile(const std::wstring& path)
{
    Handle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.ok())
        throw EFOpenError(path);
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > 0x7FFFFFFF)
        throw EFOpenError(path);
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        if (!ReadFile(file.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &got, nullptr))
            throw EFOpenError(path);
        if (got == 0)
            break;
        done += got;
    }
    bytes.resize(done);
    return bytes;
}

void WriteFileSafely(const std::wstring& path, const std::string& bytes)
{
    try {
        ReplacementFile out(path);
        out.Write(bytes.data(), bytes.size());
        out.Commit(true);
    } catch (const EWriteError&) {
        throw EFCreateError(path);
    }
}

} // namespace tessark
