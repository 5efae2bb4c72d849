#pragma once
// The main window: the tool column, the three work areas, the menu and the
// status bar. Each work area's controls and handlers live in their own class;
// this one switches between them and owns what they share.
#include "ui/AreaHost.h"
#include "ui/Dialogs.h"
#include "ui/MessageLoop.h"
#include "ui/Window.h"
#include "image/PictureArea.h"
#include "script/ScriptArea.h"
#include "sound/SoundArea.h"

#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

namespace tessark {

struct StartupArguments {
    std::wstring programPath;         // argument 0
    std::vector<std::wstring> others; // argument 1 on
};

class TFicheChoixWad;
class TFicheAide;
class TFicheAPropos;

class TMainForm final : public Window, public IAreaHost, public IMessageFilter {
public:
    TMainForm(IDialogs& dialogs, StartupArguments arguments);
    ~TMainForm() override;

    // Shows the window; the first time, runs FormShow.
    void Show(int showCommand);
    // Pre-dispatch handling of a queued message: the find dialogs, the action
    // list's shortcuts, Escape in the help window and the dialog keys of this
    // window (Tab, Enter). Returns true when the message was consumed.
    bool PreTranslate(MSG& message) override;

    HWND hwnd() const override { return Window::hwnd(); }
    const std::wstring& InstallationRoot() const override { return installationRoot_; }
    IDialogs& dialogs() override { return dialogs_; }
    HWND Control(int controlId) const override;
    WorkArea ShownArea() const { return shownArea_; }
    bool IsDropTarget() const { return dropTarget_; }
    ScriptArea& Script() { return *script_; }
    PictureArea& Pictures() { return *picture_; }
    SoundArea& Sounds() { return *sounds_; }
    TFicheChoixWad& FicheChoixWad() { return *ficheChoixWad_; }
    TFicheAide& FicheAide() { return *ficheAide_; }
    TFicheAPropos& FicheAPropos() { return *ficheAPropos_; }

    // Used by the work areas.
    void ShowWorkArea(WorkArea area) override;
    void MakeDropTarget() override;
    void SetStatusPanel(int panel, std::wstring_view text) override;
    void ShowHint(std::wstring_view hint) override;
    FileDialogState& OpenDialog() override { return openDialog_; }
    FileDialogState& SaveDialog() override { return saveDialog_; }
    void RunCommand(int commandId) override { OnCommand(commandId); }
    HWND WorkAreaWindow(WorkArea area) const;

    // Window events.
    void FormCreate();
    void FormShow();
    void FormResize();
    void FormPaint();
    void FormCloseQuery(bool& canClose);
    void HandleDroppedFiles(HDROP drop);
    // Log-off or shutdown: the unsaved-text question (false refuses the end),
    // then the rescue of the unsaved text when the session ends anyway.
    bool QueryEndSession(LPARAM reason);
    void EndSession(bool ending, LPARAM reason);

    // Tool column and menu. The conversions are their areas' own handlers.
    void BtConvertScriptClick() { script_->BtConvertScriptClick(); }
    void BtVerifScriptClick() { script_->BtVerifScriptClick(); }
    void SetCompilerPatience(DWORD milliseconds) { script_->SetCompilerPatience(milliseconds); }
    void BtEditSonClick();
    void BtConvertSFXClick() { sounds_->BtConvertSFXClick(*ficheChoixWad_); }
    // The sound catalogue borrows the script editor while the tool column waits.
    void MenuTexteSFXClick();
    void BtRetourSFXClick();
    void MenuAideEditeurSonsClick();
    void BtEditLogoClick();
    void BtEditCielClick();
    void BtConvertLogoClick() { picture_->BtConvertLogoClick(); }
    void BtconvertCielClick() { picture_->BtconvertCielClick(); }
    void Quitter1Click();
    void Apropos1Click();
    void Aide1Click();
    void Close() override;

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
    std::wstring commandLineFile_;   // argument 1 as a full path
    bool textLetGoAtSessionEnd_ = false;
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
    std::wstring statusTexts_[3];
};

} // namespace tessark
