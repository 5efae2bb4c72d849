// A stand-in MCI device that opens every clip and answers every question
// about it but refuses to play it, as a wave device held by another program
// does. Tests install it as the "waveaudio" driver of the test prefix.
#include <windows.h>
#include <mmddk.h>
#include <mmsystem.h>

namespace {

constexpr DWORD ClipLengthMs = 1000;

// The device id that DRV_OPEN hands back and MCI passes with each command.
constexpr LRESULT DeviceId = 1;

LRESULT OpenDevice(LPARAM openParameters)
{
    // Without parameters the driver is opened for configuration only.
    if (openParameters == 0)
        return DeviceId;
    auto* open = reinterpret_cast<MCI_OPEN_DRIVER_PARMS*>(openParameters);
    open->wCustomCommandTable = MCI_NO_COMMAND_TABLE;
    open->wType = MCI_DEVTYPE_WAVEFORM_AUDIO;
    return DeviceId;
}

LRESULT Status(LPARAM parameters)
{
    auto* status = reinterpret_cast<MCI_STATUS_PARMS*>(parameters);
    switch (status->dwItem) {
    case MCI_STATUS_LENGTH: status->dwReturn = ClipLengthMs; return 0;
    case MCI_STATUS_POSITION: status->dwReturn = 0; return 0;
    case MCI_STATUS_MODE: status->dwReturn = MCI_MODE_STOP; return 0;
    case MCI_STATUS_READY: status->dwReturn = TRUE; return 0;
    default: return MCIERR_UNSUPPORTED_FUNCTION;
    }
}

} // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK DriverProc(DWORD_PTR id, HDRVR driver, UINT message,
                                                             LPARAM first, LPARAM second)
{
    switch (message) {
    case DRV_LOAD:
    case DRV_FREE:
    case DRV_ENABLE:
    case DRV_DISABLE:
    case DRV_CLOSE: return 1;
    case DRV_OPEN: return OpenDevice(second);
    case MCI_OPEN_DRIVER:
    case MCI_CLOSE_DRIVER:
    case MCI_SET:
    case MCI_SEEK:
    case MCI_STOP:
    case MCI_PAUSE: return 0;
    case MCI_STATUS: return Status(second);
    case MCI_PLAY: return MCIERR_WAVE_OUTPUTSINUSE;
    default:
        if (message >= DRV_MCI_FIRST && message <= DRV_MCI_LAST)
            return MCIERR_UNRECOGNIZED_COMMAND;
        return DefDriverProc(id, driver, message, first, second);
    }
}
