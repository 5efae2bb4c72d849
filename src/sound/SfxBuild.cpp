// "Exécuter  LevelVUDEvizuzi": the level editor's sound-set builder makes the
// .sfx and .sam files of the WAD chosen in the chooser, which then go into the
// WAD folder together, or not at all.
#include "util/HourGlass.h"
#include "sound/SoundArea.h"
#include "ui/AreaHost.h"
#include "sound/SfxOutputs.h"
#include "sound/SoundSetReport.h"
#include "sound/UnitChoixWad.h"
#include "sound/WadNames.h"
#include "util/FileNames.h"
#include "util/FmxUtils.h"
#include "util/InstallLayout.h"
#include "util/Messages.h"
#include "util/RunAndWait.h"

#include <shellapi.h>

#include <vector>

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

struct BuildOutputs {
    std::vector<std::wstring> built;    // in the builder's folder
    std::vector<std::wstring> targets;  // in the WAD folder
};

BuildOutputs OutputsOf(const std::wstring& wadName, const std::wstring& builderFolder, const std::wstring& wadFolder)
{
    BuildOutputs outputs;
    for (const wchar_t* extension : {L".sfx", L".sam"}) {
        const std::wstring name = ChangeFileExt(wadName, extension);
        outputs.built.push_back(builderFolder + name);
        outputs.targets.push_back(wadFolder + name);
    }
    return outputs;
}

void RefuseWhenNotWritten(const std::vector<std::wstring>& built)
{
    for (const std::wstring& output : built)
        if (!FileExists(output))
            throw SfxNotInstalled(FormatMessageText(msg::SoundBuilderOutputMissing, output));
}

// Once installed, the outputs are no longer needed in the builder's folder.
void DeleteBuilderCopies(const std::vector<std::wstring>& built)
{
    for (const std::wstring& output : built)
        DeleteFileW(output.c_str());
}

// Returns the shell's code; above 32 the builder ran and its outputs are
// installed. Raises SfxNotInstalled.
std::intptr_t BuildAndInstall(HWND owner, const std::wstring& builderFile, const std::wstring& parameter,
                              const std::wstring& builderFolder, const BuildOutputs& outputs)
{
    EarlierOutputs earlier(outputs.built);
    const std::intptr_t code = RunBuilder(owner, builderFile, parameter, builderFolder);
    if (code <= 32)
        return code;
    RefuseWhenNotWritten(outputs.built);
    earlier.Drop();
    InstallTogether(outputs.built, outputs.targets);
    DeleteBuilderCopies(outputs.built);
    return code;
}

} // namespace

void SoundArea::BtConvertSFXClick(TFicheChoixWad& ficheChoixWad)
{
    const std::wstring wadFolder = IncludeTrailingBackslash(layout::InstallPath(host_.InstallationRoot(), layout::WadFolder));
    if (!FolderExists(wadFolder)) {
        host_.dialogs().MessageDlg(host_.hwnd(), msg::WadFolderMissing, DialogKind::Error, {DialogButton::Ok});
        return;
    }
    if (host_.dialogs().ShowModal(host_.hwnd(), ficheChoixWad) != ModalResult::Ok)
        return;
    const std::wstring parameter = ficheChoixWad.WadChoisi();
    if (parameter.empty()) {
        host_.dialogs().MessageDlg(host_.hwnd(), msg::NoWadChosen, DialogKind::Error, {DialogButton::Ok});
        return;
    }
    const std::wstring wadName = wad::WadNameOf(parameter);
    const std::wstring builder = layout::InstallPath(host_.InstallationRoot(), layout::SoundBuilder);
    if (!FileExists(builder)) {
        host_.dialogs().MessageDlg(host_.hwnd(), FormatMessageText(msg::SoundBuilderMissing, builder), DialogKind::Error,
                            {DialogButton::Ok});
        return;
    }
    const std::wstring builderFolder =
        IncludeTrailingBackslash(layout::InstallPath(host_.InstallationRoot(), layout::SoundBuilderFolder));
    const BuildOutputs outputs = OutputsOf(wadName, builderFolder, wadFolder);
    std::intptr_t code = 0;
    try {
        code = BuildAndInstall(host_.hwnd(), layout::InstallPath(host_.InstallationRoot(), layout::SoundBuilderNoExt), parameter,
                               builderFolder, outputs);
    } catch (const SfxNotInstalled& refused) {
        host_.dialogs().MessageDlg(host_.hwnd(), refused.text(), DialogKind::Error, {DialogButton::Ok});
        return;
    }
    if (code <= 32) {
        const auto name = wad::StartFailureName(code);
        host_.dialogs().ShowMessage(host_.hwnd(), std::to_wstring(code) + L"  " +
                                         std::wstring(name ? *name : msg::SoundBuilderNotStarted));
        return;
    }
    const SoundSetReport report = ReportBuiltSoundSet(outputs.targets[0], outputs.targets[1], builderFolder);
    host_.dialogs().MessageDlg(host_.hwnd(), report.text, report.damaged ? DialogKind::Warning : DialogKind::Information,
                        {DialogButton::Ok});
}

} // namespace tessark
