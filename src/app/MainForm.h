#pragma once
// The main window: the tool column, the three work areas, the menu and the
// status bar. Each work area's controls and handlers live in their own class;
// this one switches between them and owns what they share.
#include "app/Dialogs.h"
#include "app/Window.h"
#include "image/PictureArea.h"
#include "script/ScriptArea.h"
#include "sound/SoundArea.h"

#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

namespace tessark {

enum class WorkArea { None, Script, Sound, Picture };

struct StartupArguments {
    std::wstring programPath;         // argument 0
    std::vector<std::wstring> others; // argument 1 on
};

// The state of one common file dialog: it proposes the name last chosen in it.
struct FileDialogState {
    std::wstring initialFolder;
    std::wstring fileName;
};

class TFicheChoixWad;
class TFicheAide;
class TFicheAPropos;

class TMainForm final : public Window {
public:
    TMainForm(IDialogs& dialogs, StartupArguments arguments);
    ~TMainForm() override;

    // Shows the window; the first time, runs FormShow.
    void Show(int showCommand);
    // Pre-dispatch handling of a queued message: the find dialogs, the action
    // list's shortcuts, Escape in the help window and the dialog keys of this
    // window (Tab, Enter). Returns true when the message was consumed.
    bool PreTranslate(MSG& message);

    const std::wstring& InstallationRoot() const { return installationRoot_; }
    IDialogs& dialogs() override { return dialogs_; }
    HWND Control(int controlId) const;
    WorkArea ShownArea() const { return shownArea_; }
    bool IsDropTarget() const { return dropTarget_; }
    ScriptArea& Script() { return *script_; }
    PictureArea& Pictures() { return *picture_; }
    SoundArea& Sounds() { return *sounds_; }
    TFicheChoixWad& FicheChoixWad() { return *ficheChoixWad_; }
    TFicheAide& FicheAide() { return *ficheAide_; }
    TFicheAPropos& FicheAPropos() { return *ficheAPropos_; }

    // Used by the work areas.
    void ShowWorkArea(WorkArea area);
    void MakeDropTarget();
    void SetStatusPanel(int panel, std::wstring_view text);
    void ShowHint(std::wstring_view hint);
    FileDialogState& OpenDialog() { return openDialog_; }
    FileDialogState& SaveDialog() { return saveDialog_; }
    HWND WorkAreaWindow(WorkArea area) const;

    // Window events.
    void FormCreate();
    void FormShow();
    void FormResize();
    void FormPaint();
    void FormCloseQuery(bool& canClose);
    void HandleDroppedFiles(HDROP drop);

    // Tool column and menu.
    void BtConvertScriptClick();
    void BtVerifScriptClick();
    // How long the script compiler runs before the user is asked whether to
    // stop it, and again after each such wait.
    void SetCompilerPatience(DWORD milliseconds) { compilerPatience_ = milliseconds; }
    void BtEditSonClick();
    void BtConvertSFXClick();
    void MenuTexteSFXClick();
    void BtRetourSFXClick();
    void MenuAideEditeurSonsClick();
    void BtEditLogoClick();
    void BtEditCielClick();
    void BtConvertLogoClick();
    void BtconvertCielClick();
    void Quitter1Click();
    void Apropos1Click();
    void Aide1Click();
    void Close();

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DpiChanged() override;

private:
    void CreateToolColumn();
    void CreateStatusBar();
    void SetStatusPanelEdges();
    void KeepMinimumTrackSize(MINMAXINFO& limits) const;
    HMENU CreateMainMenu();
    void CreateActionList();
    void OnCommand(int commandId);
    LRESULT OnNotify(NMHDR& header);
    void LayOut();
    void RedrawAfterLayOut(HWND area);
    RECT WorkAreaRect() const;

    IDialogs& dialogs_;
    StartupArguments arguments_;
    std::wstring installationRoot_;
    FileDialogState openDialog_;
    FileDialogState saveDialog_;
    HACCEL actionList_ = nullptr;
    HWND panel1_ = nullptr;
    HWND statusBar_ = nullptr;
    HWND panel3_ = nullptr;
    HWND panel4_ = nullptr;
    std::unique_ptr<ScriptArea> script_;
    std::unique_ptr<PictureArea> picture_;
    std::unique_ptr<SoundArea> sounds_;
    std::unique_ptr<TFicheChoixWad> ficheChoixWad_;
    std::unique_ptr<TFicheAide> ficheAide_;
    std::unique_ptr<TFicheAPropos> ficheAPropos_;
    WorkArea shownArea_ = WorkArea::None;
    bool dropTarget_ = false;
    bool shownOnce_ = false;
    DWORD compilerPatience_ = 60000;
    std::wstring statusTexts_[3];
};

} // namespace tessark
