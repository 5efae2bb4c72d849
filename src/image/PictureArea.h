#pragma once
// The picture work area, shared by the title logo and the sky texture tools:
// folder and file lists of BMP and RAW pictures, of the pictures paint
// programs save (PNG, JPEG, GIF, TIFF, TGA) and, in logo mode, of packed
// ".pak" logos, the size choice used to read RAW files and to save, and the
// shown picture. In logo mode a check box shows the picture as the game will
// show it, and the size text tells how many of its pixels the game leaves
// transparent.
#include "ui/FileLists.h"
#include "util/Win32.h"
#include "image/AlphaPicture.h"
#include "image/Picture.h"
#include "image/PictureFit.h"
#include "image/PictureView.h"

#include <cstdint>
#include <string>

namespace tessark {

class IAreaHost;

enum class PictureMode { Logo, Sky };

struct PictureSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

class PictureArea {
public:
    // Builds the controls inside the main window's Panel4.
    explicit PictureArea(IAreaHost& host);

    HWND Control(int controlId) const;
    bool OnCommand(int controlId, int code);
    void LayOut(int width, int height);
    // The narrowest the area can be with nothing overlapping, in units.
    static int MinimumWidth();

    // What the two mode buttons do to the area.
    void EnterMode(PictureMode mode);

    void FileListBox3Click();
    // The tool column's logo and sky exports of the shown picture.
    void BtConvertLogoClick();
    void BtconvertCielClick();
    // "Enregistrer en PNG": the shown picture, as it is shown, to a PNG file.
    void BtSavePngClick();
    // How long the logo packer runs before the user is asked whether to stop it.
    void SetPackerPatience(DWORD milliseconds) { packerPatience_ = milliseconds; }
    // The key filter of EditX and EditY: true lets the character through.
    static bool EditXKeyPress(wchar_t typed);

    PictureMode Mode() const { return mode_; }
    std::wstring& LogoPath() { return logoPath_; }
    // The size given by the size buttons; raises the conversion error when
    // "Autre" is checked and an edit does not hold a number.
    PictureSize ChosenSize() const;
    image::Picture& ShownPicture() { return picture_; }
    // To call after the shown picture was resized.
    void ShownPictureChanged() { view_.PictureChanged(); }
    FileListBox& Files() { return files_; }
    // A file whose picture is decoded and written as a RAW at export, rather
    // than a RAW file itself (or a packed logo).
    static bool IsPaintedPicture(const std::wstring& path);
    DirectoryListBox& Folders() { return folders_; }

private:
    enum class FitOutcome { Fitted, KeptSize, Cancelled };
    // Offers to fit the picture read from `source` to width x height when it
    // has another size; Fitted once the user agreed to save the fitted one.
    FitOutcome OfferFit(const std::wstring& source, std::int32_t width, std::int32_t height);
    bool ShowFitted(image::FitWay way, std::int32_t width, std::int32_t height);
    // After the shown picture was replaced: the display, the game view and the size text.
    void PictureShownAnew();
    void CheckRadioSilently(int radioId);
    void CreateControls(HWND panel4);
    void CheckRadio(int radioId);
    bool IsChecked(int radioId) const;
    std::int32_t ChosenWidth() const;
    std::int32_t RawWidth() const;
    std::wstring LoadPicture(const std::wstring& path);
    void ShowPainted(image::AlphaPicture&& painted);
    void ForgetShownPicture();
    void SetSizeText(const std::wstring& text);
    std::wstring SizeText() const;
    void ShowAsInGameWhenAsked();
    void LayOutAgain();
    int SizeTextHeight() const;
    void FolderChanged();

    IAreaHost& host_;
    PictureMode mode_ = PictureMode::Logo;
    DWORD packerPatience_ = 60000;
    std::wstring logoPath_;
    // The file the shown picture was read from.
    std::wstring shownPath_;
    image::Picture picture_;
    // How many pixels of the shown picture were transparent in its file and are black now.
    std::int64_t madeTransparent_ = 0;

    HWND panel5_ = nullptr;
    HWND staticText4_ = nullptr;
    HWND showAsInGame_ = nullptr;
    HWND btSavePng_ = nullptr;
    HWND groupBox6_ = nullptr;
    HWND groupBox6Frame_ = nullptr;
    HWND radio_[3] = {};
    HWND editX_ = nullptr;
    HWND label12_ = nullptr;
    HWND editY_ = nullptr;
    DriveComboBox drives_;
    DirectoryListBox folders_;
    FileListBox files_;
    PictureView view_;
};

} // namespace tessark
