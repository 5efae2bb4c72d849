// The main window's tool column, its menu and keyboard shortcuts, and the
// commands they run: each opens an area or hands over to the area's handler.
#include "app/MainForm.h"
#include "app/ToolColumn.h"

#include "app/FicheAideSFX.h"
#include "app/UnitApropos.h"
#include "ui/ControlIds.h"
#include "ui/Window.h"
#include "util/FmxUtils.h"
#include "util/InstallLayout.h"

#include <array>

namespace tessark {
namespace {

constexpr int ToolButtonHeight = 25;
// Below the last button of the tool column.
constexpr int ToolColumnBottomMargin = 8;

struct ToolControl {
    int id;
    const wchar_t* caption;
    int top;
    bool isButton;
    bool enabledAtStart;
};

constexpr std::array<ToolControl, 13> ToolColumn = {{
    {id::Label1, L"Editeur convertisseur de scripts", 32, false, true},
    {id::BtEditScript, L"Editer un script", 48, true, true},
    {id::BtConvertScript, L"Convertir le Script", 74, true, false},
    {id::BtVerifScript, L"Vérifier le script", 100, true, false},
    {id::Label2, L"Editeur créateur de sons", 136, false, true},
    {id::BtEditSon, L"Editer des sons", 152, true, true},
    {id::BtConvertSFX, L"Exécuter  LevelVUDEvizuzi", 178, true, false},
    {id::Label3, L"Editeur de titre et de logo", 240, false, true},
    {id::BtEditLogo, L"Choisir une image BMP ou RAW", 255, true, true},
    {id::BtConvertLogo, L"Exécuter  Logo Packer", 281, true, false},
    {id::Label11, L"Changer une texture de ciel", 344, false, true},
    {id::BtEditCiel, L"Choisir une image BMP ou RAW", 360, true, true},
    {id::BtconvertCiel, L"Sauver la texture du ciel", 387, true, false},
}};

} // namespace

int toolcolumn::Bottom()
{
    return ToolColumn.back().top + ToolButtonHeight + ToolColumnBottomMargin;
}

HMENU TMainForm::CreateMainMenu()
{
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, id::Quitter1, L"Quitter");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"Fichier");
    HMENU script = CreatePopupMenu();
    AppendMenuW(script, MF_STRING, id::CompilerTessark1, L"Compiler avec Tessark");
    AppendMenuW(script, MF_STRING, id::LireScriptDat1, L"Lire le SCRIPT.DAT");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(script), L"Script");
    AppendMenuW(bar, MF_STRING, id::Apropos1, L"A propos");
    AppendMenuW(bar, MF_STRING, id::Aide1, L"Aide");
    return bar;
}

void TMainForm::CreateToolColumn()
{
    panel1_ = CreatePanel(hwnd(), id::Panel1, 0, 0, toolcolumn::Width, 10, true);
    for (const auto& control : ToolColumn) {
        HWND child = control.isButton
                         ? CreateChild(panel1_, L"BUTTON", control.caption, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                       6, control.top, 165, ToolButtonHeight, control.id)
                         : CreateChild(panel1_, L"STATIC", control.caption, WS_VISIBLE | SS_LEFT, 6, control.top,
                                       165, 15, control.id);
        EnableWindow(child, control.enabledAtStart);
    }
}

void TMainForm::CreateActionList()
{
    ACCEL shortcuts[] = {
        {FVIRTKEY | FCONTROL, 'O', id::FileOpenCmd},
        {FVIRTKEY | FCONTROL, 'S', id::FileSaveCmd},
        {FVIRTKEY | FCONTROL, 'P', id::FilePrintCmd},
        {FVIRTKEY | FALT, 'X', id::FileExitCmd},
        {FVIRTKEY | FCONTROL, 'N', id::FileNewCmd},
        {FVIRTKEY | FCONTROL, 'G', id::GoToLineCmd},
        {FVIRTKEY, VK_F5, id::OpenIncludeCmd},
        {FVIRTKEY | FCONTROL, VK_SPACE, id::CompleteCmd},
    };
    actionList_ = CreateAcceleratorTableW(shortcuts, static_cast<int>(std::size(shortcuts)));
}

void TMainForm::BtEditSonClick()
{
    ShowWorkArea(WorkArea::Sound);
    EnableWindow(Control(id::BtConvertSFX), TRUE);
    sounds_->Opened();
}

void TMainForm::BtEditLogoClick()
{
    picture_->EnterMode(PictureMode::Logo);
}

void TMainForm::BtEditCielClick()
{
    picture_->EnterMode(PictureMode::Sky);
}

void TMainForm::Quitter1Click()
{
    DestroyWindow(hwnd());
}

void TMainForm::Apropos1Click()
{
    dialogs_.ShowModal(hwnd(), *ficheAPropos_);
}

// A missing help document is not reported: nothing happens.
void TMainForm::Aide1Click()
{
    const std::wstring path = layout::InstallPath(installationRoot_, layout::HelpDocument);
    if (!FileExists(path))
        return;
    ficheAide_->LoadDocument(path);
    ficheAide_->ShowInFront();
}

void TMainForm::MenuAideEditeurSonsClick()
{
    const std::wstring path = layout::InstallPath(installationRoot_, layout::HelpDocument);
    if (!FileExists(path))
        return;
    ficheAide_->LoadDocument(path);
    ficheAide_->ShowHelpKeyword(L"AUDIOSFX");
}

void TMainForm::OnCommand(int commandId)
{
    switch (commandId) {
    case id::BtEditScript:
    case id::FileOpenCmd: script_->FileOpen(); return;
    case id::FileSaveCmd: script_->FileSave(); return;
    case id::FileExitCmd: script_->FileExit(); return;
    case id::FileNewCmd: script_->FileNew(); return;
    case id::GoToLineCmd: script_->GoToLineClick(); return;
    case id::OpenIncludeCmd: script_->OpenIncludeAtCaret(); return;
    case id::CompleteCmd: script_->CompleteClick(); return;
    case id::FileSaveAsCmd: script_->FileSaveAs(); return;
    case id::FilePrintCmd: return;
    case id::BtConvertScript: BtConvertScriptClick(); return;
    case id::BtVerifScript: BtVerifScriptClick(); return;
    case id::BtEditSon: BtEditSonClick(); return;
    case id::BtConvertSFX: BtConvertSFXClick(); return;
    case id::BtRetourSFX: BtRetourSFXClick(); return;
    case id::MenuTexteSFX: MenuTexteSFXClick(); return;
    case id::MenuAideEditeurSons: MenuAideEditeurSonsClick(); return;
    case id::BtEditLogo: BtEditLogoClick(); return;
    case id::BtEditCiel: BtEditCielClick(); return;
    case id::BtConvertLogo: BtConvertLogoClick(); return;
    case id::BtconvertCiel: BtconvertCielClick(); return;
    case id::Quitter1: Quitter1Click(); return;
    case id::CompilerTessark1: script_->CompileWithTessarkClick(); return;
    case id::LireScriptDat1: script_->DescribeCompiledScriptClick(); return;
    case id::Apropos1: Apropos1Click(); return;
    case id::Aide1: Aide1Click(); return;
    default: return;
    }
}

} // namespace tessark
