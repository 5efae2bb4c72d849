#pragma once
// A decoded picture that may carry transparency: its colours as the picture
// area shows them, and one opacity byte per pixel kept beside them until the
// logo or the sky decides what transparency becomes.
#include "image/Picture.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tessark::image {

struct AlphaPicture {
    Picture colours;
    // width x height bytes, top row first, 0 transparent to 255 opaque; empty
    // when every pixel is opaque. Colours are not premultiplied.
    std::vector<std::uint8_t> alpha;

    bool HasTransparency() const { return !alpha.empty(); }
    std::uint8_t AlphaAt(std::int32_t x, std::int32_t y) const;
};

// Drops `alpha` when every pixel in it is opaque, so that HasTransparency
// says whether there is anything to turn black.
void ForgetOpaqueAlpha(AlphaPicture& picture);

struct OnBlack {
    Picture picture;
    // Pixels that were not opaque and are now pure black, the game's transparent colour.
    std::int64_t madeTransparent = 0;
};

// The logo's way with transparency: a fully transparent pixel becomes pure
// black, a partly transparent one its colour blended on black.
OnBlack BlendOnBlack(const AlphaPicture& picture);

// "1 234 pixels rendus transparents", the singular for one, nothing for none.
std::wstring MadeTransparentText(std::int64_t count);

} // namespace tessark::image
