// "Sauver la texture du ciel": the shown picture saved as a RAW sky texture
// under a name the user picks.
#include "app/MainForm.h"
#include "image/ExportTexts.h"
#include "image/RawFile.h"
#include "util/FileNames.h"
#include "util/Messages.h"

namespace tessark {

void TMainForm::BtconvertCielClick()
{
    PictureArea& area = *picture_;
    const PictureSize size = area.ChosenSize();
    if ((size.width != 256 || size.height != 256) &&
        dialogs_.MessageDlg(hwnd(), SkySizeQuestion(size.width, size.height), DialogKind::Warning,
                            {DialogButton::Yes, DialogButton::No}) == DialogButton::No)
        return;
    const auto chosen = dialogs_.SaveFile(hwnd(), {std::wstring(msg::RawFilter), 1, saveDialog_.initialFolder,
                                                   saveDialog_.fileName});
    if (!chosen)
        return;
    saveDialog_.fileName = *chosen;
    std::wstring path = ChangeFileExt(*chosen, L".raw");
    SaveRawImage(path, area.ShownPicture(), size.width, size.height);
    area.ShownPictureChanged();
}

} // namespace tessark
