#include "image/PictureArea.h"

#include "image/PictureMessages.h"
#include "ui/ControlIds.h"
#include "ui/DialogKeys.h"
#include "ui/Dpi.h"
#include "ui/AreaHost.h"
#include "ui/Window.h"
#include "image/BmpImage.h"
#include "image/ExportTexts.h"
#include "image/GameView.h"
#include "image/PakFile.h"
#include "image/RawImage.h"
#include "util/FileIO.h"
#include "util/FileNames.h"
#include "util/Messages.h"
#include "util/Text1252.h"
#include "util/TextUtils.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <span>
#include <string_view>
#include <variant>

namespace tessark {
namespace {

constexpr int Panel5Width = 200;
constexpr int GroupBox6Height = 50;
constexpr int ListMargin = 4;
constexpr int DrivesTop = 4;
constexpr int DrivesDropHeight = 200;
constexpr int FoldersTop = 32;
constexpr int FoldersHeight = 150;
constexpr int FilesTop = 186;
constexpr int CaptionHeight = 22;
// The size text grows to hold a second line, with this much room below it.
constexpr int CaptionPadding = 4;
constexpr int CheckBoxHeight = 20;
constexpr int ButtonHeight = 24;
constexpr int EditWidth = 45;
constexpr int EditYLeft = 311;
// Room right of the last box of the group, its frame included.
constexpr int GroupRightMargin = 12;
constexpr int RadioIds[3] = {id::RadioButton1, id::RadioButton2, id::RadioButton3};
constexpr wchar_t LogoMask[] = L"*.bmp;*.raw;*.pak;*.png;*.jpg;*.jpeg;*.gif;*.tif;*.tiff;*.tga";
constexpr wchar_t SkyMask[] = L"*.raw;*.bmp;*.png;*.jpg;*.jpeg;*.gif;*.tif;*.tiff;*.tga";

LRESULT CALLBACK DigitsOnly(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (message == WM_CHAR && !PictureArea::EditXKeyPress(static_cast<wchar_t>(wParam)))
        return 0;
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

std::wstring CurrentFolder()
{
    std::wstring folder(GetCurrentDirectoryW(0, nullptr), L'\0');
    folder.resize(GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data()));
    return folder;
}

} // namespace

PictureArea::PictureArea(IAreaHost& host) : host_(host)
{
    CreateControls(host_.Control(id::Panel4));
    // The column is read from the top: drive, folders, files.
    SetTabOrder({drives_.hwnd(), folders_.hwnd(), files_.hwnd(), btSavePng_, showAsInGame_});
}

void PictureArea::CreateControls(HWND panel4)
{
    panel5_ = CreatePanel(panel4, id::Panel5, 0, 0, Panel5Width, 10, true);
    files_.Create(panel5_, id::FileListBox3, LogoMask, false);
    folders_.Create(panel5_, id::DirectoryListBox3, &files_);
    drives_.Create(panel5_, id::DriveComboBox3, &folders_);
    staticText4_ = CreateChild(panel5_, L"STATIC", L"", WS_VISIBLE | SS_CENTER | SS_SUNKEN | SS_CENTERIMAGE, 0, 0, 10,
                               10, id::StaticText4);
    showAsInGame_ = CreateChild(panel5_, L"BUTTON", msg::ShowAsInGame, WS_TABSTOP | BS_AUTOCHECKBOX, 0, 0, 10, 10,
                                id::CheckShowAsInGame);
    btSavePng_ = CreateChild(panel5_, L"BUTTON", msg::SaveAsPng, WS_VISIBLE | WS_TABSTOP | WS_DISABLED | BS_PUSHBUTTON,
                             0, 0, 10, 10, id::BtSavePng);

    groupBox6_ = CreatePanel(panel4, id::GroupBox6, 0, 0, 10, GroupBox6Height, false);
    groupBox6Frame_ = CreateChild(groupBox6_, L"BUTTON",
                                  L" Format de l'image  pour chargement d'une image de type RAW ",
                                  WS_VISIBLE | WS_CLIPSIBLINGS | BS_GROUPBOX, 0, 0, 10, GroupBox6Height,
                                  id::GroupBox6Frame);
    const wchar_t* captions[3] = {L"256 x 256", L"512 x 256", L"Autre  >"};
    for (int i = 0; i < 3; ++i)
        radio_[i] = CreateChild(groupBox6_, L"BUTTON", captions[i], WS_VISIBLE | WS_TABSTOP | BS_RADIOBUTTON,
                                10 + i * 80, 20, 75, 20, RadioIds[i]);
    SendMessageW(radio_[0], BM_SETCHECK, BST_CHECKED, 0);
    editX_ = CreateChild(groupBox6_, L"EDIT", L"320", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 248, 19, 45, 22,
                         id::EditX, WS_EX_CLIENTEDGE);
    label12_ = CreateChild(groupBox6_, L"STATIC", L" x ", WS_VISIBLE | SS_CENTER, 294, 22, 16, 18, id::Label12);
    editY_ = CreateChild(groupBox6_, L"EDIT", L"200", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, EditYLeft, 19,
                         EditWidth, 22,
                         id::EditY, WS_EX_CLIENTEDGE);
    SetWindowSubclass(editX_, DigitsOnly, 1, 0);
    SetWindowSubclass(editY_, DigitsOnly, 1, 0);
    SetWindowPos(groupBox6Frame_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    view_.Create(panel4, id::ScrollBox1, id::Image1, &picture_);
    folders_.SetDirectory(CurrentFolder());
    drives_.ShowDriveOf(folders_.Directory());
}

HWND PictureArea::Control(int controlId) const
{
    switch (controlId) {
    case id::Panel5: return panel5_;
    case id::DriveComboBox3: return drives_.hwnd();
    case id::DirectoryListBox3: return folders_.hwnd();
    case id::FileListBox3: return files_.hwnd();
    case id::StaticText4: return staticText4_;
    case id::CheckShowAsInGame: return showAsInGame_;
    case id::BtSavePng: return btSavePng_;
    case id::GroupBox6: return groupBox6_;
    case id::GroupBox6Frame: return groupBox6Frame_;
    case id::RadioButton1: return radio_[0];
    case id::RadioButton2: return radio_[1];
    case id::RadioButton3: return radio_[2];
    case id::EditX: return editX_;
    case id::Label12: return label12_;
    case id::EditY: return editY_;
    case id::ScrollBox1: return view_.ScrollBox();
    case id::Image1: return view_.Image();
    default: return nullptr;
    }
}

bool PictureArea::OnCommand(int controlId, int code)
{
    switch (controlId) {
    case id::DriveComboBox3:
        if (code == CBN_SELCHANGE) {
            drives_.SelectionChanged();
            FolderChanged();
        }
        return true;
    case id::DirectoryListBox3:
        if (code == LBN_DBLCLK && folders_.OpenSelected())
            FolderChanged();
        return true;
    case id::FileListBox3:
        if (code == LBN_SELCHANGE)
            FileListBox3Click();
        return true;
    case id::RadioButton1:
    case id::RadioButton2:
    case id::RadioButton3:
        if (code == BN_CLICKED)
            CheckRadio(controlId);
        return true;
    case id::CheckShowAsInGame:
        if (code == BN_CLICKED)
            ShowAsInGameWhenAsked();
        return true;
    case id::BtSavePng:
        if (code == BN_CLICKED)
            BtSavePngClick();
        return true;
    default:
        return false;
    }
}

int PictureArea::MinimumWidth()
{
    return Panel5Width + EditYLeft + EditWidth + GroupRightMargin;
}

// `width` and `height` are the area's in pixels; the rest is in units.
void PictureArea::LayOut(int width, int height)
{
    const auto scaled = [this](int units) { return Scaled(panel5_, units); };
    // The area itself may still be hidden: the group box's own flag counts.
    const bool groupShown = (GetWindowLongW(groupBox6_, GWL_STYLE) & WS_VISIBLE) != 0;
    const int groupHeight = groupShown ? scaled(GroupBox6Height) : 0;
    const int columnWidth = scaled(Panel5Width), listWidth = scaled(Panel5Width - 2 * ListMargin);
    const int margin = scaled(ListMargin);
    const int captionHeight = SizeTextHeight();
    const int captionTop = std::max(0, height - captionHeight - margin);
    // The check box is shown in logo mode only; the file list takes its room otherwise.
    const bool checkShown = (GetWindowLongW(showAsInGame_, GWL_STYLE) & WS_VISIBLE) != 0;
    const int checkTop = std::max(0, captionTop - margin - scaled(CheckBoxHeight));
    const int buttonTop = std::max(0, (checkShown ? checkTop : captionTop) - margin - scaled(ButtonHeight));
    const int filesBottom = buttonTop - margin;
    MoveWindow(panel5_, 0, 0, columnWidth, height, TRUE);
    MoveWindow(drives_.hwnd(), margin, scaled(DrivesTop), listWidth, scaled(DrivesDropHeight), TRUE);
    MoveWindow(folders_.hwnd(), margin, scaled(FoldersTop), listWidth, scaled(FoldersHeight), TRUE);
    MoveWindow(files_.hwnd(), margin, scaled(FilesTop), listWidth, std::max(0, filesBottom - scaled(FilesTop)),
               TRUE);
    MoveWindow(btSavePng_, margin, buttonTop, listWidth, scaled(ButtonHeight), TRUE);
    MoveWindow(showAsInGame_, margin, checkTop, listWidth, scaled(CheckBoxHeight), TRUE);
    MoveWindow(staticText4_, margin, captionTop, listWidth, captionHeight, TRUE);
    const int right = std::max(0, width - columnWidth);
    MoveWindow(groupBox6_, columnWidth, std::max(0, height - scaled(GroupBox6Height)), right,
               scaled(GroupBox6Height), TRUE);
    MoveWindow(groupBox6Frame_, scaled(2), 0, std::max(0, right - scaled(4)), scaled(GroupBox6Height - 2), TRUE);
    MoveWindow(view_.ScrollBox(), columnWidth, 0, right, std::max(0, height - groupHeight), TRUE);
}

// One line of text at its usual height; two or more as tall as they need.
int PictureArea::SizeTextHeight() const
{
    const int oneLine = Scaled(panel5_, CaptionHeight);
    const std::wstring text = WindowText(staticText4_);
    if (text.find(L'\n') == std::wstring::npos)
        return oneLine;
    RECT client{}, frame{};
    GetClientRect(staticText4_, &client);
    GetWindowRect(staticText4_, &frame);
    const int edges = (frame.bottom - frame.top) - client.bottom;
    RECT needed{0, 0, std::max(1, Scaled(panel5_, Panel5Width - 2 * ListMargin) - edges), 0};
    HDC dc = GetDC(staticText4_);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(staticText4_, WM_GETFONT, 0, 0)));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(staticText4_, dc);
    return std::max<int>(oneLine, needed.bottom + edges + Scaled(panel5_, CaptionPadding));
}

