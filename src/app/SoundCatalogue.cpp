// The sound catalogue: the builder's list "Sounds.txt", read and edited in the
// script editor while the tool column waits, with a way back to the sounds.
#include "ui/ControlIds.h"
#include "app/MainForm.h"
#include "util/FileNames.h"
#include "util/FmxUtils.h"
#include "util/InstallLayout.h"
#include "util/Messages.h"

namespace tessark {

void TMainForm::MenuTexteSFXClick()
{
    const std::wstring path = layout::InstallPath(installationRoot_, layout::SoundList);
    if (!FileExists(path)) {
        dialogs_.MessageDlg(hwnd(), FormatMessageText(msg::CatalogueMissing, path), DialogKind::Error,
                            {DialogButton::Ok});
        return;
    }
    // Annuler keeps everything as it was, the area shown included.
    if (!script_->ConfirmSaveChanges())
        return;
    ShowWorkArea(WorkArea::Script);
    MakeDropTarget();
    script_->RichEditChange();
    SetFocus(script_->Editor());
    script_->LoadDocument(path);
    script_->SetReadOnly(false);
    EnableWindow(Control(id::BtConvertScript), TRUE);
    EnableWindow(Control(id::BtVerifScript), TRUE);
    EnableWindow(Control(id::BtConvertSFX), FALSE);
    SetWindowTextOf(Control(id::StaticTextFichier), ExtractFileName(path));
    ShowWindow(Control(id::BtRetourSFX), SW_SHOW);
    EnableWindow(panel1_, FALSE);
}

void TMainForm::BtRetourSFXClick()
{
    if (script_->IsModified()) {
        const DialogButton answer =
            dialogs_.MessageDlg(hwnd(), msg::SaveCatalogueChanges, DialogKind::Warning,
                                {DialogButton::Yes, DialogButton::No, DialogButton::Cancel});
        if (answer == DialogButton::Cancel)
            return;
        // A save the user abandoned keeps the catalogue shown.
        if (answer == DialogButton::Yes && !script_->FileSave())
            return;
    }
    ShowWorkArea(WorkArea::Sound);
    EnableWindow(panel1_, TRUE);
}

} // namespace tessark
