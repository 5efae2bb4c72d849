#include "sound/SoundArea.h"

#include "app/ControlIds.h"
#include "app/DialogKeys.h"
#include "app/Dpi.h"
#include "app/MainForm.h"
#include "app/StripLabel.h"
#include "app/Window.h"
#include "sound/ReplacementConversion.h"
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

constexpr wchar_t WavMask[] = L"*.wav";
constexpr int StripHeight = 17;
constexpr int StripLineHeight = 15;
constexpr int GapBelowStrip = 3;
constexpr int GroupMinHeight = 150;
constexpr int GroupComfortHeight = 360;
constexpr int GapBelowGroups = 4;
constexpr int RowHeight = 30;
constexpr int PreviewHeight = 76;
constexpr int GapAboveGrid = 2;
constexpr int GapBelowGrid = 2;
// The header and two rows.
constexpr int GridMinHeight = 60;
constexpr int ButtonWidth = 150;
constexpr int ArrowWidth = 24;
constexpr int OctetsWidth = 56;
constexpr int FormatLeft = 160;
constexpr DWORD FormatStyle = WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS;
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

// The folder list has half the room of the two lists.
int FolderListHeight(int listsHeight)
{
    return std::max(0, listsHeight / 2);
}

// Everything is drawn afresh once the whole area is laid out.
void Place(HWND control, int x, int y, int width, int height)
{
    SetWindowPos(control, nullptr, x, y, std::max(0, width), std::max(0, height),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

bool HasSelection(const FileListBox& list)
{
    return SendMessageW(list.hwnd(), LB_GETSELCOUNT, 0, 0) > 0;
}

// A group box drawn on a panel: the box does not pass its controls'
// notifications on, the panel does.
HWND CreateGroup(HWND parent, int panelId, int frameId, const wchar_t* caption, HWND& frame)
{
    HWND group = CreatePanel(parent, panelId, 0, 0, 10, 10, true);
    frame = CreateChild(group, L"BUTTON", caption, WS_VISIBLE | WS_CLIPSIBLINGS | BS_GROUPBOX, 0, 0, 10, 10, frameId);
    return group;
}

void SendFrameToBack(HWND frame)
{
    SetWindowPos(frame, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

HWND CreateSunkenText(HWND parent, int id)
{
    return CreateChild(parent, L"STATIC", L"",
                       WS_VISIBLE | SS_CENTER | SS_SUNKEN | SS_NOPREFIX | SS_CENTERIMAGE | SS_ENDELLIPSIS, 0, 0, 10,
                       10, id);
}

HWND CreateBoldLabel(HWND parent, const wchar_t* caption, int id)
{
    HWND label = CreateChild(parent, L"STATIC", caption, WS_VISIBLE | SS_CENTER, 0, 0, 10, 10, id);
    UseBoldGuiFont(label);
    return label;
}

// The current folder of the drive that holds `root`.
std::wstring CurrentFolderOfDrive(const std::wstring& root)
{
    if (root.size() >= 2 && root[1] == L':')
        return ExpandFileName(root.substr(0, 2));
    return root;
}

} // namespace

SoundArea::SoundArea(TMainForm& form) : form_(form)
{
    CreateControls(form_.Control(id::Panel3));
    OrderTabStops();
}

// Each side is read from the top: drive, folders, files.
void SoundArea::OrderTabStops()
{
    SetTabOrder({originalFolders_.hwnd(), originals_.hwnd()});
    SetTabOrder({replacementDrives_.hwnd(), replacementFolders_.hwnd(), replacements_.hwnd()});
}

void SoundArea::CreateControls(HWND panel3)
{
    panel6_ = CreateStrip(panel3, id::Panel6, 0, 0, 10, StripHeight);
    const COLORREF menu = GetSysColor(COLOR_MENU);
    menuTexteSFX_ = CreateStripLabel(panel6_, id::MenuTexteSFX, L"Contenu du SFX", 0, 88, menu, SS_CENTER);
    label14_ = CreateStripLabel(panel6_, id::Label14, L"", 88, 22, menu);
    menuAideEditeurSons_ =
        CreateStripLabel(panel6_, id::MenuAideEditeurSons, L" Aide de l'éditeur de sons", 110, 131, menu);
    CreateOriginalsGroup(panel3);
    CreateReplacementsGroup(panel3);
    CreateReplacementRow(panel3);
    groupBox7_ = CreateGroup(panel3, id::GroupBox7, id::GroupBox7Frame, L" Aperçu ", groupBox7Frame_);
    preview_ = std::make_unique<SoundPreview>(form_, groupBox7_);
    SendFrameToBack(groupBox7Frame_);
    modifications_.Create(panel3, panel6_);
}

void SoundArea::CreateOriginalsGroup(HWND panel3)
{
    groupBox4_ = CreateGroup(panel3, id::GroupBox4, id::GroupBox4Frame, L" Fichiers originaux ", groupBox4Frame_);
    originals_.Create(groupBox4_, id::FileListBox1, WavMask, true);
    originalFolders_.Create(groupBox4_, id::DirectoryListBox1, &originals_);
    labelNum1_ = std::make_unique<TLabelNum>(groupBox4_, id::LabelNum1, 0, 0, 88, 14, RGB(255, 255, 255), true);
    labelOctets1_ = CreateChild(groupBox4_, L"STATIC", L"Octets", WS_VISIBLE | SS_LEFT, 0, 0, 50, 15,
                                id::LabelOctets1);
    labelFormat1_ = CreateChild(groupBox4_, L"STATIC", L"", FormatStyle, 0, 0, 10, 15, id::LabelFormat1);
    SendFrameToBack(groupBox4Frame_);
}

void SoundArea::CreateReplacementsGroup(HWND panel3)
{
    groupBox5_ = CreateGroup(panel3, id::GroupBox5, id::GroupBox5Frame, L" Fichiers de remplacement ",
                             groupBox5Frame_);
    replacements_.Create(groupBox5_, id::FileListBox2, WavMask, true);
    replacementFolders_.Create(groupBox5_, id::DirectoryListBox2, &replacements_);
    replacementDrives_.Create(groupBox5_, id::DriveComboBox2, &replacementFolders_);
    labelNum2_ = std::make_unique<TLabelNum>(groupBox5_, id::LabelNum2, 0, 0, 89, 15, RGB(255, 255, 255), true);
    labelOctets2_ = CreateChild(groupBox5_, L"STATIC", L"Octets", WS_VISIBLE | SS_LEFT, 0, 0, 50, 15,
                                id::LabelOctets2);
    labelFormat2_ = CreateChild(groupBox5_, L"STATIC", L"", FormatStyle, 0, 0, 10, 15, id::LabelFormat2);
    SendFrameToBack(groupBox5Frame_);
    std::wstring current(GetCurrentDirectoryW(0, nullptr), L'\0');
    current.resize(GetCurrentDirectoryW(static_cast<DWORD>(current.size()), current.data()));
    replacementFolders_.SetDirectory(current);
    replacementDrives_.ShowDriveOf(replacementFolders_.Directory());
}

void SoundArea::CreateReplacementRow(HWND panel3)
{
    staticText1_ = CreateSunkenText(panel3, id::StaticText1);
    labelVers1_ = CreateBoldLabel(panel3, L"<<", id::LabelVers1);
    bitBtn1_ = CreateChild(panel3, L"BUTTON", L"Remplacer le son", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 10,
                           10, id::BitBtn1);
    EnableWindow(bitBtn1_, FALSE);
    labelVers2_ = CreateBoldLabel(panel3, L"<<", id::LabelVers2);
    staticText2_ = CreateSunkenText(panel3, id::StaticText2);
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
    case id::LabelSauveSons:
        if (code == StripLabelPressed || code == StripLabelReleased)
            PressFeedback(modifications_.PrintLabel(), code);
        if (code == STN_CLICKED)
            modifications_.LabelSauveSonsClick(form_.dialogs(), form_.hwnd(), form_.InstallationRoot());
        return true;
    case id::MenuTexteSFX:
        if (code == StripLabelPressed || code == StripLabelReleased)
            PressFeedback(menuTexteSFX_, code);
        if (code == STN_CLICKED)
            form_.MenuTexteSFXClick();
        return true;
    case id::MenuAideEditeurSons:
        if (code == StripLabelPressed || code == StripLabelReleased)
            PressFeedback(menuAideEditeurSons_, code);
        if (code == STN_CLICKED)
            form_.MenuAideEditeurSonsClick();
        return true;
    case id::LabelModifSons:
        if (code == StripLabelPressed || code == StripLabelReleased)
            PressFeedback(modifications_.PrintLabel(), code);
        if (code == STN_CLICKED)
            modifications_.LabelModifSonsClick(form_.InstallationRoot());
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

// Sizes are in units (see Dpi.h). Below the strip: the two groups of lists,
// the replacement row, the preview and the grid. The lists take the height
// first, the grid keeping room for a few rows; past a comfortable height the
// lists and the grid share what is left.
void SoundArea::LayOut(int width, int height)
{
    const int top = LayOutStrip(width) + U(GapBelowStrip);
    const int room = height - top - U(GapBelowGroups + RowHeight + PreviewHeight + GapAboveGrid + GapBelowGrid);
    const int listsFirst = room - U(GridMinHeight);
    const int extra = std::max(0, listsFirst - U(GroupComfortHeight));
    const int groupHeight = std::max(U(GroupMinHeight), listsFirst - extra / 2);
    const int leftWidth = std::max(U(100), (width - U(6)) / 2);
    const int rightWidth = std::max(U(100), width - U(6) - leftWidth);
    LayOutOriginals(U(2), top, leftWidth, groupHeight);
    LayOutReplacements(U(4) + leftWidth, top, rightWidth, groupHeight);

    const int row = top + groupHeight + U(GapBelowGroups);
    LayOutReplacementRow(row, width);
    const int previewTop = row + U(RowHeight);
    Place(groupBox7_, U(2), previewTop, width - U(4), U(PreviewHeight));
    Place(groupBox7Frame_, 0, 0, width - U(4), U(PreviewHeight));
    preview_->LayOut(width - U(4));
    const int gridTop = previewTop + U(PreviewHeight + GapAboveGrid);
    modifications_.FollowDpi(DpiOf(panel6_));
    Place(modifications_.Grid(), U(2), gridTop, width - U(4), height - gridTop - U(GapBelowGrid));
}

// The labels keep their places in a line as long as the strip is wide
// enough; the ones that do not fit go on to a new line. Returns the strip's height.
int SoundArea::LayOutStrip(int width)
{
    const StripEntry entries[] = {
        {menuTexteSFX_, 0, 88},
        {label14_, 88, 22},
        {menuAideEditeurSons_, 110, 131},
        {modifications_.PrintLabel(), 241, 176},
        {modifications_.SaveLabel(), 421, 166},
    };
    int line = 0, lineStart = 0;
    for (const StripEntry& entry : entries) {
        if (entry.x > lineStart && U(entry.x - lineStart + entry.width + 2) > width) {
            ++line;
            lineStart = entry.x;
        }
        // Each edge is scaled on its own, so that neighbours meet without a gap or an overlap.
        const int left = U(entry.x - lineStart), right = U(entry.x - lineStart + entry.width);
        Place(entry.label, left, U(line * StripLineHeight), right - left, U(StripLineHeight));
    }
    const int stripHeight = U(StripHeight + line * StripLineHeight);
    Place(panel6_, 0, 0, width, stripHeight);
    return stripHeight;
}

void SoundArea::LayOutOriginals(int x, int y, int width, int height)
{
    Place(groupBox4_, x, y, width, height);
    Place(groupBox4Frame_, 0, 0, width, height);
    const int inner = width - U(16), listsHeight = height - U(18 + 26);
    const int folders = FolderListHeight(listsHeight);
    Place(originalFolders_.hwnd(), U(8), U(18), inner, folders);
    Place(originals_.hwnd(), U(8), U(22) + folders, inner, listsHeight - folders - U(4));
    Place(labelNum1_->hwnd(), U(8), height - U(21), U(88), U(14));
    Place(labelOctets1_, U(100), height - U(22), U(OctetsWidth), U(15));
    Place(labelFormat1_, U(FormatLeft), height - U(22), width - U(FormatLeft + 8), U(15));
}

// The replacements' file list starts level with the originals' one; the
// drive box takes the top of its folder list's room.
void SoundArea::LayOutReplacements(int x, int y, int width, int height)
{
    Place(groupBox5_, x, y, width, height);
    Place(groupBox5Frame_, 0, 0, width, height);
    const int inner = width - U(16), listsHeight = height - U(18 + 26);
    const int folders = std::max(0, FolderListHeight(listsHeight) - U(26));
    Place(replacementDrives_.hwnd(), U(8), U(18), inner, U(200));
    Place(replacementFolders_.hwnd(), U(8), U(44), inner, folders);
    Place(replacements_.hwnd(), U(8), U(48) + folders, inner, listsHeight - U(26) - folders - U(4));
    Place(labelNum2_->hwnd(), U(8), height - U(22), U(89), U(15));
    Place(labelOctets2_, U(101), height - U(22), U(OctetsWidth), U(15));
    Place(labelFormat2_, U(FormatLeft), height - U(22), width - U(FormatLeft + 8), U(15));
}

void SoundArea::LayOutReplacementRow(int row, int width)
{
    const int arrow = U(ArrowWidth), button = U(ButtonWidth);
    const int textWidth = std::max(U(60), (width - 2 * U(2) - button - 2 * arrow) / 2);
    Place(staticText1_, U(2), row, textWidth, U(24));
    Place(labelVers1_, U(2) + textWidth, row + U(5), arrow, U(16));
    Place(bitBtn1_, U(2) + textWidth + arrow, row, button, U(25));
    Place(labelVers2_, U(2) + textWidth + arrow + button, row + U(5), arrow, U(16));
    Place(staticText2_, width - U(2) - textWidth, row, textWidth, U(24));
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

// A pick counts whether or not the preview could open the file.
void SoundArea::Pick(const Side& side)
{
    SoundPreview& preview = *preview_;
    preview.FichierApercu = side.list.SelectedPath().value_or(std::wstring());
    if (IsPreviewable(preview.FichierApercu)) {
        SetWindowTextOf(side.text, L"[ " + ExtractFileName(preview.FichierApercu) + L" ]");
        side.path = preview.FichierApercu;
        side.size.SetValeur(SizeShown(FileSizeOf(side.path)));
        ShowSampleFormat(side.format, side.path);
        preview.ListeApercu = side.number;
        replacedSincePick_ = false;
        preview.LoadPreview();
    }
    if (BothListsHaveSelection())
        EnableWindow(bitBtn1_, TRUE);
}

bool SoundArea::BothListsHaveSelection() const
{
    return HasSelection(originals_) && HasSelection(replacements_);
}

// A second replacement without a new pick would put the first one's copy
// into the backup, over the original's own content.
void SoundArea::BitBtn1Click()
{
    IDialogs& dialogs = form_.dialogs();
    if (replacedSincePick_) {
        dialogs.MessageDlg(form_.hwnd(), msg::PickBeforeReplacingAgain, DialogKind::Error, {DialogButton::Ok});
        return;
    }
    preview_->StopAndClose();
    preview_->SetEnabledButtons(AllButPlay);
    if (fichierOriginal_ == fichierRemplacement_ || IsSameFile(fichierOriginal_, fichierRemplacement_)) {
        dialogs.MessageDlg(form_.hwnd(),
                           fichierOriginal_ + L"  => " + fichierRemplacement_ + L"\n\r" +
                               std::wstring(msg::SameFileReplacement),
                           DialogKind::Error, {DialogButton::Ok});
        return;
    }
    // A damaged original may be replaced (that repairs it); a damaged
    // replacement never goes into the game.
    if (const auto damaged = DamagedSoundMessage(fichierRemplacement_)) {
        dialogs.MessageDlg(form_.hwnd(), *damaged, DialogKind::Error, {DialogButton::Ok});
        return;
    }
    const ReplacementContent content = ChooseReplacementContent(dialogs, form_.hwnd(), fichierRemplacement_);
    if (content.cancelled)
        return;
    const std::wstring backup = ChangeFileExt(fichierOriginal_, L".bak");
    try {
        if (content.converted)
            ReplaceSampleWithContent(fichierOriginal_, *content.converted, backup);
        else
            ReplaceSample(fichierOriginal_, fichierRemplacement_, backup);
    } catch (const ReplacementRefused& refused) {
        dialogs.MessageDlg(form_.hwnd(), refused.text(), DialogKind::Error, {DialogButton::Ok});
        return;
    }
    replacedSincePick_ = true;
    fichierBak_ = backup;
    preview_->SetEnabledButtons(AllTransportButtons);
    modifications_.AddModification(ExtractFileName(fichierOriginal_), ExtractFileName(fichierRemplacement_),
                                   ExtractFileName(fichierBak_));
}

} // namespace tessark
