#include "image/Resample.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

namespace tessark::image {
namespace {

constexpr double Lobes = 3;

double Lanczos(double x)
{
    if (x == 0)
        return 1;
    if (std::abs(x) >= Lobes)
        return 0;
    const double px = std::numbers::pi * x;
    return Lobes * std::sin(px) * std::sin(px / Lobes) / (px * px);
}

// For each output pixel along one axis, the run of source pixels it is made
// of and their weights, which add up to 1.
struct Taps {
    std::vector<std::int32_t> first;
    std::vector<std::int32_t> count;
    std::vector<float> weights;  // `stride` per output pixel
    std::int32_t stride = 0;

    const float* WeightsOf(std::size_t out) const { return weights.data() + out * static_cast<std::size_t>(stride); }
    std::int32_t end(std::size_t out) const { return first[out] + count[out]; }
    std::int32_t MostCount() const { return *std::max_element(count.begin(), count.end()); }
};

Taps TapsFor(std::int32_t sourceSize, double start, double span, std::int32_t outSize)
{
    const double scale = span / outSize;
    const double widening = std::max(1.0, scale);
    const double support = Lobes * widening;
    Taps taps;
    taps.stride = static_cast<std::int32_t>(std::ceil(2 * support)) + 3;
    taps.weights.assign(static_cast<std::size_t>(outSize) * static_cast<std::size_t>(taps.stride), 0.0f);
    for (std::int32_t out = 0; out < outSize; ++out) {
        const double centre = start + (out + 0.5) * scale;
        const auto low = std::max<std::int32_t>(0, static_cast<std::int32_t>(std::floor(centre - support)));
        const auto high = std::min<std::int32_t>(sourceSize - 1, static_cast<std::int32_t>(std::ceil(centre + support)));
        std::vector<double> raw;
        double sum = 0;
        for (std::int32_t n = low; n <= high; ++n) {
            raw.push_back(Lanczos((n + 0.5 - centre) / widening));
            sum += raw.back();
        }
        float* weights = taps.weights.data() + static_cast<std::size_t>(out) * static_cast<std::size_t>(taps.stride);
        for (std::size_t k = 0; k < raw.size(); ++k)
            weights[k] = static_cast<float>(raw[k] / sum);
        taps.first.push_back(low);
        taps.count.push_back(high - low + 1);
    }
    return taps;
}

// The sRGB curve from an encoded value (0 to 1) to linear light.
double Decoded(double encoded)
{
    return encoded <= 0.04045 ? encoded / 12.92 : std::pow((encoded + 0.055) / 1.055, 2.4);
}

const std::array<float, 256>& LinearTable()
{
    static const std::array<float, 256> table = [] {
        std::array<float, 256> values{};
        for (std::size_t c = 0; c < values.size(); ++c)
            values[c] = static_cast<float>(Decoded(static_cast<double>(c) / 255));
        return values;
    }();
    return table;
}

// The linear values halfway, in encoded terms, between neighbouring codes.
const std::array<float, 255>& CodeThresholds()
{
    static const std::array<float, 255> table = [] {
        std::array<float, 255> values{};
        for (std::size_t c = 0; c < values.size(); ++c)
            values[c] = static_cast<float>(Decoded((static_cast<double>(c) + 0.5) / 255));
        return values;
    }();
    return table;
}

// The source's rows in linear light, one at a time, from `firstColumn` to
// `endColumn` (excluded): the columns the filter reaches.
class EncodedSource {
public:
    EncodedSource(const Picture& source, std::int32_t firstColumn, std::int32_t endColumn)
        : source_(source), firstColumn_(firstColumn), row_(static_cast<std::size_t>(endColumn - firstColumn) * 3)
    {
    }

    std::int32_t firstColumn() const { return firstColumn_; }

    const float* Linear(std::int32_t y)
    {
        const std::uint8_t* encoded = source_.Row(y) + static_cast<std::size_t>(firstColumn_) * 3;
        const auto& table = LinearTable();
        for (std::size_t i = 0; i < row_.size(); ++i)
            row_[i] = table[encoded[i]];
        return row_.data();
    }

private:
    const Picture& source_;
    std::int32_t firstColumn_;
    std::vector<float> row_;
};

// Whole-factor reduction before the filter when a picture shrinks a lot:
// averaging boxes of pixels costs one pass over the source, and the filter
// that follows still shrinks by at least this much, so it hides the boxes.
constexpr double ReductionGap = 3;

std::int32_t BoxFactor(double scale)
{
    return std::max(1, static_cast<std::int32_t>(scale / ReductionGap));
}

// The rows of the mean of each across x down box of the part of `source`
// from column `left` to `right` and row `top` to `bottom` (both excluded);
// the boxes at the right and bottom may be partial. Row and column 0 are the
// part's first.
class BoxSource {
public:
    BoxSource(const Picture& source, std::int32_t left, std::int32_t right, std::int32_t top, std::int32_t bottom,
              std::int32_t across, std::int32_t down)
        : source_(source), left_(left), width_(right - left), top_(top), height_(bottom - top), across_(across),
          down_(down), sums_(static_cast<std::size_t>(width_) * 3), row_(static_cast<std::size_t>(width()) * 3)
    {
    }

