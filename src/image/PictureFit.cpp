#include "image/PictureFit.h"

#include "image/PictureMessages.h"
#include "util/Messages.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace tessark::image {
namespace {

std::int32_t ScaledSide(std::int32_t side, double scale, std::int32_t limit)
{
    return std::clamp(static_cast<std::int32_t>(std::lround(side * scale)), 1, limit);
}

struct LinearSum {
    double blue = 0, green = 0, red = 0;
    std::int64_t pixels = 0;

    void Add(Rgb colour)
    {
        blue += LinearOf(colour.blue);
        green += LinearOf(colour.green);
        red += LinearOf(colour.red);
        ++pixels;
    }

    Rgb Average() const
    {
        const auto n = static_cast<double>(pixels);
        return {EncodedOf(static_cast<float>(red / n)), EncodedOf(static_cast<float>(green / n)),
                EncodedOf(static_cast<float>(blue / n))};
    }
};

void AddRow(LinearSum& sum, const Picture& picture, std::int32_t y)
{
    for (std::int32_t x = 0; x < picture.width(); ++x)
        sum.Add(picture.At(x, y));
}

void AddColumn(LinearSum& sum, const Picture& picture, std::int32_t x)
{
    for (std::int32_t y = 0; y < picture.height(); ++y)
        sum.Add(picture.At(x, y));
}

} // namespace

FitPlacement PlaceFit(std::int32_t sourceWidth, std::int32_t sourceHeight, std::int32_t width,
                      std::int32_t height, FitWay way)
{
    const double across = static_cast<double>(width) / sourceWidth;
    const double down = static_cast<double>(height) / sourceHeight;
    FitPlacement place{{0, 0, static_cast<double>(sourceWidth), static_cast<double>(sourceHeight)}, 0, 0, width, height};
    if (way == FitWay::Inside) {
        const double scale = std::min(across, down);
        place.width = ScaledSide(sourceWidth, scale, width);
        place.height = ScaledSide(sourceHeight, scale, height);
        place.left = (width - place.width) / 2;
        place.top = (height - place.height) / 2;
    } else if (way == FitWay::Fill) {
        const double scale = std::max(across, down);
        place.window.width = std::min<double>(sourceWidth, width / scale);
        place.window.height = std::min<double>(sourceHeight, height / scale);
        place.window.left = (sourceWidth - place.window.width) / 2;
        place.window.top = (sourceHeight - place.window.height) / 2;
    }
    return place;
}

Picture FitToSize(const Picture& source, std::int32_t width, std::int32_t height, FitWay way, Rgb border)
{
    Picture::CheckSize(width, height);
    if (width == 0 || height == 0 || source.empty())
        throw UserError(FormatMessageText(msg::InvalidPictureSize,
                                          std::to_wstring(width) + L" x " + std::to_wstring(height)));
    const FitPlacement place = PlaceFit(source.width(), source.height(), width, height, way);
    const Picture fitted = Resample(source, place.window, place.width, place.height);
    if (place.width == width && place.height == height)
        return fitted;
    Picture result(width, height);
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x)
            result.Set(x, y, border);
    for (std::int32_t y = 0; y < place.height; ++y)
        std::copy_n(fitted.Row(y), static_cast<std::size_t>(place.width) * 3,
                    result.Row(place.top + y) + static_cast<std::size_t>(place.left) * 3);
    return result;
}

Rgb EdgeColour(const Picture& source, std::int32_t width, std::int32_t height)
{
    const std::int64_t wide = std::int64_t{source.width()} * height;
    const std::int64_t tall = std::int64_t{source.height()} * width;
    LinearSum sum;
    if (wide >= tall) {
        AddRow(sum, source, 0);
        AddRow(sum, source, source.height() - 1);
    }
    if (tall >= wide) {
        AddColumn(sum, source, 0);
        AddColumn(sum, source, source.width() - 1);
    }
    return sum.Average();
}

} // namespace tessark::image
