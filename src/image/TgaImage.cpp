#include "image/TgaImage.h"

#include "image/PictureMessages.h"
#include "util/Messages.h"

#include <algorithm>
#include <string>

namespace tessark::image {
namespace {

constexpr std::size_t HeaderSize = 18;
constexpr std::uint8_t Uncompressed = 2;
constexpr std::uint8_t RunLength = 10;
constexpr std::size_t LongestPacket = 128;

[[noreturn]] void Refuse(std::wstring_view text)
{
    throw UserError(std::wstring(text));
}

std::uint32_t U16(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return bytes[at] | (bytes[at + 1] << 8);
}

struct Header {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::size_t bytesPerPixel = 0;
    bool runLength = false;
    bool topFirst = false;
    bool rightFirst = false;
    bool alpha = false;
    std::size_t pixelsAt = 0;

    std::size_t pixelsPerRow() const { return static_cast<std::size_t>(width); }
    std::size_t pixels() const { return pixelsPerRow() * static_cast<std::size_t>(height); }
};

std::wstring KindText(std::uint32_t type, std::uint32_t depth)
{
    return L"type " + std::to_wstring(type) + L", " + std::to_wstring(depth) + L" bits";
}

Header ReadHeader(std::span<const std::uint8_t> file)
{
    if (file.size() < HeaderSize)
        Refuse(msg::TgaTooShort);
    const std::uint8_t type = file[2], depth = file[16], descriptor = file[17];
    if ((type != Uncompressed && type != RunLength) || (depth != 24 && depth != 32) || file[1] > 1)
        Refuse(FormatMessageText(msg::TgaUnsupported, KindText(type, depth)));
    Header h;
    h.width = static_cast<std::int32_t>(U16(file, 12));
    h.height = static_cast<std::int32_t>(U16(file, 14));
    if (h.width == 0 || h.height == 0)
        Refuse(msg::TgaEmpty);
    Picture::CheckSize(h.width, h.height);
    h.bytesPerPixel = depth / 8;
    h.runLength = type == RunLength;
    h.rightFirst = (descriptor & 0x10) != 0;
    h.topFirst = (descriptor & 0x20) != 0;
    h.alpha = depth == 32 && (descriptor & 0x0F) != 0;
    // A colour map may precede true-colour pixels; it is skipped, not used.
    const std::size_t mapEntries = file[1] == 1 ? U16(file, 5) : 0;
    h.pixelsAt = HeaderSize + file[0] + mapEntries * ((file[7] + 7u) / 8);
    return h;
}

// The least the file must hold for its pixels: checked before the picture is
// allocated, so a few bytes cannot claim a huge picture.
void RefuseIfCut(const Header& h, std::size_t available)
{
    const std::size_t needed = h.runLength ? (h.pixels() + LongestPacket - 1) / LongestPacket * (1 + h.bytesPerPixel)
                                           : h.pixels() * h.bytesPerPixel;
    if (available < needed)
        Refuse(msg::TgaDataCut);
}

// Puts pixels in file order where the header's row and column order place them.
class PixelSink {
public:
    PixelSink(const Header& h, AlphaPicture& out) : h_(h), out_(out) {}

    std::size_t left() const { return h_.pixels() - done_; }

    void Put(const std::uint8_t* bgra)
    {
        const std::int32_t fileRow = static_cast<std::int32_t>(done_ / static_cast<std::size_t>(h_.width));
        const std::int32_t fileColumn = static_cast<std::int32_t>(done_ % static_cast<std::size_t>(h_.width));
        const std::int32_t y = h_.topFirst ? fileRow : h_.height - 1 - fileRow;
        const std::int32_t x = h_.rightFirst ? h_.width - 1 - fileColumn : fileColumn;
        std::copy_n(bgra, 3, out_.colours.Row(y) + static_cast<std::size_t>(x) * 3);
        if (h_.alpha)
            out_.alpha[static_cast<std::size_t>(y) * h_.pixelsPerRow() + static_cast<std::size_t>(x)] = bgra[3];
        ++done_;
    }

private:
    const Header& h_;
    AlphaPicture& out_;
    std::size_t done_ = 0;
};

void ReadUncompressed(const Header& h, std::span<const std::uint8_t> data, PixelSink& sink)
{
    for (std::size_t at = 0; sink.left() > 0; at += h.bytesPerPixel)
        sink.Put(data.data() + at);
}

void ReadRunLength(const Header& h, std::span<const std::uint8_t> data, PixelSink& sink)
{
    std::size_t at = 0;
    while (sink.left() > 0) {
        if (at >= data.size())
            Refuse(msg::TgaDataCut);
        const std::uint8_t packet = data[at++];
        const std::size_t count = (packet & 0x7Fu) + 1;
        const bool repeated = (packet & 0x80) != 0;
        if (count > sink.left())
            Refuse(msg::TgaRunPastEnd);
        if (data.size() - at < (repeated ? 1 : count) * h.bytesPerPixel)
            Refuse(msg::TgaDataCut);
        for (std::size_t i = 0; i < count; ++i)
            sink.Put(data.data() + at + (repeated ? 0 : i * h.bytesPerPixel));
        at += (repeated ? 1 : count) * h.bytesPerPixel;
    }
}

} // namespace

AlphaPicture DecodeTga(std::span<const std::uint8_t> file)
{
    const Header h = ReadHeader(file);
    if (h.pixelsAt > file.size())
        Refuse(msg::TgaDataCut);
    const std::span<const std::uint8_t> data = file.subspan(h.pixelsAt);
    RefuseIfCut(h, data.size());
    AlphaPicture out{Picture(h.width, h.height), {}};
    if (h.alpha)
        out.alpha.assign(h.pixels(), 0);
    PixelSink sink(h, out);
    if (h.runLength)
        ReadRunLength(h, data, sink);
    else
        ReadUncompressed(h, data, sink);
    if (std::all_of(out.alpha.begin(), out.alpha.end(), [](std::uint8_t a) { return a == 0; }))
        out.alpha = {};
    ForgetOpaqueAlpha(out);
    return out;
}

} // namespace tessark::image