    std::int32_t width() const { return (width_ + across_ - 1) / across_; }
    std::int32_t height() const { return (height_ + down_ - 1) / down_; }
    std::int32_t firstColumn() const { return 0; }

    const float* Linear(std::int32_t y)
    {
        std::fill(sums_.begin(), sums_.end(), 0.0f);
        const auto& table = LinearTable();
        const std::int32_t rows = std::min(down_, height_ - y * down_);
        for (std::int32_t r = 0; r < rows; ++r) {
            const std::uint8_t* encoded = source_.Row(top_ + y * down_ + r) + static_cast<std::size_t>(left_) * 3;
            for (std::size_t i = 0; i < sums_.size(); ++i)
                sums_[i] += table[encoded[i]];
        }
        for (std::int32_t x = 0; x < width(); ++x) {
            const std::int32_t columns = std::min(across_, width_ - x * across_);
            const float share = 1.0f / static_cast<float>(rows * columns);
            const float* sum = sums_.data() + static_cast<std::size_t>(x * across_) * 3;
            float b = 0, g = 0, r = 0;
            for (std::int32_t k = 0; k < columns; ++k, sum += 3) {
                b += sum[0];
                g += sum[1];
                r += sum[2];
            }
            row_[static_cast<std::size_t>(x) * 3] = b * share;
            row_[static_cast<std::size_t>(x) * 3 + 1] = g * share;
            row_[static_cast<std::size_t>(x) * 3 + 2] = r * share;
        }
        return row_.data();
    }

private:
    const Picture& source_;
    std::int32_t left_, width_, top_, height_, across_, down_;
    std::vector<float> sums_;
    std::vector<float> row_;
};

// One source row resampled across; `row` starts at source column
// `firstColumn`. Light the filter's negative lobes push below black or
// beyond white at hard edges is dropped before the second pass, as 16-bit
// image tools do: it tempers the ringing along such edges.
void ResampleAcross(const float* row, std::int32_t firstColumn, const Taps& across, float* out)
{
    for (std::size_t x = 0; x < across.first.size(); ++x) {
        const float* pixel = row + static_cast<std::size_t>(across.first[x] - firstColumn) * 3;
        const float* weights = across.WeightsOf(x);
        float b = 0, g = 0, r = 0;
        for (std::int32_t k = 0; k < across.count[x]; ++k, pixel += 3) {
            b += weights[k] * pixel[0];
            g += weights[k] * pixel[1];
            r += weights[k] * pixel[2];
        }
        out[3 * x] = std::clamp(b, 0.0f, 1.0f);
        out[3 * x + 1] = std::clamp(g, 0.0f, 1.0f);
        out[3 * x + 2] = std::clamp(r, 0.0f, 1.0f);
    }
}

// The source rows resampled across, each made once when first needed and
// kept while the output rows still use it: the vertical taps move down
// monotonically, so a ring of the widest tap run holds them all.
template <class Source>
class AcrossRows {
public:
    AcrossRows(Source& source, const Taps& across, const Taps& down)
        : source_(source), across_(across), values_(across.first.size() * 3), ringRows_(down.MostCount()),
          ring_(values_ * static_cast<std::size_t>(ringRows_)), next_(down.first.front())
    {
    }

    std::size_t values() const { return values_; }

    const float* Get(std::int32_t row)
    {
        for (; next_ <= row; ++next_)
            ResampleAcross(source_.Linear(next_), source_.firstColumn(), across_, Slot(next_));
        return Slot(row);
    }

private:
    float* Slot(std::int32_t row) { return ring_.data() + static_cast<std::size_t>(row % ringRows_) * values_; }

