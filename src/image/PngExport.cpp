// "Enregistrer en PNG": the picture as the area shows it (a RAW, a packed
// logo, a fitted picture) to a PNG file, so that it can go into a paint
// program and back.
#include "image/PictureArea.h"

#include "image/PictureMessages.h"
#include "ui/AreaHost.h"
#include "image/WicImage.h"
#include "util/FileNames.h"
#include "util/Messages.h"
#include "util/TextUtils.h"

namespace tessark {

void PictureArea::BtSavePngClick()
{
    if (picture_.empty())
        return;
    const FileDialogRequest request{std::wstring(msg::PngFilter), 1, ExtractFilePath(shownPath_),
                                    ExtractFileName(ChangeFileExt(shownPath_, L".png"))};
    const auto chosen = host_.dialogs().SaveFile(host_.hwnd(), request);
    if (!chosen)
        return;
    const std::wstring path = AsciiUpper(ExtractFileExt(*chosen)) == L".PNG" ? *chosen : ChangeFileExt(*chosen, L".png");
    if (const std::wstring problem = image::SavePngWithWic(picture_, path); !problem.empty()) {
        host_.dialogs().MessageDlg(host_.hwnd(), problem, DialogKind::Error, {DialogButton::Ok});
        return;
    }
    // A PNG saved into the folder shown is listed at once.
    files_.Update();
}

} // namespace tessark
