#pragma once
// The preview player: one sound clip at a time through the MCI devices.
#include <cstdint>
#include <string>

namespace tessark {

enum class MciMode { NotReady, Stopped, Playing, Recording, Seeking, Paused, Open };

// The operations that need a clip raise UserError(msg::NoMciDevice) without one;
// a command the open clip refuses raises UserError with MCI's own text.
class MciPlayer {
public:
    MciPlayer() = default;
    ~MciPlayer();
    MciPlayer(const MciPlayer&) = delete;
    MciPlayer& operator=(const MciPlayer&) = delete;

    void SetFileName(std::wstring path) { fileName_ = std::move(path); }
    const std::wstring& FileName() const { return fileName_; }

    // Opens FileName, closing the clip open before. ".WAV" goes to the waveaudio
    // device, ".MID" to the sequencer; MCI picks one for other extensions.
    // A name MCI cannot open is tried again as its short (8.3) name.
    // False, with no clip open, when the file cannot be opened.
    bool Open();
    void Close();
    bool IsOpen() const { return device_ != 0; }

    void Play();    // from the current position without waiting; a clip at its end starts over
    void Stop();
    void Pause();   // pauses a playing clip, resumes a paused one
    void Next();    // to the end of the clip
    void Back();    // one frame back on video devices; sound clips stay where they are

    // Applies to the open clip, and to every clip opened afterwards.
    void SetTimeFormatMilliseconds();
    std::int32_t Length();
    std::int32_t Position();   // 0 without a clip or when the device cannot tell
    MciMode Mode();            // NotReady without a clip or when the device cannot tell

private:
    unsigned RequireDevice() const;   // the open clip's MCI device id
    bool OpenElement(const std::wstring& path);
    void ApplyTimeFormat();

    std::wstring fileName_;
    unsigned device_ = 0;
    bool milliseconds_ = false;
};

} // namespace tessark
