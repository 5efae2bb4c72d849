#pragma once
// The picture shown in the picture area: top-down rows of 3-byte pixels in the
// order blue, green, red, each row padded to a multiple of 4 bytes, so that it
// is a 24-bit device-independent bitmap as it stands.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tessark::image {

struct Rgb {
    std::uint8_t red = 0, green = 0, blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

class Picture {
public:
    // More pixels than this (8192 x 8192, 192 MB) are refused rather than allocated.
    static constexpr std::int64_t MaxPixels = std::int64_t{1} << 26;

    Picture() = default;
    // A black picture; raises like CheckSize.
    Picture(std::int32_t width, std::int32_t height);

    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }
    std::size_t stride() const { return stride_; }
    bool empty() const { return width_ == 0 || height_ == 0; }
    const std::uint8_t* data() const { return pixels_.data(); }
    std::uint8_t* Row(std::int32_t y) { return pixels_.data() + static_cast<std::size_t>(y) * stride_; }
    const std::uint8_t* Row(std::int32_t y) const { return pixels_.data() + static_cast<std::size_t>(y) * stride_; }

    // x and y must lie inside the picture.
    Rgb At(std::int32_t x, std::int32_t y) const;
    void Set(std::int32_t x, std::int32_t y, Rgb colour);

    // Keeps the top-left part, cuts or extends at the right and bottom edges;
    // the added area gets `fill`. Raises like CheckSize, the picture unchanged.
    void Resize(std::int32_t width, std::int32_t height, Rgb fill);

    // Raises UserError "Taille d'image incorrecte : W x H" for a negative size,
    // "Image trop grande : W x H" for one beyond MaxPixels.
    static void CheckSize(std::int64_t width, std::int64_t height);
    [[noreturn]] static void TooLarge(std::int64_t width, std::int64_t height);
    static std::size_t StrideOf(std::int32_t width) { return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3}; }

private:
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::size_t stride_ = 0;
    std::vector<std::uint8_t> pixels_;
};

} // namespace tessark::image
