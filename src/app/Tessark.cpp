// The program's entry: the main window on the installation the program sits in.
#include "script/LastResort.h"
#include "app/MainForm.h"
#include "ui/MessageLoop.h"
#include "ui/Win32Dialogs.h"
#include "ui/ScintillaEdit.h"

#include <commctrl.h>
#include <ole2.h>
#include <shellapi.h>

namespace {

tessark::StartupArguments ReadArguments()
{
    tessark::StartupArguments arguments;
    // The program's own full path, whatever form argument 0 was typed in.
    std::wstring self(32768, L'\0');
    self.resize(GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
    arguments.programPath = self;
    int count = 0;
    if (LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 1; i < count; ++i)
            arguments.others.emplace_back(words[i]);
        LocalFree(words);
    }
    return arguments;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int showCommand)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    // Like the common controls: the text control's class, ready for any window.
    tessark::RegisterScintilla();
    OleInitialize(nullptr);
    tessark::lastresort::Install();
    tessark::Win32Dialogs dialogs;
    int exitCode = 0;
    tessark::RunGuarded(dialogs, nullptr, [&] {
        tessark::TMainForm form(dialogs, ReadArguments());
        form.Show(showCommand);
        exitCode = tessark::RunMessageLoop(form);
    });
    OleUninitialize();
    return exitCode;
}
