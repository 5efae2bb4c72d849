#include "image/GameView.h"

#include "image/PictureMessages.h"
#include "util/Messages.h"
#include "util/TextUtils.h"

namespace tessark::image {
namespace {

constexpr Rgb Black{};

bool OnHalfEdge(std::int32_t position)
{
    const std::int32_t inHalf = position % LogoHalfSize;
    return inHalf == 0 || inHalf == LogoHalfSize - 1;
}

} // namespace

std::int64_t CountBlackPixels(const Picture& picture)
{
    std::int64_t count = 0;
    for (std::int32_t y = 0; y < picture.height(); ++y) {
        const std::uint8_t* pixel = picture.Row(y);
        for (std::int32_t x = 0; x < picture.width(); ++x, pixel += 3)
            count += (pixel[0] | pixel[1] | pixel[2]) == 0;
    }
    return count;
}

std::wstring BlackPixelsText(std::int64_t count)
{
    if (count <= 0)
        return {};
    return FormatMessageText(count == 1 ? msg::OneBlackPixel : msg::BlackPixels, GroupedThousands(count));
}

bool HiddenInGame(std::int32_t x, std::int32_t y)
{
    const bool inLogo = x >= 0 && x < 2 * LogoHalfSize && y >= 0 && y < LogoHalfSize;
    return inLogo && (OnHalfEdge(x) || OnHalfEdge(y));
}

Rgb CheckerAt(std::int32_t x, std::int32_t y)
{
    return (x / CheckerCell + y / CheckerCell) % 2 == 0 ? CheckerLight : CheckerDark;
}

Rgb TintedAsHidden(Rgb colour)
{
    return {static_cast<std::uint8_t>((colour.red + 0xFF) / 2), static_cast<std::uint8_t>(colour.green / 2),
            static_cast<std::uint8_t>(colour.blue / 2)};
}

Picture GameViewPart(const Picture& picture, std::int32_t left, std::int32_t top, std::int32_t width,
                     std::int32_t height)
{
    Picture part(width, height);
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            const std::int32_t px = left + x, py = top + y;
            Rgb colour = picture.At(px, py);
            if (colour == Black)
                colour = CheckerAt(px, py);
            if (HiddenInGame(px, py))
                colour = TintedAsHidden(colour);
            part.Set(x, y, colour);
        }
    }
    return part;
}

} // namespace tessark::image
