// "Sauver la texture du ciel": the shown picture saved as a RAW sky texture
// under a name the user picks.
#include "image/PictureArea.h"
#include "image/PictureMessages.h"
#include "ui/AreaHost.h"
#include "image/ExportTexts.h"
#include "image/PictureFit.h"
#include "image/RawFile.h"
#include "util/FileNames.h"
#include "util/Messages.h"

namespace tessark {

void PictureArea::BtconvertCielClick()
{
    PictureArea& area = *this;
    PictureSize size = area.ChosenSize();
    const FitOutcome fit = OfferFit(shownPath_, image::SkySide, image::SkySide);
    if (fit == FitOutcome::Cancelled)
        return;
    if (fit == FitOutcome::Fitted)
        size = {image::SkySide, image::SkySide};
    if (fit == FitOutcome::KeptSize && (size.width != 256 || size.height != 256) &&
        host_.dialogs().MessageDlg(host_.hwnd(), SkySizeQuestion(size.width, size.height), DialogKind::Warning,
                            {DialogButton::Yes, DialogButton::No}) == DialogButton::No)
        return;
    const auto chosen = host_.dialogs().SaveFile(host_.hwnd(), {std::wstring(msg::RawFilter), 1, host_.SaveDialog().initialFolder,
                                                   host_.SaveDialog().fileName});
    if (!chosen)
        return;
    host_.SaveDialog().fileName = *chosen;
    std::wstring path = ChangeFileExt(*chosen, L".raw");
    SaveRawImage(path, area.ShownPicture(), size.width, size.height);
    area.ShownPictureChanged();
}

} // namespace tessark