void PictureArea::LayOutAgain()
{
    RECT area{};
    GetClientRect(host_.Control(id::Panel4), &area);
    LayOut(area.right, area.bottom);
}

// A size text of one line sits in the middle of its box; a longer one wraps.
void PictureArea::SetSizeText(const std::wstring& text)
{
    LONG style = GetWindowLongW(staticText4_, GWL_STYLE);
    style = text.find(L'\n') == std::wstring::npos ? style | SS_CENTERIMAGE : style & ~SS_CENTERIMAGE;
    SetWindowLongW(staticText4_, GWL_STYLE, style);
    SetWindowTextOf(staticText4_, text);
    LayOutAgain();
    InvalidateRect(staticText4_, nullptr, TRUE);
}

// In logo mode the size is followed by the number of pixels made transparent
// from the file's own transparency, then by the number of black pixels, which
// the game leaves transparent.
std::wstring PictureArea::SizeText() const
{
    std::wstring text = PictureCaption(picture_.width(), picture_.height());
    if (mode_ != PictureMode::Logo)
        return text;
    for (const std::wstring& line : {image::MadeTransparentText(madeTransparent_),
                                     image::BlackPixelsText(image::CountBlackPixels(picture_))})
        if (!line.empty())
            text += L"\r\n" + line;
    return text;
}

