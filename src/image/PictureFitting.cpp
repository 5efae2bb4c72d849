// Before an export, a picture that is not of the game's size may be fitted
// to it: stretched, inside borders or cropped. The fitted picture is shown,
// as the game will show it for the logo, and the user says whether to save
// it before anything is written.
#include "image/PictureArea.h"

#include "image/PictureMessages.h"
#include "ui/AreaHost.h"
#include "ui/ControlIds.h"
#include "ui/Window.h"
#include "image/ExportTexts.h"
#include "image/PictureFit.h"
#include "util/FileNames.h"
#include "util/Messages.h"

#include <utility>
#include <vector>

namespace tessark {
namespace {

constexpr image::FitWay Ways[] = {image::FitWay::Stretch, image::FitWay::Inside, image::FitWay::Fill};
constexpr std::size_t KeepSizeChoice = 3;

std::wstring SizeOf(std::int32_t width, std::int32_t height)
{
    return std::to_wstring(width) + L" x " + std::to_wstring(height);
}

// In the order of Ways, then "Garder la taille".
std::vector<DialogChoice> FitChoices(PictureMode mode, const std::wstring& gameSize)
{
    const std::wstring_view inside = mode == PictureMode::Logo ? msg::FitInsideLogoDetail : msg::FitInsideSkyDetail;
    return {{FormatMessageText(msg::FitStretch, gameSize), std::wstring(msg::FitStretchDetail)},
            {std::wstring(msg::FitInside), std::wstring(inside)},
            {std::wstring(msg::FitFill), std::wstring(msg::FitFillDetail)},
            {std::wstring(msg::FitKeep), std::wstring(msg::FitKeepDetail)}};
}

// A RAW file has no size of its own: the size buttons give it. A BMP keeps
// the size question it has always had, and nothing before it; the pictures
// of today's paint programs are offered a fit first.
bool OffersFit(const std::wstring& path)
{
    return PictureArea::IsPaintedPicture(path) && AsciiUpper(ExtractFileExt(path)) != L".BMP";
}

} // namespace

PictureArea::FitOutcome PictureArea::OfferFit(const std::wstring& source, std::int32_t width, std::int32_t height)
{
    if (picture_.empty() || (picture_.width() == width && picture_.height() == height) || !OffersFit(source))
        return FitOutcome::KeptSize;
    const std::wstring gameSize = SizeOf(width, height);
    const std::wstring question = FormatMessageText(msg::FitPictureSize, SizeOf(picture_.width(), picture_.height())) +
                                  L"\r\n" + FormatMessageText(msg::FitGameSize, gameSize);
    const auto way = host_.dialogs().ChooseAmong(host_.hwnd(), question, DialogKind::Confirmation,
                                                 FitChoices(mode_, gameSize));
    if (!way)
        return FitOutcome::Cancelled;
    if (*way == KeepSizeChoice)
        return FitOutcome::KeptSize;
    return ShowFitted(Ways[*way], width, height) ? FitOutcome::Fitted : FitOutcome::Cancelled;
}

// Shows the picture fitted, asks whether to save it, and puts the picture
// back as it was when the answer is no.
bool PictureArea::ShowFitted(image::FitWay way, std::int32_t width, std::int32_t height)
{
    const image::Rgb border = mode_ == PictureMode::Logo ? image::Rgb{} : image::EdgeColour(picture_, width, height);
    image::Picture original = std::exchange(picture_, image::FitToSize(picture_, width, height, way, border));
    const std::int64_t madeTransparent = std::exchange(madeTransparent_, 0);
    const bool gameViewAsked = SendMessageW(showAsInGame_, BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (mode_ == PictureMode::Logo)
        SendMessageW(showAsInGame_, BM_SETCHECK, BST_CHECKED, 0);
    const std::wstring sizeText = WindowText(staticText4_);
    PictureShownAnew();
    UpdateWindow(view_.Image());
    const std::wstring_view confirm = mode_ == PictureMode::Logo ? msg::FittedLogoShown : msg::FittedSkyShown;
    if (host_.dialogs().MessageDlg(host_.hwnd(), confirm, DialogKind::Confirmation,
                                   {DialogButton::Yes, DialogButton::No}) == DialogButton::Yes) {
        // The size buttons now say the size the picture has.
        CheckRadioSilently(width == image::LogoWidth ? id::RadioButton2 : id::RadioButton1);
        return true;
    }
    picture_ = std::move(original);
    madeTransparent_ = madeTransparent;
    SendMessageW(showAsInGame_, BM_SETCHECK, gameViewAsked ? BST_CHECKED : BST_UNCHECKED, 0);
    view_.PictureChanged();
    ShowAsInGameWhenAsked();
    SetSizeText(sizeText);
    return false;
}

void PictureArea::PictureShownAnew()
{
    view_.PictureChanged();
    ShowAsInGameWhenAsked();
    SetSizeText(SizeText());
}

} // namespace tessark
