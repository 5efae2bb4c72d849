#include "util/HourGlass.h"

#include "util/Win32.h"

namespace tessark {
namespace {
int depth = 0;
}

HourGlass::HourGlass()
{
    ++depth;
    Reassert();
}

HourGlass::~HourGlass()
{
    if (--depth == 0)
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
}

bool HourGlass::Active()
{
    return depth > 0;
}

void HourGlass::Reassert()
{
    if (Active())
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
}

} // namespace tessark
