#pragma once
// A horizontal progress bar, lime on black, with the whole percentage done
// written in its middle.
#include "util/Win32.h"

#include <cstdint>
#include <string>

namespace tessark {

class TGauge {
public:
    void Create(HWND parent, int id, int x, int y, int width, int height);
    HWND hwnd() const { return gauge_; }

    std::int32_t Progress() const { return progress_; }
    std::int32_t MaxValue() const { return max_; }
    // The progress is held within 0 and the maximum.
    void SetProgress(std::int32_t progress);
    // A maximum below the progress cuts the progress down to it.
    void SetMaxValue(std::int32_t max);
    // "n%": the whole part of 100 x progress / maximum, 0 when the maximum is 0.
    std::wstring Text() const;
    static std::int32_t PercentDone(std::int32_t progress, std::int32_t max);

private:
    HWND gauge_ = nullptr;
    std::int32_t progress_ = 0;
    std::int32_t max_ = 100;
};

} // namespace tessark
