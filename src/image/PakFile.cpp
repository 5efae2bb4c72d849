#include "image/PakFile.h"

#include "image/PictureMessages.h"
#include "util/Messages.h"
#include "util/Text1252.h"
#include "util/TextUtils.h"

#include <zlib.h>

#include <limits>
#include <new>
#include <stdexcept>

namespace tessark::image {
namespace {

constexpr std::size_t SizeFieldBytes = 4;

std::uint32_t ReadU32(std::span<const std::uint8_t> bytes)
{
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

PakReading Problem(std::wstring_view text)
{
    return {{}, cp1252::Encode(text)};
}

class Inflater {
public:
    Inflater()
    {
        if (inflateInit(&stream_) != Z_OK)
            throw std::bad_alloc();
    }
    ~Inflater() { inflateEnd(&stream_); }
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;

    // Unpacks `packed` into `out`, which must be filled exactly by a stream
    // that ends the input; the failure's text otherwise.
    std::wstring_view Unpack(std::span<const std::uint8_t> packed, std::span<std::uint8_t> out)
    {
        stream_.next_in = const_cast<Bytef*>(packed.data());
        stream_.avail_in = static_cast<uInt>(packed.size());
        stream_.next_out = out.data();
        stream_.avail_out = static_cast<uInt>(out.size());
        int status = out.empty() ? Z_BUF_ERROR : inflate(&stream_, Z_FINISH);
        if ((status == Z_OK || status == Z_BUF_ERROR) && stream_.avail_out == 0)
            status = PastTheEnd();
        switch (status) {
        case Z_STREAM_END:
            if (stream_.avail_out != 0)
                return msg::PakTooLittleData;
            return stream_.avail_in == 0 ? std::wstring_view() : msg::PakTrailingBytes;
        case Z_NEED_DICT:
        case Z_DATA_ERROR:
            return msg::PakStreamCorrupt;
        case Z_MEM_ERROR:
            throw std::bad_alloc();
        case MoreThanAnnounced:
            return msg::PakTooMuchData;
        default:
            return msg::PakStreamCut;
        }
    }

private:
    static constexpr int MoreThanAnnounced = Z_STREAM_END + 100;

    // The output is full: the stream must end here without giving more.
    int PastTheEnd()
    {
        std::uint8_t spare = 0;
        stream_.next_out = &spare;
        stream_.avail_out = 1;
        const int status = inflate(&stream_, Z_FINISH);
        if (stream_.avail_out == 0)
            return MoreThanAnnounced;
        stream_.avail_out = 0;
        return status;
    }

    z_stream stream_{};
};

} // namespace

std::vector<std::uint8_t> PackLogo(std::span<const std::uint8_t> raw)
{
    if (raw.size() > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("RAW logo too large for a .pak");
    const auto rawSize = static_cast<std::uint32_t>(raw.size());
    uLongf packedSize = compressBound(rawSize);
    std::vector<std::uint8_t> pak(SizeFieldBytes + packedSize);
    for (std::size_t i = 0; i < SizeFieldBytes; ++i)
        pak[i] = static_cast<std::uint8_t>(rawSize >> (8 * i));
    const int status = compress2(pak.data() + SizeFieldBytes, &packedSize, raw.data(), rawSize, Z_BEST_COMPRESSION);
    if (status == Z_MEM_ERROR)
        throw std::bad_alloc();
    if (status != Z_OK)
        throw std::logic_error("zlib refused to pack the logo");
    pak.resize(SizeFieldBytes + packedSize);
    return pak;
}

PakReading ReadPak(std::span<const std::uint8_t> pak, std::uint32_t expectedSize)
{
    if (pak.size() < SizeFieldBytes)
        return Problem(msg::PakTooShort);
    const std::uint32_t announced = ReadU32(pak);
    if (announced != expectedSize)
        return Problem(FormatMessageText(msg::PakWrongSize, GroupedThousands(announced)) +
                       FormatMessageText(msg::PakExpectedSize, GroupedThousands(expectedSize)));
    const auto packed = pak.subspan(SizeFieldBytes);
    if (packed.size() > std::numeric_limits<uInt>::max())
        return Problem(msg::PakTrailingBytes);
    PakReading reading;
    reading.raw.resize(expectedSize);
    const std::wstring_view problem = Inflater().Unpack(packed, reading.raw);
    if (!problem.empty())
        return Problem(problem);
    return reading;
}

} // namespace tessark::image
