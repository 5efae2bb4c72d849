#pragma once
// The texts of the picture area and of its two exports.
#include <cstdint>
#include <string>
#include <string_view>

namespace tessark {

// "Image 512 x 256"
std::wstring PictureCaption(std::int32_t width, std::int32_t height);
// The questions asked before a picture is saved at an unusual size.
std::wstring LogoSizeQuestion(std::int32_t width, std::int32_t height);
std::wstring SkySizeQuestion(std::int32_t width, std::int32_t height);
// The reports of a finished logo export, from the RAW file's full path: the
// files' names and the folder (with its trailing backslash) that holds them.
std::wstring LogoFromBmpDone(std::wstring_view rawPath);
std::wstring LogoFromRawDone(std::wstring_view rawPath);

} // namespace tessark
