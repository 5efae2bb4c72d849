#include "sound/MciPlayer.h"

#include "util/Win32.h"
#include "util/FileNames.h"
#include "util/Messages.h"

#include <mmsystem.h>

#include <iterator>
#include <optional>
#include <string>

namespace tessark {
namespace {

std::wstring MciErrorText(MCIERROR error)
{
    wchar_t text[256] = {};
    if (mciGetErrorStringW(error, text, static_cast<UINT>(std::size(text))) && text[0] != L'\0')
        return text;
    return L"Erreur MCI " + std::to_wstring(error);
}

template <class Parameters>
MCIERROR Command(MCIDEVICEID device, UINT message, DWORD_PTR flags, Parameters& parameters)
{
    return mciSendCommandW(device, message, flags, reinterpret_cast<DWORD_PTR>(&parameters));
}

template <class Parameters>
void Require(MCIDEVICEID device, UINT message, DWORD_PTR flags, Parameters& parameters)
{
    if (const MCIERROR error = Command(device, message, flags, parameters))
        throw UserError(MciErrorText(error));
}

std::optional<DWORD_PTR> Status(MCIDEVICEID device, DWORD item)
{
    MCI_STATUS_PARMS status{};
    status.dwItem = item;
    if (Command(device, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, status))
        return std::nullopt;
    return status.dwReturn;
}

// A null device type lets MCI pick the device from the file's extension.
const wchar_t* DeviceTypeFor(std::wstring_view path)
{
    const std::wstring ext = AsciiUpper(ExtractFileExt(path));
    if (ext == L".WAV")
        return L"waveaudio";
    if (ext == L".MID")
        return L"sequencer";
    return nullptr;
}

// The 8.3 name of an existing file, or nothing when the volume keeps none.
// A path too long for the plain call goes through the extended form.
std::wstring ShortPathOf(const std::wstring& path)
{
    constexpr std::wstring_view Extended = L"\\\\?\\";
    const bool extend = path.size() >= MAX_PATH && path.size() > 2 && path[1] == L':';
    const std::wstring asked = extend ? std::wstring(Extended) + path : path;
    const DWORD needed = GetShortPathNameW(asked.c_str(), nullptr, 0);
    if (needed == 0)
        return {};
    std::wstring shortName(needed, L'\0');
    const DWORD written = GetShortPathNameW(asked.c_str(), shortName.data(), needed);
    if (written == 0 || written >= needed)
        return {};
    shortName.resize(written);
    if (extend && shortName.starts_with(Extended))
        shortName.erase(0, Extended.size());
    return shortName;
}

// Animation and digital video devices share the flags of a step by frames.
bool StepsByFrames(MCIDEVICEID device)
{
    MCI_GETDEVCAPS_PARMS caps{};
    caps.dwItem = MCI_GETDEVCAPS_DEVICE_TYPE;
    if (Command(device, MCI_GETDEVCAPS, MCI_GETDEVCAPS_ITEM | MCI_WAIT, caps))
        return false;
    switch (caps.dwReturn) {
    case MCI_DEVTYPE_ANIMATION:
    case MCI_DEVTYPE_DIGITAL_VIDEO:
        return true;
    default:
        return false;
    }
}

MciMode ModeFrom(DWORD_PTR mode)
{
    switch (mode) {
    case MCI_MODE_STOP: return MciMode::Stopped;
    case MCI_MODE_PLAY: return MciMode::Playing;
    case MCI_MODE_RECORD: return MciMode::Recording;
    case MCI_MODE_SEEK: return MciMode::Seeking;
    case MCI_MODE_PAUSE: return MciMode::Paused;
    case MCI_MODE_OPEN: return MciMode::Open;
    default: return MciMode::NotReady;
    }
}

} // namespace

MciPlayer::~MciPlayer()
{
    Close();
}

unsigned MciPlayer::RequireDevice() const
{
    if (device_ == 0)
        throw UserError(std::wstring(msg::NoMciDevice));
    return device_;
}

bool MciPlayer::Open()
{
    Close();
    if (OpenElement(fileName_))
        return true;
    // MCI's devices take a name through the ANSI code page and within
    // MAX_PATH; the short name of a long or non-Latin path passes both.
    const std::wstring shortName = ShortPathOf(fileName_);
    return !shortName.empty() && shortName != fileName_ && OpenElement(shortName);
}

// The device comes from the extension of FileName, which a short name keeps.
bool MciPlayer::OpenElement(const std::wstring& path)
{
    MCI_OPEN_PARMSW open{};
    open.lpstrElementName = path.c_str();
    open.lpstrDeviceType = DeviceTypeFor(fileName_);
    DWORD_PTR flags = MCI_OPEN_ELEMENT | MCI_WAIT;
    if (open.lpstrDeviceType)
        flags |= MCI_OPEN_TYPE;
    if (Command(0, MCI_OPEN, flags, open))
        return false;
    device_ = open.wDeviceID;
    if (milliseconds_)
        ApplyTimeFormat();
    return true;
}

void MciPlayer::Close()
{
    if (device_ == 0)
        return;
    MCI_GENERIC_PARMS close{};
    Command(device_, MCI_CLOSE, MCI_WAIT, close);
    device_ = 0;
}

void MciPlayer::Play()
{
    const MCIDEVICEID device = RequireDevice();
    if (Position() >= Length()) {
        MCI_SEEK_PARMS seek{};
        Require(device, MCI_SEEK, MCI_SEEK_TO_START | MCI_WAIT, seek);
    }
    MCI_PLAY_PARMS play{};
    Require(device, MCI_PLAY, 0, play);
}

void MciPlayer::Stop()
{
    MCI_GENERIC_PARMS stop{};
    Require(RequireDevice(), MCI_STOP, MCI_WAIT, stop);
}

void MciPlayer::Pause()
{
    const MCIDEVICEID device = RequireDevice();
    // A clip that is neither playing nor paused has nothing to pause: the
    // device would answer with an error about the order of commands.
    const MciMode mode = Mode();
    if (mode != MciMode::Playing && mode != MciMode::Paused)
        return;
    MCI_GENERIC_PARMS generic{};
    Require(device, mode == MciMode::Paused ? MCI_RESUME : MCI_PAUSE, MCI_WAIT, generic);
}

void MciPlayer::Next()
{
    MCI_SEEK_PARMS seek{};
    Require(RequireDevice(), MCI_SEEK, MCI_SEEK_TO_END | MCI_WAIT, seek);
}

void MciPlayer::Back()
{
    const MCIDEVICEID device = RequireDevice();
    if (!StepsByFrames(device))
        return;
    MCI_ANIM_STEP_PARMS step{};
    step.dwFrames = 1;
    Require(device, MCI_STEP, MCI_ANIM_STEP_REVERSE | MCI_ANIM_STEP_FRAMES | MCI_WAIT, step);
}

void MciPlayer::SetTimeFormatMilliseconds()
{
    milliseconds_ = true;
    if (device_ != 0)
        ApplyTimeFormat();
}

void MciPlayer::ApplyTimeFormat()
{
    // Devices that count only in their own units keep them.
    MCI_SET_PARMS set{};
    set.dwTimeFormat = MCI_FORMAT_MILLISECONDS;
    Command(device_, MCI_SET, MCI_SET_TIME_FORMAT | MCI_WAIT, set);
}

std::int32_t MciPlayer::Length()
{
    MCI_STATUS_PARMS status{};
    status.dwItem = MCI_STATUS_LENGTH;
    Require(RequireDevice(), MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, status);
    return static_cast<std::int32_t>(status.dwReturn);
}

std::int32_t MciPlayer::Position()
{
    if (device_ == 0)
        return 0;
    return static_cast<std::int32_t>(Status(device_, MCI_STATUS_POSITION).value_or(0));
}

MciMode MciPlayer::Mode()
{
    if (device_ == 0)
        return MciMode::NotReady;
    const auto mode = Status(device_, MCI_STATUS_MODE);
    return mode ? ModeFrom(*mode) : MciMode::NotReady;
}

} // namespace tessark
