// "Convertir le Script": runs the level editor's script compiler on the
// installation's script.txt and waits for it to end.
#include "util/HourGlass.h"
#include "app/MainForm.h"
#include "util/CommandLine.h"
#include "util/FmxUtils.h"
#include "util/InstallLayout.h"
#include "util/Messages.h"
#include "util/RunAndWait.h"

namespace tessark {
namespace {

// The compiler's window may still be closing; the pause lets the user see that
// the work is over before the window takes input again.
constexpr DWORD PauseAfterCompiler = 2000;

} // namespace

void TMainForm::BtConvertScriptClick()
{
    const std::wstring folder = layout::InstallPath(installationRoot_, layout::ScriptFolder);
    const std::wstring compiler = folder + L"\\" + std::wstring(layout::ScriptCompiler);
    if (!FileExists(compiler)) {
        dialogs_.MessageDlg(hwnd(), FormatMessageText(msg::ScriptCompilerMissing, compiler), DialogKind::Error,
                            {DialogButton::Ok});
        return;
    }
    bool started = false;
    {
        HourGlass hourGlass;
        // One run, in the script folder, so that it compiles that folder's script.txt.
        started = RunAndWait(CommandLine(compiler, {layout::ScriptFile}), folder);
        if (started)
            WaitWhileRepainting(nullptr, PauseAfterCompiler);
    }
    if (!started)
        dialogs_.MessageDlg(hwnd(), FormatMessageText(msg::ScriptCompilerNotStarted, compiler), DialogKind::Error,
                            {DialogButton::Ok});
}

} // namespace tessark
