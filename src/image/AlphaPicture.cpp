#include "image/AlphaPicture.h"

#include "image/PictureMessages.h"
#include "util/Messages.h"
#include "util/TextUtils.h"

#include <algorithm>

namespace tessark::image {

std::uint8_t AlphaPicture::AlphaAt(std::int32_t x, std::int32_t y) const
{
    if (alpha.empty())
        return 0xFF;
    return alpha[static_cast<std::size_t>(y) * static_cast<std::size_t>(colours.width()) + static_cast<std::size_t>(x)];
}

void ForgetOpaqueAlpha(AlphaPicture& picture)
{
    if (std::all_of(picture.alpha.begin(), picture.alpha.end(), [](std::uint8_t a) { return a == 0xFF; }))
        picture.alpha = {};
}

OnBlack BlendOnBlack(const AlphaPicture& picture)
{
    OnBlack result{picture.colours, 0};
    if (!picture.HasTransparency())
        return result;
    const std::uint8_t* opacity = picture.alpha.data();
    for (std::int32_t y = 0; y < result.picture.height(); ++y) {
        std::uint8_t* pixel = result.picture.Row(y);
        for (std::int32_t x = 0; x < result.picture.width(); ++x, pixel += 3, ++opacity) {
            const unsigned a = *opacity;
            if (a == 0xFF)
                continue;
            // On the encoded values, as paint programs show a layer over black,
            // so the logo looks as it did where it was drawn.
            for (int c = 0; c < 3; ++c)
                pixel[c] = static_cast<std::uint8_t>((pixel[c] * a + 127) / 255);
            result.madeTransparent += (pixel[0] | pixel[1] | pixel[2]) == 0;
        }
    }
    return result;
}

std::wstring MadeTransparentText(std::int64_t count)
{
    if (count <= 0)
        return {};
    return FormatMessageText(count == 1 ? msg::OnePixelMadeTransparent : msg::PixelsMadeTransparent,
                             GroupedThousands(count));
}

} // namespace tessark::image
