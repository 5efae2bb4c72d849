// "Exécuter  LevelVUDEvizuzi": the level editor's sound-set builder makes the
// .sfx and .sam files of the WAD chosen in the chooser, which then go into the
// WAD folder together, or not at all.
#include "util/HourGlass.h"
#include "sound/SoundArea.h"
#include "ui/AreaHost.h"
#include "ui/PatienceQuestion.h"
#include "sound/SfxOutputs.h"
#include "sound/SoundSetReport.h"
#include "sound/UnitChoixWad.h"
#include "sound/WadNames.h"
#include "util/FileNames.h"
#include "util/FmxUtils.h"
#include "util/InstallLayout.h"
#include "util/Messages.h"
#include "util/RunAndWait.h"
#include "util/Win32Handle.h"

#include <shellapi.h>

#include <optional>
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

struct BuilderRun {
    std::intptr_t shellCode = 0;
    bool stopped = false;
    std::optional<DWORD> exitCode;  // none when the shell gave no process
};

// Starts the builder through the shell, hidden, and waits for its end, the
// window repainting meanwhile and the user asked after each `patience` whether
// to stop it.
BuilderRun RunBuilder(HWND owner, const std::wstring& file, const std::wstring& parameters,
                      const std::wstring& folder, DWORD patience, const KeepWaiting& keepWaiting)
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
    BuilderRun run;
    run.shellCode = reinterpret_cast<std::intptr_t>(start.hInstApp);
    if (start.hProcess) {
        const Handle process(start.hProcess);
        const ToolRun waited = WaitWithPatience(process.get(), patience, keepWaiting);
        run.stopped = waited.outcome == ToolRun::Outcome::Stopped;
        run.exitCode = waited.exitCode;
    } else if (run.shellCode > 32) {
        WaitWhileRepainting(nullptr, PauseWithoutProcess);
    }
    return run;
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

// A builder that was stopped or failed, or whose outputs are missing or
// damaged, installs nothing.
void RefuseUnlessBuilt(const BuilderRun& run, const std::vector<std::wstring>& built)
{
    if (run.stopped)
        throw SfxNotInstalled(std::wstring(msg::SoundBuilderStopped));
    if (run.exitCode && *run.exitCode != 0)
        throw SfxNotInstalled(FormatMessageText(msg::SoundBuilderFailed, std::to_wstring(*run.exitCode)));
    RefuseWhenNotWritten(built);
}

struct BuildResult {
    std::intptr_t shellCode = 0;
    SoundSetReport report;
};

// Above 32 the builder ran, and its outputs, read and found good, are
// installed. Raises SfxNotInstalled.
BuildResult BuildAndInstall(HWND owner, const std::wstring& builderFile, const std::wstring& parameter,
                            const std::wstring& builderFolder, const BuildOutputs& outputs, DWORD patience,
                            const KeepWaiting& keepWaiting)
{
    EarlierOutputs earlier(outputs.built);
    const BuilderRun run = RunBuilder(owner, builderFile, parameter, builderFolder, patience, keepWaiting);
    if (run.shellCode <= 32)
        return {run.shellCode, {}};
    RefuseUnlessBuilt(run, outputs.built);
    SoundSetReport report = ReportBuiltSoundSet(outputs.built[0], outputs.built[1], builderFolder);
    if (report.damaged)
        throw SfxNotInstalled(report.text);
    earlier.Drop();
    InstallTogether(outputs.built, outputs.targets);
    DeleteBuilderCopies(outputs.built);
    return {run.shellCode, std::move(report)};
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
    if (!wad::IsPlainFileName(wadName)) {
        host_.dialogs().MessageDlg(host_.hwnd(), FormatMessageText(msg::WadNameNotPlain, wadName), DialogKind::Error,
                                   {DialogButton::Ok});
        return;
    }
    const std::wstring builder = layout::InstallPath(host_.InstallationRoot(), layout::SoundBuilder);
    if (!FileExists(builder)) {
        host_.dialogs().MessageDlg(host_.hwnd(), FormatMessageText(msg::SoundBuilderMissing, builder), DialogKind::Error,
                            {DialogButton::Ok});
        return;
    }
    const std::wstring builderFolder =
        IncludeTrailingBackslash(layout::InstallPath(host_.InstallationRoot(), layout::SoundBuilderFolder));
    const BuildOutputs outputs = OutputsOf(wadName, builderFolder, wadFolder);
    BuildResult result;
    try {
        result = BuildAndInstall(host_.hwnd(), layout::InstallPath(host_.InstallationRoot(), layout::SoundBuilderNoExt),
                                 parameter, builderFolder, outputs, builderPatience_,
                                 AskWhetherToStop(host_.dialogs(), host_.hwnd(), msg::SoundBuilderStillRunning,
                                                  builderPatience_));
    } catch (const SfxNotInstalled& refused) {
        host_.dialogs().MessageDlg(host_.hwnd(), refused.text(), DialogKind::Error, {DialogButton::Ok});
        return;
    }
    if (result.shellCode <= 32) {
        const auto name = wad::StartFailureName(result.shellCode);
        host_.dialogs().ShowMessage(host_.hwnd(), std::to_wstring(result.shellCode) + L"  " +
                                                      std::wstring(name ? *name : msg::SoundBuilderNotStarted));
        return;
    }
    host_.dialogs().MessageDlg(host_.hwnd(), result.report.text, DialogKind::Information, {DialogButton::Ok});
}

} // namespace tessark