void PictureArea::ShowAsInGameWhenAsked()
{
    const bool asked = SendMessageW(showAsInGame_, BM_GETCHECK, 0, 0) == BST_CHECKED;
    view_.ShowAsInGame(asked && mode_ == PictureMode::Logo);
}

void PictureArea::EnterMode(PictureMode mode)
{
    ShowWindow(groupBox6_, SW_SHOW);
    mode_ = mode;
    ShowWindow(showAsInGame_, mode == PictureMode::Logo ? SW_SHOW : SW_HIDE);
    ShowAsInGameWhenAsked();
    files_.SetMask(mode == PictureMode::Logo ? LogoMask : SkyMask);
    host_.ShowWorkArea(WorkArea::Picture);
    ShowWindow(view_.Image(), SW_SHOW);
    EnableWindow(host_.Control(id::BtConvertSFX), FALSE);
    CheckRadio(mode == PictureMode::Logo ? id::RadioButton2 : id::RadioButton1);
}

bool PictureArea::EditXKeyPress(wchar_t typed)
{
    return (typed >= L'0' && typed <= L'9') || typed == L'\b';
}

bool PictureArea::IsChecked(int radioId) const
{
    return SendMessageW(Control(radioId), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Checking a button that was not checked counts as a click on the file list,
// which reads the picture again at the new size.
void PictureArea::CheckRadio(int radioId)
{
    if (IsChecked(radioId))
        return;
    CheckRadioSilently(radioId);
    FileListBox3Click();
}

void PictureArea::CheckRadioSilently(int radioId)
{
    for (int i = 0; i < 3; ++i)
        SendMessageW(radio_[i], BM_SETCHECK, RadioIds[i] == radioId ? BST_CHECKED : BST_UNCHECKED, 0);
}

PictureSize PictureArea::ChosenSize() const
{
    const std::int32_t width = ChosenWidth();
    const std::int32_t height = IsChecked(id::RadioButton3) ? StrToInt(WindowText(editY_)) : 256;
    return {width, height};
}

// Reading a RAW file needs only this: its height comes from the file's size.
std::int32_t PictureArea::ChosenWidth() const
{
    if (IsChecked(id::RadioButton1))
        return 256;
    if (IsChecked(id::RadioButton2))
        return 512;
    return StrToInt(WindowText(editX_));
}

std::int32_t PictureArea::RawWidth() const
{
    const std::int32_t width = ChosenWidth();
    return width == 0 ? 256 : width;
}

// After a file that could not be shown, nothing is left to export.
void PictureArea::ForgetShownPicture()
{
    picture_ = image::Picture();
    shownPath_.clear();
    madeTransparent_ = 0;
    view_.PictureChanged();
    EnableWindow(btSavePng_, FALSE);
    SetSizeText(L"");
    logoPath_.clear();
    EnableWindow(host_.Control(id::BtConvertLogo), FALSE);
    EnableWindow(host_.Control(id::BtconvertCiel), FALSE);
}

void PictureArea::FileListBox3Click()
{
    const auto name = files_.SelectedPath();
    if (!name)
        return;
    if (const std::wstring refused = LoadPicture(*name); !refused.empty()) {
        ForgetShownPicture();
        throw UserError(refused);
    }
    const std::int32_t w = picture_.width(), h = picture_.height();
    if (w == 256 && h == 256) {
        CheckRadio(id::RadioButton1);
    } else if (w == 512 && h == 256) {
        CheckRadio(id::RadioButton2);
    } else if (w != 256 && w != 512 && h != 256) {
        CheckRadio(id::RadioButton3);
        SetWindowTextOf(editX_, std::to_wstring(w));
        SetWindowTextOf(editY_, std::to_wstring(h));
    }
    SetSizeText(SizeText());
    shownPath_ = *name;
    EnableWindow(btSavePng_, TRUE);
    logoPath_.clear();
    const bool logo = mode_ == PictureMode::Logo;
    // A ".pak" is already packed: the packer would take it for a RAW file and
    // write over it.
    const bool packed = AsciiUpper(ExtractFileExt(*name)) == L".PAK";
    EnableWindow(host_.Control(id::BtConvertLogo), logo && !packed);
    EnableWindow(host_.Control(id::BtconvertCiel), !logo);
    if (logo && !packed)
        logoPath_ = *name;
}

void PictureArea::FolderChanged()
{
    drives_.ShowDriveOf(folders_.Directory());
}

} // namespace tessark
