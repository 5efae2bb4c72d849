// Reading the picked picture file: a BMP, a RAW of the chosen width, or the
// logo a ".pak" holds.
#include "image/PictureArea.h"

#include "image/BmpImage.h"
#include "image/PakFile.h"
#include "image/RawImage.h"
#include "util/FileIO.h"
#include "util/FileNames.h"
#include "util/Messages.h"
#include "util/Text1252.h"
#include "util/TextUtils.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <variant>

namespace tessark {
namespace {

// Far more than the packed stream of any logo can take: a larger ".pak" is
// refused before it is read.
constexpr std::uint64_t LargestPak = 4u << 20;
constexpr std::int32_t LogoWidth = 512;

std::span<const std::uint8_t> BytesOf(const std::string& bytes)
{
    return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
}

std::optional<std::uint64_t> FileSize(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return std::nullopt;
    return static_cast<std::uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

// The logo a ".pak" holds, or why it cannot be shown.
std::variant<image::Picture, std::wstring> ReadPakFile(const std::wstring& path)
{
    if (const auto size = FileSize(path); size && *size > LargestPak)
        return std::wstring(msg::InvalidBitmap);
    const image::PakReading reading = image::ReadPak(BytesOf(ReadWholeFile(path)));
    if (!reading.problem.empty())
        return cp1252::Decode(reading.problem);
    auto logo = image::DecodeRaw(reading.raw, LogoWidth, false, false);
    if (!logo)
        return std::wstring(msg::InvalidBitmap);
    return std::move(*logo);
}

} // namespace

// The shown picture changes only once the new one has been read whole. A
// RAW file that holds less than one row, or a damaged ".pak", is refused with
// the reason (empty when the picture is shown); a damaged BMP raises.
std::wstring PictureArea::LoadPicture(const std::wstring& path)
{
    const std::wstring extension = AsciiUpper(ExtractFileExt(path));
    if (extension == L".BMP") {
        picture_ = image::DecodeBmp(BytesOf(ReadWholeFile(path)));
    } else if (extension == L".PAK") {
        auto logo = ReadPakFile(path);
        if (auto* problem = std::get_if<std::wstring>(&logo))
            return *problem;
        picture_ = std::move(std::get<image::Picture>(logo));
    } else {
        const std::int32_t width = RawWidth();
        auto bmp = image::RawToBmp(BytesOf(ReadWholeFile(path)), width, false, false);
        if (!bmp)
            return FormatMessageText(msg::RawShorterThanOneRow, path);
        picture_ = image::DecodeBmp(*bmp);
    }
    view_.PictureChanged();
    return {};
}

} // namespace tessark
