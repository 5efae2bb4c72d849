// Any bytes given as a TGA file: a picture that, written again as an
// uncompressed TGA, reads back the same, or one of the reader's own French
// texts, nothing else.
#include "image/TgaImage.h"
#include "image/PictureMessages.h"
#include "util/Messages.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

namespace {

using namespace tessark;
using namespace tessark::image;

bool IsReaderText(const std::wstring& text)
{
    for (std::wstring_view known : {msg::TgaTooShort, msg::TgaEmpty, msg::TgaDataCut, msg::TgaRunPastEnd})
        if (text == known)
            return true;
    return text.starts_with(L"Image TGA non prise en charge (type ") || text.starts_with(L"Image trop grande : ");
}

// Uncompressed, 32 bits, top row first: a plain writer the reader must agree with.
std::vector<std::uint8_t> Rewritten(const AlphaPicture& picture)
{
    const auto w = static_cast<std::uint16_t>(picture.colours.width());
    const auto h = static_cast<std::uint16_t>(picture.colours.height());
    std::vector<std::uint8_t> file{0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, static_cast<std::uint8_t>(w),
                                   static_cast<std::uint8_t>(w >> 8), static_cast<std::uint8_t>(h),
                                   static_cast<std::uint8_t>(h >> 8), 32, 0x28};
    for (std::int32_t y = 0; y < h; ++y)
        for (std::int32_t x = 0; x < w; ++x) {
            const Rgb c = picture.colours.At(x, y);
            file.insert(file.end(), {c.blue, c.green, c.red, picture.AlphaAt(x, y)});
        }
    return file;
}

bool Same(const AlphaPicture& a, const AlphaPicture& b)
{
    const Picture& p = a.colours;
    return p.width() == b.colours.width() && p.height() == b.colours.height() && a.alpha == b.alpha &&
           std::memcmp(p.data(), b.colours.data(), p.stride() * static_cast<std::size_t>(p.height())) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    AlphaPicture picture;
    try {
        picture = DecodeTga(std::span(data, size));
    } catch (const UserError& error) {
        if (!IsReaderText(error.text()))
            __builtin_trap();
        return 0;
    }
    const std::size_t pixels = static_cast<std::size_t>(picture.colours.width()) *
                               static_cast<std::size_t>(picture.colours.height());
    if (pixels == 0 || (picture.HasTransparency() && picture.alpha.size() != pixels))
        __builtin_trap();
    if (!Same(picture, DecodeTga(Rewritten(picture))))
        __builtin_trap();
    return 0;
}
