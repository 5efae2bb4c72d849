// Benchmark: a 4000 x 3000 picture fitted to the 512 x 256 title logo each of
// the three ways, in memory. It writes the source and the stretched result
// as PPM files so that tools/bench.sh can time ImageMagick's convert on the
// same picture and compare the two results; --psnr prints that comparison.
// It prints figures; it is not a pass/fail test.
//   picture_fit_bench <work folder> [runs]
//   picture_fit_bench --psnr <ours.ppm> <theirs.ppm>
#include "image/PictureFit.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace tessark::image;

// Something like a photograph: smooth shading, sharp edges, fine detail.
Picture Scene(std::int32_t width, std::int32_t height)
{
    Picture picture(width, height);
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x) {
            const double wave = std::sin(x / 150.0) * std::cos(y / 110.0);
            const bool square = (x / 40 + y / 40) % 2 == 0;
            const bool stripe = x > 3000 && y > 2000 && (x / 3) % 2 == 0;
            picture.Set(x, y, {static_cast<std::uint8_t>(x * 255 / width), static_cast<std::uint8_t>(square ? 200 : 20),
                               static_cast<std::uint8_t>(stripe ? 255 : 128 + 100 * wave)});
        }
    return picture;
}

void WritePpm(const std::string& path, const Picture& picture)
{
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << picture.width() << ' ' << picture.height() << "\n255\n";
    for (std::int32_t y = 0; y < picture.height(); ++y)
        for (std::int32_t x = 0; x < picture.width(); ++x) {
            const Rgb c = picture.At(x, y);
            out.put(static_cast<char>(c.red)).put(static_cast<char>(c.green)).put(static_cast<char>(c.blue));
        }
}

std::vector<std::uint8_t> PpmPixels(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int width = 0, height = 0, maximum = 0;
    in >> magic >> width >> height >> maximum;
    in.get();
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(width) * height * 3);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

int PrintPsnr(const std::string& ours, const std::string& theirs)
{
    const auto a = PpmPixels(ours), b = PpmPixels(theirs);
    if (a.size() != b.size() || a.empty()) {
        std::printf("the two results differ in size\n");
        return 1;
    }
    double squares = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        squares += (a[i] - b[i]) * (a[i] - b[i]);
    const double peak = 255.0 * 255.0 * static_cast<double>(a.size());
    std::printf("PSNR of ours against convert's: %.1f dB\n", 10 * std::log10(peak / std::max(squares, 1e-9)));
    return 0;
}

struct Timing {
    double wall = 1e30, processor = 1e30;
};

// Both clocks: on a shared machine the wall clock counts the time others
// held the processor, the process's processor time does not.
template <class Work>
Timing Best(int runs, Work&& work)
{
    Timing best;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        const std::clock_t startClock = std::clock();
        work();
        best.processor = std::min(best.processor, static_cast<double>(std::clock() - startClock) / CLOCKS_PER_SEC);
        best.wall = std::min(best.wall, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::string(argv[1]) == "--psnr")
        return PrintPsnr(argv[2], argv[3]);
    if (argc < 2) {
        std::fprintf(stderr, "usage: picture_fit_bench <work folder> [runs]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const Picture source = Scene(4000, 3000);
    WritePpm(folder + "/in.ppm", source);
    Picture stretched;
    const struct { const char* name; FitWay way; } ways[] = {
        {"stretch", FitWay::Stretch}, {"inside ", FitWay::Inside}, {"fill   ", FitWay::Fill}};
    for (const auto& way : ways) {
        Picture fitted;
        const Timing t = Best(runs, [&] { fitted = FitToSize(source, LogoWidth, LogoHeight, way.way, Rgb{}); });
        std::printf("fit 4000 x 3000 -> 512 x 256, %s  %8.2f ms processor time, %8.2f ms wall clock (best of %d)\n",
                    way.name, t.processor * 1e3, t.wall * 1e3, runs);
        if (way.way == FitWay::Stretch)
            stretched = fitted;
    }
    WritePpm(folder + "/ours.ppm", stretched);
    return 0;
}
