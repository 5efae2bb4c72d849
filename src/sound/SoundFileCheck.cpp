#include "sound/SoundFileCheck.h"

#include "sound/SoundFile.h"
#include "util/FileNames.h"
#include "util/Win32Handle.h"

#include <limits>

namespace tessark {
namespace {

// Reads a file where the reader asks, leaving it open to others meanwhile.
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

} // namespace

std::optional<std::wstring> DamagedSoundMessage(const std::wstring& path)
{
    const FileBytes file(path);
    if (!file.IsOpen())
        return std::nullopt;
    const bool midi = AsciiUpper(ExtractFileExt(path)) == L".MID";
    const sound::SoundCheck check = midi ? sound::ReadMidiFile(file) : sound::ReadWaveFile(file);
    if (check.Good() || check.fault == sound::SoundFault::Unreadable)
        return std::nullopt;
    return sound::DamagedSoundText(ExtractFileName(path), check);
}

std::optional<sound::SoundCheck> CheckWaveOnDisk(const std::wstring& path)
{
    const FileBytes file(path);
    if (!file.IsOpen())
        return std::nullopt;
    return sound::ReadWaveFile(file);
}

} // namespace tessark
