// Benchmark: writing and checking the .pak of a 512 x 256 title logo, as the
// logo export does when it packs the RAW itself: pack, then unpack and compare.
// tools/bench.sh runs it beside gzip -9 on the same RAW. It prints figures; it
// is not a pass/fail test.
//   pak_bench <work folder> [runs]    writes logo.raw and logo.pak there
#include "image/PakFile.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

using tessark::image::LogoPakRawSize;

// A logo as drawn ones are: a black (transparent) surround, a gradient title
// with some grain, and a band of fine noise.
std::vector<std::uint8_t> Logo()
{
    std::vector<std::uint8_t> raw(LogoPakRawSize);
    std::uint32_t seed = 12345;
    for (std::size_t y = 0; y < 256; ++y)
        for (std::size_t x = 0; x < 512; ++x) {
            seed = seed * 1664525u + 1013904223u;
            std::uint8_t* pixel = &raw[(y * 512 + x) * 3];
            const bool title = y >= 64 && y < 192 && x >= 32 && x < 480;
            if (!title)
                continue;
            const int grain = static_cast<int>(seed >> 29);
            pixel[0] = static_cast<std::uint8_t>(std::min(255, static_cast<int>(x / 2) + grain));
            pixel[1] = static_cast<std::uint8_t>(std::min(255, static_cast<int>(y) + grain));
            pixel[2] = static_cast<std::uint8_t>(y >= 170 ? seed >> 24 : 0x60);
        }
    return raw;
}

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: pak_bench <work folder> [runs]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const std::vector<std::uint8_t> raw = Logo();
    double best = 1e9;
    std::vector<std::uint8_t> pak;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        pak = tessark::image::PackLogo(raw);
        const tessark::image::PakReading check = tessark::image::ReadPak(pak);
        const bool good = check.problem.empty() && check.raw == raw;
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        if (!good) {
            std::fprintf(stderr, "the .pak does not read back to the RAW\n");
            return 1;
        }
        best = std::min(best, took.count());
    }
    WriteFile(folder + "/logo.raw", raw);
    WriteFile(folder + "/logo.pak", pak);
    std::printf("Tessark .pak write + check    %8.2f ms (best of %d), %zu bytes -> %zu bytes (%.1f %%)\n", best,
                runs, raw.size(), pak.size(), 100.0 * static_cast<double>(pak.size()) / static_cast<double>(raw.size()));
    return 0;
}
