// Benchmark: a 1024 x 1024 picture from BMP to RAW and from RAW back to a
// picture, file reading and writing included, and a plain memory copy of the
// same bytes. tools/bench.sh runs it beside ImageMagick's convert on the same
// files. It prints figures; it is not a pass/fail test.
//   image_codec_bench <work folder> [runs]
#include "image/BmpImage.h"
#include "image/RawImage.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace tessark::image;
using Bytes = std::vector<std::uint8_t>;
constexpr std::int32_t Side = 1024;

Bytes ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    Bytes bytes(static_cast<std::size_t>(in.tellg()));
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

void WriteFile(const std::string& path, const std::uint8_t* data, std::size_t size)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

template <class Work>
double BestSeconds(int runs, Work&& work)
{
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: image_codec_bench <work folder> [runs]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    Picture source(Side, Side);
    for (std::int32_t y = 0; y < Side; ++y)
        for (std::int32_t x = 0; x < Side; ++x)
            source.Set(x, y, {static_cast<std::uint8_t>(x * 7), static_cast<std::uint8_t>(y * 3),
                              static_cast<std::uint8_t>(x ^ y)});
    const Bytes bmpFile = EncodeBmp24(source);
    WriteFile(folder + "/in.bmp", bmpFile.data(), bmpFile.size());

    const double toRaw = BestSeconds(runs, [&] {
        Picture picture = DecodeBmp(ReadFile(folder + "/in.bmp"));
        Bytes out;
        out.reserve(static_cast<std::size_t>(Side) * Side * 3);
        EncodeRaw(picture, Side, Side, [&](const std::uint8_t* row, std::size_t size) { out.insert(out.end(), row, row + size); });
        WriteFile(folder + "/ours.raw", out.data(), out.size());
    });
    const Bytes raw = ReadFile(folder + "/ours.raw");
    WriteFile(folder + "/in.raw", raw.data(), raw.size());
    Picture shown;
    const double toPicture = BestSeconds(runs, [&] {
        const Bytes file = ReadFile(folder + "/in.raw");
        shown = DecodeBmp(*RawToBmp(file, Side, false, false));
    });
    const double codecOnly = BestSeconds(runs, [&] {
        Picture picture = DecodeBmp(bmpFile);
        Bytes out;
        out.reserve(raw.size());
        EncodeRaw(picture, Side, Side, [&](const std::uint8_t* row, std::size_t size) { out.insert(out.end(), row, row + size); });
        shown = DecodeBmp(*RawToBmp(out, Side, false, false));
    });
    const double bmpToRawBytes = BestSeconds(runs, [&] {
        Picture picture = DecodeBmp(bmpFile);
        Bytes out;
        out.reserve(raw.size());
        EncodeRaw(picture, Side, Side, [&](const std::uint8_t* row, std::size_t size) { out.insert(out.end(), row, row + size); });
    });
    const double rawToPicture = BestSeconds(runs, [&] { shown = DecodeBmp(*RawToBmp(raw, Side, false, false)); });
    Bytes copy(raw.size());
    const double oneCopy = BestSeconds(runs * 4, [&] { std::memcpy(copy.data(), raw.data(), raw.size()); });
    const double memoryCopy = BestSeconds(runs * 4, [&] {
        std::memcpy(copy.data(), raw.data(), raw.size());
        std::memcpy(copy.data(), bmpFile.data() + 54, std::min(copy.size(), bmpFile.size() - 54));
    });
    std::printf("codec BMP -> RAW file      %8.2f ms\n", toRaw * 1e3);
    std::printf("codec RAW file -> picture  %8.2f ms\n", toPicture * 1e3);
    std::printf("codec both ways in memory  %8.2f ms (plain copy of the same bytes twice: %.2f ms, ratio %.1f)\n",
                codecOnly * 1e3, memoryCopy * 1e3, codecOnly / memoryCopy);
    std::printf("codec BMP -> RAW in memory %8.2f ms, RAW -> picture in memory %.2f ms (plain copy of the bytes once: %.2f ms)\n",
                bmpToRawBytes * 1e3, rawToPicture * 1e3, oneCopy * 1e3);
    std::printf("raw matches the picture: %s\n", shown.At(1023, 1023) == source.At(1023, 1023) ? "yes" : "NO");
    return 0;
}
