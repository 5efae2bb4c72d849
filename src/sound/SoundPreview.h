#pragma once
// The preview of the sound area: the player of the last picked sample with
// its transport bar, the progress gauge that a timer follows, the clip's
// name and durations, and the volume of the wave output.
#include "ui/Gauge.h"
#include "ui/LabelNum.h"
#include "util/Win32.h"
#include "sound/MciPlayer.h"

#include <array>
#include <memory>
#include <string>

namespace tessark {

class IAreaHost;

enum class TransportButton { Play, Pause, Stop, Next, Back };
inline constexpr std::size_t TransportButtonCount = 5;
using TransportSet = std::array<bool, TransportButtonCount>;
inline constexpr TransportSet AllTransportButtons = {true, true, true, true, true};
inline constexpr TransportSet AllButPlay = {false, true, true, true, true};

class SoundPreview {
public:
    inline static constexpr UINT_PTR Timer1 = 1;

    // Builds the controls inside the lower group of the sound area.
    SoundPreview(IAreaHost& host, HWND group);
    HWND Control(int controlId) const;
    bool OnCommand(int controlId, int code);
    bool OnScroll(HWND bar, int code);
    bool OnDrawItem(const DRAWITEMSTRUCT& item);
    bool OnTimer(UINT_PTR timerId);
    void LayOut(int width);

    // The clip to open, set by the picks of the two lists; 1 is the
    // originals' list, 2 the replacements'.
    std::wstring FichierApercu;
    int ListeApercu = 1;

    void LoadPreview();
    void ResetPreviewGauge();
    void Timer1Timer();
    // Runs before the pressed button's own action.
    void MediaPlayer1Click(TransportButton button);
    void ScrollBar1Change();
    // Sets the volume bar from the louder channel of the wave output.
    void ReadDeviceVolume();
    // The first step of a replacement: the clip, when one is open, is stopped and closed.
    void StopAndClose();
    void SetEnabledButtons(const TransportSet& buttons);

    bool TimerEnabled() const { return timerEnabled_; }
    int VolumePosition() const;
    // Moves the volume bar as the user would; runs the change event when
    // the position changes.
    void SetVolumePosition(int position);
    MciPlayer& Player() { return player_; }
    TGauge& Gauge() { return gauge1_; }
    TLabelNum& LabelNum3() { return *labelNum3_; }
    TLabelNum& LabelNum4() { return *labelNum4_; }

private:
    void CreateTransportBar(HWND group);
    void PressTransportButton(TransportButton button);
    void EnableTimer(bool enable);
    bool AutoStartChecked() const;

    IAreaHost& host_;
    MciPlayer player_;
    bool timerEnabled_ = false;
    HWND mediaPlayer1_ = nullptr;
    std::array<HWND, TransportButtonCount> buttons_{};
    HWND autoStart_ = nullptr;
    TGauge gauge1_;
    HWND staticText3_ = nullptr;
    std::unique_ptr<TLabelNum> labelNum3_;
    std::unique_ptr<TLabelNum> labelNum4_;
    HWND labelMs3_ = nullptr;
    HWND labelMs4_ = nullptr;
    HWND labelVolume_ = nullptr;
    HWND scrollBar1_ = nullptr;
};

} // namespace tessark
