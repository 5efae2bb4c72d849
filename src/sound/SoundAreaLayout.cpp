// The sound area's controls: created once on the area's panel, then placed
// for the area's size (the strip, the two sides, the replacement row, the
// preview and the modification list).
#include "sound/SoundArea.h"

#include "ui/ControlIds.h"
#include "ui/DialogKeys.h"
#include "ui/Dpi.h"
#include "ui/StripLabel.h"
#include "ui/Window.h"

#include <algorithm>

namespace tessark {
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
// Under the lists: the size and format line, then the kept original's line.
constexpr int InfoLine = 16;
constexpr int RestoreButtonWidth = 170;
constexpr int RestoreButtonHeight = 25;
constexpr int GapBetweenRestoreButtons = 4;
constexpr DWORD FormatStyle = WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS;
// The caption's width on one line in the label's font.
int CaptionWidth(HWND label)
{
    const std::wstring caption = WindowText(label);
    HDC dc = GetDC(label);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
    RECT needed{};
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &needed, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(label, dc);
    return needed.right;
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

} // namespace

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
    label14_ = CreateStripLabel(panel6_, id::Label14, L"", 88, 32, menu);
    menuAideEditeurSons_ =
        CreateStripLabel(panel6_, id::MenuAideEditeurSons, L" Aide de l'éditeur de sons", 120, 121, menu);
    CreateOriginalsGroup(panel3);
    CreateReplacementsGroup(panel3);
    CreateReplacementRow(panel3);
    groupBox7_ = CreateGroup(panel3, id::GroupBox7, id::GroupBox7Frame, L" Aperçu ", groupBox7Frame_);
    preview_ = std::make_unique<SoundPreview>(host_, groupBox7_);
    SendFrameToBack(groupBox7Frame_);
    modifications_.Create(panel3, panel6_);
    btRestaurer_ = CreateChild(panel3, L"BUTTON", L"Restaurer l'original", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                               0, 0, 10, 10, id::BtRestaurer);
    btRestaurerTous_ = CreateChild(panel3, L"BUTTON", L"Restaurer tous les originaux",
                                   WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 10, 10, id::BtRestaurerTous);
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
    labelOriginal1_ = CreateChild(groupBox4_, L"STATIC", L"", FormatStyle, 0, 0, 10, 15, id::LabelOriginal1);
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
    LayOutGridAndRestores(gridTop, width, height - gridTop - U(GapBelowGrid));
}

// The restores stand beside the list whose rows they act on.
void SoundArea::LayOutGridAndRestores(int top, int width, int height)
{
    const int buttons = U(RestoreButtonWidth);
    const int gridWidth = std::max(U(100), width - U(4 + 4) - buttons);
    Place(modifications_.Grid(), U(2), top, gridWidth, height);
    const int left = U(2 + 4) + gridWidth;
    Place(btRestaurer_, left, top, buttons, U(RestoreButtonHeight));
    Place(btRestaurerTous_, left, top + U(RestoreButtonHeight + GapBetweenRestoreButtons), buttons,
          U(RestoreButtonHeight));
}

// The labels keep their places in a line as long as the strip is wide
// enough; the ones that do not fit go on to a new line. Returns the strip's height.
int SoundArea::LayOutStrip(int width)
{
    const StripEntry entries[] = {
        {menuTexteSFX_, 0, 88},
        {label14_, 88, 32},
        {menuAideEditeurSons_, 120, 121},
        {modifications_.PrintLabel(), 241, 176},
        {modifications_.SaveLabel(), 421, 166},
    };
    int line = 0, lineStart = 0;
    RECT places[std::size(entries)] = {};
    for (std::size_t i = 0; i < std::size(entries); ++i) {
        const StripEntry& entry = entries[i];
        if (entry.x > lineStart && U(entry.x - lineStart + entry.width + 2) > width) {
            ++line;
            lineStart = entry.x;
        }
        // Each edge is scaled on its own, so that neighbours meet without a gap or an overlap.
        places[i] = {U(entry.x - lineStart), U(line * StripLineHeight), U(entry.x - lineStart + entry.width),
                     U((line + 1) * StripLineHeight)};
    }
    GiveFillerRoomToHelpCaption(places[1], places[2]);
    for (std::size_t i = 0; i < std::size(entries); ++i)
        Place(entries[i].label, places[i].left, places[i].top, places[i].right - places[i].left,
              places[i].bottom - places[i].top);
    const int stripHeight = U(StripHeight + line * StripLineHeight);
    Place(panel6_, 0, 0, width, stripHeight);
    return stripHeight;
}

// At some scales the help label's caption rounds a pixel or two past the
// label's width: the empty filler on its left gives it that room.
void SoundArea::GiveFillerRoomToHelpCaption(RECT& filler, RECT& help) const
{
    if (filler.top != help.top || filler.right != help.left)
        return;
    const int shortfall = CaptionWidth(menuAideEditeurSons_) - (help.right - help.left);
    const int taken = std::clamp(shortfall, 0, static_cast<int>(filler.right - filler.left));
    filler.right -= taken;
    help.left -= taken;
}

void SoundArea::LayOutOriginals(int x, int y, int width, int height)
{
    Place(groupBox4_, x, y, width, height);
    Place(groupBox4Frame_, 0, 0, width, height);
    const int inner = width - U(16), listsHeight = height - U(18 + 26 + InfoLine);
    const int folders = FolderListHeight(listsHeight);
    Place(originalFolders_.hwnd(), U(8), U(18), inner, folders);
    Place(originals_.hwnd(), U(8), U(22) + folders, inner, listsHeight - folders - U(4));
    const int sizeLine = height - U(22 + InfoLine);
    Place(labelNum1_->hwnd(), U(8), sizeLine + U(1), U(88), U(14));
    Place(labelOctets1_, U(100), sizeLine, U(OctetsWidth), U(15));
    Place(labelFormat1_, U(FormatLeft), sizeLine, width - U(FormatLeft + 8), U(15));
    Place(labelOriginal1_, U(8), height - U(22), inner, U(15));
}

// The replacements' file list starts level with the originals' one; the
// drive box takes the top of its folder list's room.
void SoundArea::LayOutReplacements(int x, int y, int width, int height)
{
    Place(groupBox5_, x, y, width, height);
    Place(groupBox5Frame_, 0, 0, width, height);
    const int inner = width - U(16), listsHeight = height - U(18 + 26 + InfoLine);
    const int folders = std::max(0, FolderListHeight(listsHeight) - U(26));
    Place(replacementDrives_.hwnd(), U(8), U(18), inner, U(200));
    Place(replacementFolders_.hwnd(), U(8), U(44), inner, folders);
    Place(replacements_.hwnd(), U(8), U(48) + folders, inner, listsHeight - U(26) - folders - U(4));
    // Level with the originals' size line.
    const int sizeLine = height - U(22 + InfoLine);
    Place(labelNum2_->hwnd(), U(8), sizeLine, U(89), U(15));
    Place(labelOctets2_, U(101), sizeLine, U(OctetsWidth), U(15));
    Place(labelFormat2_, U(FormatLeft), sizeLine, width - U(FormatLeft + 8), U(15));
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

} // namespace tessark
