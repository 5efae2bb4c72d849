#include "image/RawFile.h"

#include "image/RawImage.h"
#include "util/FileNames.h"
#include "util/ReplacementFile.h"

namespace tessark {

void SaveRawImage(std::wstring& path, image::Picture& picture, std::int32_t width, std::int32_t height)
{
    path = ChangeFileExt(path, L".raw");
    ReplacementFile file(path);
    image::EncodeRaw(picture, width, height,
                     [&](const std::uint8_t* row, std::size_t size) { file.Write(row, size); });
    file.Commit(true);
}

} // namespace tessark
