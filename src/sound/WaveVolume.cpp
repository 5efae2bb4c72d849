#include "sound/WaveVolume.h"

#include "util/Win32.h"

#include <mmsystem.h>

namespace tessark {
namespace {
// A device number given where a handle is expected selects that device.
const auto FirstDevice = reinterpret_cast<HWAVEOUT>(static_cast<UINT_PTR>(0));
} // namespace

std::optional<std::uint32_t> ReadWaveOutVolume()
{
    DWORD word = 0;
    if (waveOutGetVolume(FirstDevice, &word) != MMSYSERR_NOERROR)
        return std::nullopt;
    return static_cast<std::uint32_t>(word);
}

void WriteWaveOutVolume(std::uint32_t word)
{
    waveOutSetVolume(FirstDevice, word);
}

} // namespace tessark
