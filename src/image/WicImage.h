#pragma once
// Picture files through the Windows Imaging Component, the system's own
// codecs: PNG, JPEG, GIF and TIFF (and whatever else it is given) in, PNG out.
#include "image/AlphaPicture.h"
#include "image/Picture.h"

#include <string>

namespace tessark::image {

struct WicRead {
    AlphaPicture picture;
    // Empty when the picture was read; otherwise why not, in French.
    std::wstring error;

    bool ok() const { return error.empty(); }
};

// Reads the first frame of the picture file at `path`, its transparency
// kept (HasTransparency only when some pixel is not opaque). Never throws.
WicRead ReadPictureWithWic(const std::wstring& path) noexcept;

// Writes `picture` as a 24-bit PNG file at `path`, replacing any file there.
// Returns empty when written, otherwise why not, in French; a failed write
// leaves no new file and the file that was there as it was. Never throws.
std::wstring SavePngWithWic(const Picture& picture, const std::wstring& path) noexcept;

} // namespace tessark::image
