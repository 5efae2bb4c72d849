// Benchmark: CopyOneFile on one file, timed inside the process so that Wine's
// start-up is not counted, with the process's peak working set before and
// after. tools/bench.sh runs it beside cp on the same files. It prints figures;
// it is not a pass/fail test.
#include "BenchClock.h"
#include "util/Win32.h"
#include "util/FmxUtils.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>

namespace {

using tessark::bench::Now;

double PeakWorkingSetMiB()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        std::fwprintf(stderr, L"usage: copy_bench source destination [runs]\n");
        return 2;
    }
    const std::wstring source = argv[1], destination = argv[2];
    const int runs = argc > 3 ? std::max(1, _wtoi(argv[3])) : 3;
    const double sizeMiB = static_cast<double>(tessark::FileSizeOf(source)) / (1024.0 * 1024.0);
    const double peakBefore = PeakWorkingSetMiB();
    double best = 1e30;
    try {
        for (int run = 0; run < runs; ++run) {
            DeleteFileW(destination.c_str());
            const double start = Now();
            tessark::CopyOneFile(source, destination);
            best = std::min(best, Now() - start);
        }
    } catch (const tessark::UserError& error) {
        std::fwprintf(stderr, L"copy failed: %ls\n", error.text().c_str());
        return 1;
    }
    std::printf("CopyOneFile %8.1f MiB: best of %d %7.3f s = %7.1f MiB/s; peak working set %.1f MiB before, "
                "%.1f MiB after\n",
                sizeMiB, runs, best, sizeMiB / best, peakBefore, PeakWorkingSetMiB());
    return 0;
}
