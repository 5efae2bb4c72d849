#pragma once
// A file on disk read where a reader asks, left open to others meanwhile.
#include "sound/SoundFile.h"
#include "util/Win32Handle.h"

#include <limits>
#include <string>

namespace tessark {

class FileBytes final : public sound::ByteSource {
public:
    explicit FileBytes(const std::wstring& path)
        : file_(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))
    {
        LARGE_INTEGER size{};
        if (file_.ok() && GetFileSizeEx(file_.get(), &size))
            size_ = static_cast<std::uint64_t>(size.QuadPart);
        else
            file_.Close();
    }
    bool IsOpen() const { return file_.ok(); }
    std::uint64_t Size() const override { return size_; }
    bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const override
    {
        if (out.size() > std::numeric_limits<DWORD>::max())
            return false;
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset);
        at.OffsetHigh = static_cast<DWORD>(offset >> 32);
        DWORD read = 0;
        return ReadFile(file_.get(), out.data(), static_cast<DWORD>(out.size()), &read, &at) &&
               read == out.size();
    }

private:
    Handle file_;
    std::uint64_t size_ = 0;
};

} // namespace tessark