    Source& source_;
    const Taps& across_;
    std::size_t values_;
    std::int32_t ringRows_;
    std::vector<float> ring_;
    std::int32_t next_;
};

// One output row: the weighted sum of the rows its taps name, built a block
// of values at a time so that the running sums stay in registers while the
// rows stream past.
template <class Rows>
void ResampleDown(Rows& rows, std::int32_t firstRow, std::int32_t count, const float* weights, std::uint8_t* out)
{
    constexpr std::size_t Block = 16;
    std::vector<const float*> source(static_cast<std::size_t>(count));
    for (std::int32_t k = 0; k < count; ++k)
        source[static_cast<std::size_t>(k)] = rows.Get(firstRow + k);
    const std::size_t values = rows.values();
    std::size_t at = 0;
    for (; at + Block <= values; at += Block) {
        float sum[Block] = {};
        for (std::int32_t k = 0; k < count; ++k) {
            const float* row = source[static_cast<std::size_t>(k)] + at;
            for (std::size_t i = 0; i < Block; ++i)
                sum[i] += weights[k] * row[i];
        }
        for (std::size_t i = 0; i < Block; ++i)
            out[at + i] = EncodedOf(sum[i]);
    }
    for (; at < values; ++at) {
        float sum = 0;
        for (std::int32_t k = 0; k < count; ++k)
            sum += weights[k] * source[static_cast<std::size_t>(k)][at];
        out[at] = EncodedOf(sum);
    }
}

template <class Source>
void Filter(Source& source, const Taps& across, const Taps& down, Picture& out)
{
    AcrossRows<Source> rows(source, across, down);
    for (std::int32_t y = 0; y < out.height(); ++y) {
        const auto row = static_cast<std::size_t>(y);
        ResampleDown(rows, down.first[row], down.count[row], down.WeightsOf(row), out.Row(y));
    }
}

// The first and the end source pixel that the filter can reach along one axis.
std::pair<std::int32_t, std::int32_t> Reach(double start, double span, std::int32_t outSize, std::int32_t sourceSize)
{
    const double support = Lobes * std::max(1.0, span / outSize);
    return {std::max(0, static_cast<std::int32_t>(std::floor(start - support))),
            std::min(sourceSize, static_cast<std::int32_t>(std::ceil(start + span + support)) + 1)};
}

void ResampleReduced(const Picture& source, SourceWindow window, std::int32_t across, std::int32_t down,
                     Picture& out)
{
    const auto [left, right] = Reach(window.left, window.width, out.width(), source.width());
    const auto [top, bottom] = Reach(window.top, window.height, out.height(), source.height());
    BoxSource boxes(source, left, right, top, bottom, across, down);
    const Taps acrossTaps = TapsFor(boxes.width(), (window.left - left) / across, window.width / across, out.width());
    const Taps downTaps = TapsFor(boxes.height(), (window.top - top) / down, window.height / down, out.height());
    Filter(boxes, acrossTaps, downTaps, out);
}

} // namespace

float LinearOf(std::uint8_t encoded)
{
    return LinearTable()[encoded];
}

std::uint8_t EncodedOf(float linear)
{
    // A table narrows the search to the code at the start of the linear
    // value's bucket; the buckets are finer than the codes are apart, so at
    // most a step or two remains.
    constexpr int Buckets = 4096;
    static const std::array<std::uint8_t, Buckets + 1> startCode = [] {
        std::array<std::uint8_t, Buckets + 1> codes{};
        const auto& thresholds = CodeThresholds();
        for (int b = 0; b <= Buckets; ++b)
            codes[static_cast<std::size_t>(b)] = static_cast<std::uint8_t>(
                std::upper_bound(thresholds.begin(), thresholds.end(), static_cast<float>(b) / Buckets) - thresholds.begin());
        return codes;
    }();
    if (!(linear > 0))
        return 0;
    if (linear >= 1)
        return 0xFF;
    const auto& thresholds = CodeThresholds();
    unsigned code = startCode[static_cast<std::size_t>(linear * Buckets)];
    while (code < 255 && thresholds[code] <= linear)
        ++code;
    return static_cast<std::uint8_t>(code);
}

Picture Resample(const Picture& source, SourceWindow window, std::int32_t width, std::int32_t height)
{
    Picture out(width, height);
    const std::int32_t across = BoxFactor(window.width / width), down = BoxFactor(window.height / height);
    if (across > 1 || down > 1) {
        ResampleReduced(source, window, across, down, out);
        return out;
    }
    const Taps acrossTaps = TapsFor(source.width(), window.left, window.width, width);
    const Taps downTaps = TapsFor(source.height(), window.top, window.height, height);
    EncodedSource rows(source, acrossTaps.first.front(), acrossTaps.end(acrossTaps.first.size() - 1));
    Filter(rows, acrossTaps, downTaps, out);
    return out;
}

} // namespace tessark::image
