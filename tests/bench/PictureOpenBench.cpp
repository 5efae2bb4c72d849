// Benchmark: a large JPEG opened as the picture area opens it (the system's
// codecs through WIC, then transparency on black) and fitted to the 512 x 256
// title logo each of the three ways, under Wine. It prints figures; it is
// not a pass/fail test.
//   picture_open_bench <picture file> [runs]
#include "BenchClock.h"

#include "image/AlphaPicture.h"
#include "image/PictureFit.h"
#include "image/WicImage.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>

using namespace tessark;

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: picture_open_bench <picture file> [runs]\n");
        return 2;
    }
    const std::wstring path = argv[1];
    const int runs = argc > 2 ? std::max(1, static_cast<int>(std::wcstol(argv[2], nullptr, 10))) : 5;
    double bestOpen = 1e9, bestFit[3] = {1e9, 1e9, 1e9};
    std::int32_t width = 0, height = 0;
    const image::FitWay ways[] = {image::FitWay::Stretch, image::FitWay::Inside, image::FitWay::Fill};
    for (int run = 0; run < runs; ++run) {
        const double start = bench::Now();
        image::WicRead read = image::ReadPictureWithWic(path);
        if (!read.ok()) {
            std::fwprintf(stderr, L"%ls\n", read.error.c_str());
            return 1;
        }
        const image::Picture shown = image::BlendOnBlack(read.picture).picture;
        bestOpen = std::min(bestOpen, bench::Now() - start);
        width = shown.width(), height = shown.height();
        for (int way = 0; way < 3; ++way) {
            const double fitStart = bench::Now();
            const image::Picture logo = image::FitToSize(shown, image::LogoWidth, image::LogoHeight, ways[way], {});
            bestFit[way] = std::min(bestFit[way], bench::Now() - fitStart);
        }
    }
    std::printf("Wine: opening the %d x %d JPEG through WIC           %8.1f ms (best of %d)\n", width, height,
                bestOpen * 1000, runs);
    const char* names[] = {"stretch", "inside", "fill"};
    for (int way = 0; way < 3; ++way)
        std::printf("Wine: fitting it to 512 x 256, %-7s               %8.1f ms; open + fit %8.1f ms\n", names[way],
                    bestFit[way] * 1000, (bestOpen + bestFit[way]) * 1000);
    return 0;
}
