#include "sound/SoundArea.h"

#include "ui/ControlIds.h"
#include "ui/DialogKeys.h"
#include "ui/Dpi.h"
#include "ui/AreaHost.h"
#include "ui/StripLabel.h"
#include "ui/Window.h"
#include "sound/KeptOriginals.h"
#include "sound/ReplacementConversion.h"
#include "sound/SampleRestore.h"
#include "sound/SampleReplacement.h"
#include "sound/SoundFileCheck.h"
#include "util/FileNames.h"
#include "util/FmxUtils.h"
#include "util/Messages.h"

#include <algorithm>
#include <limits>

namespace tessark {

struct SoundArea::Side {
    FileListBox& list;
    HWND text;
    std::wstring& path;
    TLabelNum& size;
    HWND format;
    int number;
};

namespace {

constexpr COLORREF WarningColour = RGB(192, 0, 0);
constexpr DWORD PressWait = 100;

bool IsPreviewable(const std::wstring& path)
{
    const std::wstring ext = AsciiUpper(ExtractFileExt(path));
    return ext == L".WAV" || ext == L".MID";
}

// The format beside the size, in the warning colour when the game would play
// the sample wrongly. A MIDI file has no format to tell.
void ShowSampleFormat(HWND label, const std::wstring& path)
{
    if (AsciiUpper(ExtractFileExt(path)) != L".WAV") {
        SetWindowTextOf(label, L"");
        SetPanelLabelColour(label, std::nullopt);
        return;
    }
    const auto described = DescribeSampleOnDisk(path);
    SetWindowTextOf(label, described ? described->Text() : std::wstring(msg::SampleNotRead));
    const bool fits = described && described->Fits();
    SetPanelLabelColour(label, fits ? std::nullopt : std::optional<COLORREF>(WarningColour));
}

std::int32_t SizeShown(std::int64_t size)
{
    return static_cast<std::int32_t>(std::min<std::int64_t>(size, std::numeric_limits<std::int32_t>::max()));
}

bool HasSelection(const FileListBox& list)
{
    return SendMessageW(list.hwnd(), LB_GETSELCOUNT, 0, 0) > 0;
}

// The current folder of the drive that holds `root`.
std::wstring CurrentFolderOfDrive(const std::wstring& root)
{
    if (root.size() >= 2 && root[1] == L':')
        return ExpandFileName(root.substr(0, 2));
    return root;
}

} // namespace

SoundArea::SoundArea(IAreaHost& host) : host_(host)
{
    CreateControls(host_.Control(id::Panel3));
    OrderTabStops();
}

HWND SoundArea::Control(int controlId) const
{
    switch (controlId) {
    case id::Panel6: return panel6_;
    case id::MenuTexteSFX: return menuTexteSFX_;
    case id::Label14: return label14_;
    case id::MenuAideEditeurSons: return menuAideEditeurSons_;
    case id::LabelModifSons: return modifications_.PrintLabel();
    case id::LabelSauveSons: return modifications_.SaveLabel();
    case id::GroupBox4: return groupBox4_;
    case id::GroupBox4Frame: return groupBox4Frame_;
    case id::DirectoryListBox1: return originalFolders_.hwnd();
    case id::FileListBox1: return originals_.hwnd();
    case id::LabelNum1: return labelNum1_->hwnd();
    case id::LabelOctets1: return labelOctets1_;
    case id::LabelFormat1: return labelFormat1_;
    case id::GroupBox5: return groupBox5_;
    case id::GroupBox5Frame: return groupBox5Frame_;
    case id::DriveComboBox2: return replacementDrives_.hwnd();
    case id::DirectoryListBox2: return replacementFolders_.hwnd();
    case id::FileListBox2: return replacements_.hwnd();
    case id::LabelNum2: return labelNum2_->hwnd();
    case id::LabelOctets2: return labelOctets2_;
    case id::LabelFormat2: return labelFormat2_;
    case id::StaticText1: return staticText1_;
    case id::LabelVers1: return labelVers1_;
    case id::BitBtn1: return bitBtn1_;
    case id::LabelVers2: return labelVers2_;
    case id::StaticText2: return staticText2_;
    case id::StringGrid1: return modifications_.Grid();
    case id::LabelOriginal1: return labelOriginal1_;
    case id::BtRestaurer: return btRestaurer_;
    case id::BtRestaurerTous: return btRestaurerTous_;
    case id::GroupBox7: return groupBox7_;
    case id::GroupBox7Frame: return groupBox7Frame_;
    default: return preview_->Control(controlId);
    }
}

bool SoundArea::OnCommand(int controlId, int code)
{
    switch (controlId) {
    case id::FileListBox1:
        if (code == LBN_SELCHANGE)
            FileListBox1Click();
        return true;
    case id::FileListBox2:
        if (code == LBN_SELCHANGE)
            FileListBox2Click();
        return true;
    case id::DirectoryListBox1:
        if (code == LBN_DBLCLK)
            originalFolders_.OpenSelected();
        return true;
    case id::DirectoryListBox2:
        if (code == LBN_DBLCLK && replacementFolders_.OpenSelected())
            replacementDrives_.ShowDriveOf(replacementFolders_.Directory());
        return true;
    case id::DriveComboBox2:
        if (code == CBN_SELCHANGE) {
            replacementDrives_.SelectionChanged();
            replacementDrives_.ShowDriveOf(replacementFolders_.Directory());
        }
        return true;
    case id::BitBtn1:
        if (code == BN_CLICKED)
            BitBtn1Click();
        return true;
    case id::BtRestaurer:
        if (code == BN_CLICKED)
            BtRestaurerClick();
        return true;
    case id::BtRestaurerTous:
        if (code == BN_CLICKED)
            BtRestaurerTousClick();
        return true;
    case id::LabelSauveSons:
        if (code == StripLabelPressed || code == StripLabelReleased)
            PressFeedback(modifications_.PrintLabel(), code);
        if (code == STN_CLICKED)
            modifications_.LabelSauveSonsClick(host_.dialogs(), host_.hwnd(), host_.InstallationRoot());
        return true;
    case id::MenuTexteSFX:
        if (code == StripLabelPressed || code == StripLabelReleased)
            PressFeedback(menuTexteSFX_, code);
        if (code == STN_CLICKED)
            host_.RunCommand(id::MenuTexteSFX);
        return true;
    case id::MenuAideEditeurSons:
        if (code == StripLabelPressed || code == StripLabelReleased)
            PressFeedback(menuAideEditeurSons_, code);
        if (code == STN_CLICKED)
            host_.RunCommand(id::MenuAideEditeurSons);
        return true;
    case id::LabelModifSons:
        if (code == StripLabelPressed || code == StripLabelReleased)
            PressFeedback(modifications_.PrintLabel(), code);
        if (code == STN_CLICKED)
            modifications_.LabelModifSonsClick(host_.InstallationRoot());
        return true;
    default:
        return preview_->OnCommand(controlId, code);
    }
}

// A pressed label lights up in white; released, it takes the strip's colour.
// The wait keeps the white on screen for a quick click.
void SoundArea::PressFeedback(HWND label, int code)
{
    if (code == StripLabelPressed) {
        SetStripLabelColour(label, RGB(255, 255, 255));
        Sleep(PressWait);
    } else {
        SetStripLabelColour(label, StripColour);
    }
}

void SoundArea::FormCreate(const std::wstring& installationRoot)
{
    modifications_.SetHeaders();
    if (!originalFolders_.SetDirectory(CurrentFolderOfDrive(installationRoot)))
        originalFolders_.SetDirectory(installationRoot);
}

void SoundArea::Opened()
{
    preview_->ReadDeviceVolume();
}

void SoundArea::FileListBox1Click()
{
    Pick({originals_, staticText1_, fichierOriginal_, *labelNum1_, labelFormat1_, 1});
}

void SoundArea::FileListBox2Click()
{
    Pick({replacements_, staticText2_, fichierRemplacement_, *labelNum2_, labelFormat2_, 2});
}

// A pick counts whether or not the preview could open or play the file, so
// the replacement is enabled before the preview gets its say: a device that
// refuses to play reports it, and the pick stands.
void SoundArea::Pick(const Side& side)
{
    SoundPreview& preview = *preview_;
    preview.FichierApercu = side.list.SelectedPath().value_or(std::wstring());
    const bool previewable = IsPreviewable(preview.FichierApercu);
    if (previewable) {
        SetWindowTextOf(side.text, L"[ " + ExtractFileName(preview.FichierApercu) + L" ]");
        side.path = preview.FichierApercu;
        side.size.SetValeur(SizeShown(FileSizeOf(side.path)));
        ShowSampleFormat(side.format, side.path);
        if (side.number == 1)
            ShowKeptOriginal();
        preview.ListeApercu = side.number;
        replacedSincePick_ = false;
    }
    if (BothListsHaveSelection())
        EnableWindow(bitBtn1_, TRUE);
    if (previewable)
        preview.LoadPreview();
}

// Beside the format: the kept original's, when the sample is no longer it.
void SoundArea::ShowKeptOriginal()
{
    SetWindowTextOf(labelOriginal1_, KeptOriginalNote(fichierOriginal_));
}

// After a restore the picked original shows what it holds now.
void SoundArea::RefreshOriginalShown()
{
    labelNum1_->SetValeur(SizeShown(FileSizeOf(fichierOriginal_)));
    ShowSampleFormat(labelFormat1_, fichierOriginal_);
    ShowKeptOriginal();
}

bool SoundArea::BothListsHaveSelection() const
{
    return HasSelection(originals_) && HasSelection(replacements_);
}

// A second replacement without a new pick would put the first one's copy
// into the backup, over the original's own content.
void SoundArea::BitBtn1Click()
{
    IDialogs& dialogs = host_.dialogs();
    if (replacedSincePick_) {
        dialogs.MessageDlg(host_.hwnd(), msg::PickBeforeReplacingAgain, DialogKind::Error, {DialogButton::Ok});
        return;
    }
    preview_->StopAndClose();
    preview_->SetEnabledButtons(AllButPlay);
    if (fichierOriginal_ == fichierRemplacement_ || IsSameFile(fichierOriginal_, fichierRemplacement_)) {
        dialogs.MessageDlg(host_.hwnd(),
                           fichierOriginal_ + L"  => " + fichierRemplacement_ + L"\n\r" +
                               std::wstring(msg::SameFileReplacement),
                           DialogKind::Error, {DialogButton::Ok});
        return;
    }
    // A damaged original may be replaced (that repairs it); a damaged
    // replacement never goes into the game.
    if (const auto damaged = DamagedSoundMessage(fichierRemplacement_)) {
        dialogs.MessageDlg(host_.hwnd(), *damaged, DialogKind::Error, {DialogButton::Ok});
        return;
    }
    if (IsTooLargeForTheGame(fichierRemplacement_)) {
        dialogs.MessageDlg(host_.hwnd(), FormatMessageText(msg::SampleTooLarge, ExtractFileName(fichierRemplacement_)),
                           DialogKind::Error, {DialogButton::Ok});
        return;
    }
    const ReplacementContent content = ChooseReplacementContent(dialogs, host_.hwnd(), fichierRemplacement_);
    if (content.cancelled)
        return;
    const std::wstring backup = ChangeFileExt(fichierOriginal_, L".bak");
    try {
        ReplaceKeepingTheOriginal(content, backup);
    } catch (const ReplacementRefused& refused) {
        dialogs.MessageDlg(host_.hwnd(), refused.text(), DialogKind::Error, {DialogButton::Ok});
        return;
    }
    replacedSincePick_ = true;
    fichierBak_ = backup;
    preview_->SetEnabledButtons(AllTransportButtons);
    modifications_.AddModification(ExtractFileName(fichierOriginal_), ExtractFileName(fichierRemplacement_),
                                   ExtractFileName(fichierBak_), fichierOriginal_);
}

// The game's sample is kept before its first replacement; a replacement
// that fails afterwards takes the new copy away again, so that a refused
// replacement changes nothing.
void SoundArea::ReplaceKeepingTheOriginal(const ReplacementContent& content, const std::wstring& backup)
{
    if (IsInKeptOriginalsFolder(fichierOriginal_))
        throw ReplacementRefused(FormatMessageText(msg::KeptOriginalNotReplaced, fichierOriginal_));
    const std::optional<NewlyKept> kept = KeepOriginal(fichierOriginal_);
    try {
        if (content.converted)
            ReplaceSampleWithContent(fichierOriginal_, *content.converted, backup);
        else
            ReplaceSample(fichierOriginal_, fichierRemplacement_, backup);
    } catch (...) {
        if (kept)
            DropNewlyKept(*kept);
        throw;
    }
}

} // namespace tessark
