// Reading the picked picture file: a BMP, a RAW of the chosen width, the
// logo a ".pak" holds, or a picture of a paint program (PNG, JPEG, GIF, TIFF
// through the system's codecs, TGA through our own reader).
#include "image/PictureArea.h"

#include "image/AlphaPicture.h"
#include "image/BmpImage.h"
#include "image/PakFile.h"
#include "image/PictureMessages.h"
#include "image/RawImage.h"
#include "image/TgaImage.h"
#include "image/WicImage.h"
#include "util/FileIO.h"
#include "util/FileNames.h"
#include "util/Messages.h"
#include "util/Text1252.h"
#include "util/TextUtils.h"

#include <algorithm>
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

constexpr std::wstring_view SystemCodecExtensions[] = {L".PNG", L".JPG", L".JPEG", L".GIF", L".TIF", L".TIFF"};

bool ReadBySystemCodecs(const std::wstring& extension)
{
    return std::find(std::begin(SystemCodecExtensions), std::end(SystemCodecExtensions), extension) !=
           std::end(SystemCodecExtensions);
}

// Raises UserError with the reason when the file cannot be read.
image::AlphaPicture ReadPaintedPicture(const std::wstring& path, const std::wstring& extension)
{
    if (extension == L".TGA")
        return image::DecodeTga(BytesOf(ReadWholeFile(path)));
    image::WicRead read = image::ReadPictureWithWic(path);
    if (!read.ok())
        throw UserError(read.error);
    return std::move(read.picture);
}

} // namespace

bool PictureArea::IsPaintedPicture(const std::wstring& path)
{
    const std::wstring extension = AsciiUpper(ExtractFileExt(path));
    return extension == L".BMP" || extension == L".TGA" || ReadBySystemCodecs(extension);
}

// The game takes pure black for transparent: in logo mode what was
// transparent becomes black; a sky has no transparency and keeps the colours.
void PictureArea::ShowPainted(image::AlphaPicture&& painted)
{
    if (mode_ == PictureMode::Logo) {
        image::OnBlack onBlack = image::BlendOnBlack(painted);
        picture_ = std::move(onBlack.picture);
        madeTransparent_ = onBlack.madeTransparent;
    } else {
        picture_ = std::move(painted.colours);
    }
}

// The shown picture changes only once the new one has been read whole. A
// RAW file that holds less than one row, or a damaged ".pak", is refused with
// the reason (empty when the picture is shown); a damaged BMP, PNG, JPEG,
// GIF, TIFF or TGA raises, the earlier picture left shown.
std::wstring PictureArea::LoadPicture(const std::wstring& path)
{
    const std::wstring extension = AsciiUpper(ExtractFileExt(path));
    if (extension == L".BMP") {
        picture_ = image::DecodeBmp(BytesOf(ReadWholeFile(path)));
        madeTransparent_ = 0;
    } else if (extension == L".TGA" || ReadBySystemCodecs(extension)) {
        ShowPainted(ReadPaintedPicture(path, extension));
    } else if (extension == L".PAK") {
        auto logo = ReadPakFile(path);
        if (auto* problem = std::get_if<std::wstring>(&logo))
            return *problem;
        picture_ = std::move(std::get<image::Picture>(logo));
        madeTransparent_ = 0;
    } else {
        const std::int32_t width = RawWidth();
        auto bmp = image::RawToBmp(BytesOf(ReadWholeFile(path)), width, false, false);
        if (!bmp)
            return FormatMessageText(msg::RawShorterThanOneRow, path);
        picture_ = image::DecodeBmp(*bmp);
        madeTransparent_ = 0;
    }
    view_.PictureChanged();
    return {};
}

} // namespace tessark
