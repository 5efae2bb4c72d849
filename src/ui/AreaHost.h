#pragma once
// What a work area needs of the window that holds it: its handle and
// dialogs, the installation it works on, the other controls by id, the
// switch between areas, the status bar and the drop target. The main window
// implements it; the areas know no more of it than this.
#include "ui/Dialogs.h"
#include "util/Win32.h"

#include <string>
#include <string_view>

namespace tessark {

enum class WorkArea { None, Script, Sound, Picture };

// The state of one common file dialog: it proposes the name last chosen in it.
struct FileDialogState {
    std::wstring initialFolder;
    std::wstring fileName;
};

class IAreaHost {
public:
    virtual HWND hwnd() const = 0;
    virtual IDialogs& dialogs() = 0;
    // Always ends in '\'.
    virtual const std::wstring& InstallationRoot() const = 0;
    // Any control of the window, by its id (ui/ControlIds.h).
    virtual HWND Control(int controlId) const = 0;
    virtual void ShowWorkArea(WorkArea area) = 0;
    virtual void MakeDropTarget() = 0;
    virtual void SetStatusPanel(int panel, std::wstring_view text) = 0;
    // A control's hint "short|long": its long part in the status bar.
    virtual void ShowHint(std::wstring_view hint) = 0;
    virtual FileDialogState& OpenDialog() = 0;
    virtual FileDialogState& SaveDialog() = 0;
    // Runs a command of the window, as its menu or tool column would: the
    // labels of an area that act as menu entries lead here.
    virtual void RunCommand(int commandId) = 0;
    virtual void Close() = 0;

protected:
    ~IAreaHost() = default;
};

} // namespace tessark
