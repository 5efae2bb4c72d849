// "Exécuter  LevelVUDEvizuzi": the level editor's sound-set builder makes the
// .sfx and .sam files of the WAD chosen in the chooser, which then go into the
// WAD folder.
#include "app/HourGlass.h"
#include "app/MainForm.h"
#include "sound/UnitChoixWad.h"
#include "sound/WadNames.h"
#include "util/FileNames.h"
#include "util/FmxUtils.h"
#include "util/InstallLayout.h"
#include "util/Messages.h"
#include "util/RunAndWait.h"

#include <shellapi.h>

namespace tessark {
namespace {

// Used only when the shell gives no process to wait for.
constexpr DWORD PauseWithoutProcess = 2000;

bool FolderExists(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Starts the builder through the shell, hidden, and waits for its end, the
// window repainting meanwhile. Returns the shell's code.
std::intptr_t RunBuilder(HWND owner, const std::wstring& file, const std::wstring& parameters,
                         const std::wstring& folder)
{
    SHELLEXECUTEINFOW start{};
    start.cbSize = sizeof start;
    start.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    start.hwnd = owner;
    start.lpFile = file.c_str();
    start.lpParameters = parameters.c_str();
    start.lpDirectory = folder.c_str();
    start.nShow = SW_HIDE;
    HourGlass hourGlass;
    ShellExecuteExW(&start);
    const auto code = reinterpret_cast<std::intptr_t>(start.hInstApp);
    if (start.hProcess) {
        WaitWhileRepainting(start.hProcess, INFINITE);
        CloseHandle(start.hProcess);
    } else if (code > 32) {
        WaitWhileRepainting(nullptr, PauseWithoutProcess);
    }
    return code;
}

// Both outputs are looked for before either moves, so that the WAD folder
// never gets one new file beside an old one of the other kind.
void MoveOutputs(const std::wstring& builderFolder, const std::wstring& wadFolder, const std::wstring& wadName)
{
    const std::wstring names[2] = {ChangeFileExt(wadName, L".sfx"), ChangeFileExt(wadName, L".sam")};
    for (const auto& name : names)
        if (!FileExists(builderFolder + name))
            throw EFOpenError(builderFolder + name);
    for (const auto& name : names)
        MoveOneFile(builderFolder + name, wadFolder + name);
}

} // namespace

void TMainForm::BtConvertSFXClick()
{
    const std::wstring wadFolder = IncludeTrailingBackslash(layout::InstallPath(installationRoot_, layout::WadFolder));
    if (!FolderExists(wadFolder)) {
        dialogs_.MessageDlg(hwnd(), msg::WadFolderMissing, DialogKind::Error, {DialogButton::Ok});
        return;
    }
    if (dialogs_.ShowModal(hwnd(), *ficheChoixWad_) != ModalResult::Ok)
        return;
    const std::wstring parameter = ficheChoixWad_->WadChoisi();
    if (parameter.empty()) {
        dialogs_.MessageDlg(hwnd(), msg::NoWadChosen, DialogKind::Error, {DialogButton::Ok});
        return;
    }
    const std::wstring wadName = wad::WadNameOf(parameter);
    const std::wstring builder = layout::InstallPath(installationRoot_, layout::SoundBuilder);
    if (!FileExists(builder)) {
        dialogs_.MessageDlg(hwnd(), FormatMessageText(msg::SoundBuilderMissing, builder), DialogKind::Error,
                            {DialogButton::Ok});
        return;
    }
    const std::wstring builderFolder =
        IncludeTrailingBackslash(layout::InstallPath(installationRoot_, layout::SoundBuilderFolder));
    const std::intptr_t code =
        RunBuilder(hwnd(), layout::InstallPath(installationRoot_, layout::SoundBuilderNoExt), parameter,
                   builderFolder);
    if (code <= 32) {
        const auto name = wad::StartFailureName(code);
        dialogs_.ShowMessage(hwnd(), std::to_wstring(code) + L"  " +
                                         std::wstring(name ? *name : msg::SoundBuilderNotStarted));
        return;
    }
    MoveOutputs(builderFolder, wadFolder, wadName);
}

} // namespace tessark
