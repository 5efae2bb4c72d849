// "Exécuter  Logo Packer": the chosen picture becomes the RAW title logo and
// the level editor's logo packer turns it into a .pak beside it.
#include "app/ControlIds.h"
#include "util/HourGlass.h"
#include "app/MainForm.h"
#include "image/ExportTexts.h"
#include "image/RawFile.h"
#include "util/CommandLine.h"
#include "util/FileNames.h"
#include "util/InstallLayout.h"
#include "util/Messages.h"
#include "util/RunAndWait.h"

#include <optional>

namespace tessark {
namespace {

std::optional<ULONGLONG> LastWriteTime(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    return (static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
}

} // namespace

void TMainForm::BtConvertLogoClick()
{
    PictureArea& area = *picture_;
    std::wstring& logoPath = area.LogoPath();
    if (logoPath.empty()) {
        dialogs_.MessageDlg(hwnd(), msg::ChooseValidPicture, DialogKind::Error, {DialogButton::Ok});
        return;
    }
    const PictureSize size = area.ChosenSize();
    if ((size.width != 512 || size.height != 256) &&
        dialogs_.MessageDlg(hwnd(), LogoSizeQuestion(size.width, size.height), DialogKind::Warning,
                            {DialogButton::Yes, DialogButton::No}) == DialogButton::No)
        return;
    const bool fromBmp = AsciiUpper(ExtractFileExt(logoPath)) == L".BMP";
    if (fromBmp) {
        image::Picture& picture = area.ShownPicture();
        std::wstring raw = logoPath;
        SaveRawImage(raw, picture, picture.width(), picture.height());
        // Only now: after a failed write the logo stays on the BMP, so that
        // the next click writes the RAW again instead of packing an old one.
        logoPath = raw;
        area.ShownPictureChanged();
    }
    // The packer is waited for either way, so that the report tells what it left.
    const std::wstring packer = layout::InstallPath(installationRoot_, layout::LogoPacker);
    const std::wstring pak = ChangeFileExt(logoPath, L".pak");
    const auto pakBefore = LastWriteTime(pak);
    bool started = false;
    {
        HourGlass hourGlass;
        started = RunAndWait(CommandLine(packer, {logoPath}), {}, ProgramWindow::Hidden);
    }
    area.Files().Update();
    const auto pakAfter = LastWriteTime(pak);
    if (!started)
        dialogs_.MessageDlg(hwnd(), FormatMessageText(msg::PackerNotStarted, packer), DialogKind::Error,
                            {DialogButton::Ok});
    else if (!pakAfter || pakAfter == pakBefore)
        dialogs_.MessageDlg(hwnd(), FormatMessageText(msg::PackerLeftNoPak, pak), DialogKind::Error,
                            {DialogButton::Ok});
    else
        dialogs_.MessageDlg(hwnd(), fromBmp ? LogoFromBmpDone(logoPath) : LogoFromRawDone(logoPath),
                            DialogKind::Information, {DialogButton::Ok});
}

} // namespace tessark
