#pragma once
// RAW picture files on disk.
#include "image/Picture.h"

#include <cstdint>
#include <string>

namespace tessark {

// Writes `picture` as a RAW file of width x height pixels, resizing it first
// when its size differs. `path` gets the extension ".raw" first, in place. The
// file is complete or not written at all: an existing file of that name stays
// as it was when writing fails.
void SaveRawImage(std::wstring& path, image::Picture& picture, std::int32_t width, std::int32_t height);

} // namespace tessark
