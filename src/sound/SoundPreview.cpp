#include "sound/SoundPreview.h"

#include "ui/ControlIds.h"
#include "ui/Dpi.h"
#include "ui/AreaHost.h"
#include "ui/Window.h"
#include "sound/SoundFileCheck.h"
#include "sound/VolumeWord.h"
#include "sound/WaveVolume.h"
#include "util/FileNames.h"
#include "util/Messages.h"

#include <algorithm>

namespace tessark {
namespace {

constexpr COLORREF PaleYellow = RGB(255, 255, 128);
constexpr int ButtonWidth = 28;
constexpr int ButtonHeight = 26;
constexpr int GaugeWidth = 177;
// The clip's name keeps this much room beside the gauge before the gauge gives way.
constexpr int ClipNameMinWidth = 100;
constexpr int VolumeMax = 65535;
constexpr int VolumeLine = 1;
constexpr int VolumePage = 10;
constexpr int TransportIds[TransportButtonCount] = {id::MediaPlayer1Play, id::MediaPlayer1Pause,
                                                     id::MediaPlayer1Stop, id::MediaPlayer1Next,
                                                     id::MediaPlayer1Back};

void FillPolygon(HDC dc, std::initializer_list<POINT> points)
{
    Polygon(dc, points.begin(), static_cast<int>(points.size()));
}

void FillBox(HDC dc, int left, int top, int right, int bottom)
{
    Rectangle(dc, left, top, right, bottom);
}

// The transport glyphs, in units around the button's centre: a triangle for
// Play, two bars for Pause, a square for Stop, triangle and bar for Next, bar
// and backward triangle for Back.
void DrawGlyph(HDC dc, TransportButton button, POINT centre, int dpi)
{
    const auto at = [&](int dx, int dy) { return POINT{centre.x + Scale(dx, dpi), centre.y + Scale(dy, dpi)}; };
    const auto box = [&](int left, int top, int right, int bottom) {
        const POINT from = at(left, top), to = at(right, bottom);
        FillBox(dc, from.x, from.y, to.x, to.y);
    };
    switch (button) {
    case TransportButton::Play: FillPolygon(dc, {at(-4, -6), at(-4, 6), at(4, 0)}); break;
    case TransportButton::Pause:
        box(-5, -6, -1, 7);
        box(2, -6, 6, 7);
        break;
    case TransportButton::Stop: box(-5, -5, 6, 6); break;
    case TransportButton::Next:
        FillPolygon(dc, {at(-6, -6), at(-6, 6), at(2, 0)});
        box(3, -6, 6, 7);
        break;
    case TransportButton::Back:
        box(-6, -6, -3, 7);
        FillPolygon(dc, {at(6, -6), at(6, 6), at(-2, 0)});
        break;
    }
}

COLORREF GlyphColour(TransportButton button, bool enabled)
{
    if (!enabled)
        return GetSysColor(COLOR_GRAYTEXT);
    return button == TransportButton::Play ? RGB(0, 128, 0) : RGB(0, 0, 0);
}

} // namespace

SoundPreview::SoundPreview(IAreaHost& host, HWND group) : host_(host)
{
    CreateTransportBar(group);
    autoStart_ = CreateChild(group, L"BUTTON", L"Auto start", WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 154, 22, 80,
                             18, id::AutoStart);
    SendMessageW(autoStart_, BM_SETCHECK, BST_CHECKED, 0);
    gauge1_.Create(group, id::Gauge1, 240, 24, GaugeWidth, 13);
    gauge1_.SetMaxValue(100);
    staticText3_ = CreateChild(group, L"STATIC", L"", WS_VISIBLE | SS_CENTER | SS_SUNKEN | SS_NOPREFIX |
                                                         SS_CENTERIMAGE | SS_ENDELLIPSIS,
                               424, 20, 100, 20, id::StaticText3);
    labelNum3_ = std::make_unique<TLabelNum>(group, id::LabelNum3, 8, 53, 89, 13, PaleYellow, false);
    labelMs3_ = CreateChild(group, L"STATIC", L"Milisecondes", WS_VISIBLE | SS_LEFT, 101, 52, 68, 15, id::LabelMs3);
    labelNum4_ = std::make_unique<TLabelNum>(group, id::LabelNum4, 176, 53, 89, 13, PaleYellow, false);
    labelMs4_ = CreateChild(group, L"STATIC", L"Milisecondes", WS_VISIBLE | SS_LEFT, 269, 52, 68, 15, id::LabelMs4);
    labelVolume_ = CreateChild(group, L"STATIC", L"Volume", WS_VISIBLE | SS_RIGHT, 340, 52, 44, 15, id::LabelVolume);
    scrollBar1_ = CreateChild(group, L"SCROLLBAR", L"", WS_VISIBLE | WS_TABSTOP | SBS_HORZ, 390, 51, 100, 17,
                              id::ScrollBar1);
    SCROLLINFO range{};
    range.cbSize = sizeof range;
    range.fMask = SIF_RANGE | SIF_POS | SIF_PAGE;
    range.nMin = 0;
    range.nMax = VolumeMax;
    range.nPos = 50;
    SetScrollInfo(scrollBar1_, SB_CTL, &range, TRUE);
}

void SoundPreview::CreateTransportBar(HWND group)
{
    mediaPlayer1_ = CreatePanel(group, id::MediaPlayer1, 8, 18, ButtonWidth * 5, ButtonHeight, true);
    for (std::size_t i = 0; i < TransportButtonCount; ++i)
        buttons_[i] = CreateChild(mediaPlayer1_, L"BUTTON", L"", WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW,
                                  static_cast<int>(i) * ButtonWidth, 0, ButtonWidth, ButtonHeight, TransportIds[i]);
}

HWND SoundPreview::Control(int controlId) const
{
    for (std::size_t i = 0; i < TransportButtonCount; ++i)
        if (TransportIds[i] == controlId)
            return buttons_[i];
    switch (controlId) {
    case id::MediaPlayer1: return mediaPlayer1_;
    case id::AutoStart: return autoStart_;
    case id::Gauge1: return gauge1_.hwnd();
    case id::StaticText3: return staticText3_;
    case id::LabelNum3: return labelNum3_->hwnd();
    case id::LabelMs3: return labelMs3_;
    case id::LabelNum4: return labelNum4_->hwnd();
    case id::LabelMs4: return labelMs4_;
    case id::LabelVolume: return labelVolume_;
    case id::ScrollBar1: return scrollBar1_;
    default: return nullptr;
    }
}

bool SoundPreview::OnCommand(int controlId, int code)
{
    for (std::size_t i = 0; i < TransportButtonCount; ++i) {
        if (TransportIds[i] == controlId) {
            if (code == BN_CLICKED)
                PressTransportButton(static_cast<TransportButton>(i));
            return true;
        }
    }
    return controlId == id::AutoStart;
}

void SoundPreview::PressTransportButton(TransportButton button)
{
    MediaPlayer1Click(button);
    switch (button) {
    case TransportButton::Play: player_.Play(); break;
    case TransportButton::Pause: player_.Pause(); break;
    case TransportButton::Stop: player_.Stop(); break;
    case TransportButton::Next: player_.Next(); break;
    case TransportButton::Back: player_.Back(); break;
    }
}

bool SoundPreview::OnDrawItem(const DRAWITEMSTRUCT& item)
{
    const auto found = std::find(buttons_.begin(), buttons_.end(), item.hwndItem);
    if (found == buttons_.end())
        return false;
    const auto button = static_cast<TransportButton>(found - buttons_.begin());
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool enabled = (item.itemState & ODS_DISABLED) == 0;
    RECT box = item.rcItem;
    DrawFrameControl(item.hDC, &box, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    const COLORREF colour = GlyphColour(button, enabled);
    HBRUSH brush = CreateSolidBrush(colour);
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ oldBrush = SelectObject(item.hDC, brush);
    HGDIOBJ oldPen = SelectObject(item.hDC, pen);
    const int shift = pressed ? Scaled(item.hwndItem, 1) : 0;
    DrawGlyph(item.hDC, button, {(box.left + box.right) / 2 + shift, (box.top + box.bottom) / 2 + shift},
              DpiOf(item.hwndItem));
    SelectObject(item.hDC, oldPen);
    SelectObject(item.hDC, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
    if (item.itemState & ODS_FOCUS) {
        InflateRect(&box, -3, -3);
        DrawFocusRect(item.hDC, &box);
    }
    return true;
}

bool SoundPreview::OnScroll(HWND bar, int code)
{
    if (bar != scrollBar1_)
        return false;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(scrollBar1_, SB_CTL, &info);
    int position = info.nPos;
    switch (code) {
    case SB_LINELEFT: position -= VolumeLine; break;
    case SB_LINERIGHT: position += VolumeLine; break;
    case SB_PAGELEFT: position -= VolumePage; break;
    case SB_PAGERIGHT: position += VolumePage; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: position = info.nTrackPos; break;
    case SB_LEFT: position = 0; break;
    case SB_RIGHT: position = VolumeMax; break;
    default: return true;
    }
    SetVolumePosition(position);
    return true;
}

bool SoundPreview::OnTimer(UINT_PTR timerId)
{
    if (timerId != Timer1)
        return false;
    Timer1Timer();
    return true;
}

// Sizes are in units (see Dpi.h). Right of the check box the gauge keeps its
// width whatever the window's frame leaves, and the clip's name takes the
// rest; only a narrow window shrinks the gauge. The volume bar takes the rest
// of its line.
void SoundPreview::LayOut(int width)
{
    const auto u = [this](int units) { return Scaled(mediaPlayer1_, units); };
    const auto place = [](HWND control, int x, int y, int cx, int cy) {
        SetWindowPos(control, nullptr, x, y, std::max(0, cx), std::max(0, cy),
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    };
    place(mediaPlayer1_, u(8), u(18), u(ButtonWidth * 5), u(ButtonHeight));
    for (std::size_t i = 0; i < TransportButtonCount; ++i)
        place(buttons_[i], u(static_cast<int>(i) * ButtonWidth), 0, u(ButtonWidth), u(ButtonHeight));
    place(autoStart_, u(154), u(22), u(80), u(18));
    const int gaugeLeft = u(240), shared = std::max(0, width - gaugeLeft - u(7 + 8));
    const int gaugeWidth = std::clamp(shared - u(ClipNameMinWidth), 0, u(GaugeWidth));
    place(gauge1_.hwnd(), gaugeLeft, u(24), gaugeWidth, u(13));
    place(staticText3_, gaugeLeft + gaugeWidth + u(7), u(20), shared - gaugeWidth, u(20));
    place(labelNum3_->hwnd(), u(8), u(53), u(89), u(13));
    place(labelMs3_, u(101), u(52), u(70), u(15));
    place(labelNum4_->hwnd(), u(176), u(53), u(89), u(13));
    place(labelMs4_, u(269), u(52), u(70), u(15));
    place(labelVolume_, u(340), u(52), u(46), u(15));
    const int barLeft = u(390);
    place(scrollBar1_, barLeft, u(51), std::max(u(40), width - barLeft - u(8)), u(17));
}

int SoundPreview::VolumePosition() const
{
    return GetScrollPos(scrollBar1_, SB_CTL);
}

void SoundPreview::SetVolumePosition(int position)
{
    position = std::clamp(position, 0, VolumeMax);
    if (position == VolumePosition())
        return;
    SetScrollPos(scrollBar1_, SB_CTL, position, TRUE);
    ScrollBar1Change();
}

void SoundPreview::ScrollBar1Change()
{
    WriteWaveOutVolume(BothChannels(static_cast<std::uint16_t>(VolumePosition())));
}

void SoundPreview::ReadDeviceVolume()
{
    if (const auto word = ReadWaveOutVolume())
        SetVolumePosition(LouderChannel(*word));
}

void SoundPreview::EnableTimer(bool enable)
{
    if (enable)
        SetTimer(host_.hwnd(), Timer1, 100, nullptr);
    else
        KillTimer(host_.hwnd(), Timer1);
    timerEnabled_ = enable;
}

bool SoundPreview::AutoStartChecked() const
{
    return SendMessageW(autoStart_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// A damaged file never reaches the player: it is reported and the preview
// keeps the clip it had. A clip the player cannot open is reported once; the
// preview then has no clip and the bar stands at 0.
void SoundPreview::LoadPreview()
{
    if (const auto damaged = DamagedSoundMessage(FichierApercu)) {
        host_.dialogs().MessageDlg(host_.hwnd(), *damaged, DialogKind::Error, {DialogButton::Ok});
        return;
    }
    EnableTimer(false);
    player_.SetFileName(FichierApercu);
    SetWindowTextOf(staticText3_, ExtractFileName(FichierApercu));
    if (!player_.Open()) {
        host_.dialogs().MessageDlg(host_.hwnd(), msg::PreviewOpenFailed, DialogKind::Error, {DialogButton::Ok});
        gauge1_.SetProgress(0);
        return;
    }
    ResetPreviewGauge();
    EnableTimer(true);
    if (AutoStartChecked())
        player_.Play();
}

void SoundPreview::ResetPreviewGauge()
{
    gauge1_.SetProgress(0);
    player_.SetTimeFormatMilliseconds();
    const std::int32_t duration = player_.Length();
    (ListeApercu == 1 ? *labelNum3_ : *labelNum4_).SetValeur(duration);
    gauge1_.SetMaxValue(duration);
}

// A tick that finds no clip open (a replacement closed it) stops the timer
// and leaves the gauge where it stands.
void SoundPreview::Timer1Timer()
{
    if (!player_.IsOpen()) {
        EnableTimer(false);
        return;
    }
    gauge1_.SetProgress(player_.Position());
    const MciMode mode = player_.Mode();
    if (mode == MciMode::Stopped || mode == MciMode::Paused)
        EnableTimer(false);
}

void SoundPreview::MediaPlayer1Click(TransportButton button)
{
    if (button == TransportButton::Play)
        EnableTimer(true);
}

void SoundPreview::StopAndClose()
{
    if (!player_.IsOpen())
        return;
    player_.Stop();
    player_.Close();
}

void SoundPreview::SetEnabledButtons(const TransportSet& buttons)
{
    for (std::size_t i = 0; i < TransportButtonCount; ++i)
        EnableWindow(buttons_[i], buttons[i]);
}

} // namespace tessark
