#include "app/MainForm.h"
#include "app/ToolColumn.h"

#include "ui/ControlIds.h"
#include "ui/DialogKeys.h"
#include "ui/Dpi.h"
#include "app/FicheAideSFX.h"
#include "app/UnitApropos.h"
#include "sound/UnitChoixWad.h"
#include "util/InstallLayout.h"
#include "util/FileNames.h"
#include "util/FmxUtils.h"

#include <commctrl.h>
#include <shellapi.h>

#include <array>

namespace tessark {
namespace {

constexpr wchar_t MainClass[] = L"TessarkMainForm";
constexpr int FormWidth = 776;
constexpr int FormHeight = 538;
constexpr int StatusPanelRightEdges[3] = {120, 180, 230};

// The script starts at the interface's 8 points whatever the system's own
// message font (9 points on recent Windows) and the screen's scale.
constexpr int DefaultFontPoints = 8;

std::wstring DroppedFileName(HDROP drop, UINT index)
{
    const UINT length = DragQueryFileW(drop, index, nullptr, 0);
    if (length == 0)
        return {};
    std::wstring name(length + 1, L'\0');
    name.resize(DragQueryFileW(drop, index, name.data(), length + 1));
    return name;
}

} // namespace

TMainForm::TMainForm(IDialogs& dialogs, StartupArguments arguments)
    : dialogs_(dialogs), arguments_(std::move(arguments))
{
    // Made full before anything can change the current folder.
    if (!arguments_.others.empty() && !arguments_.others.front().empty())
        commandLineFile_ = ExpandFileName(arguments_.others.front());
    CreateTopLevel(MainClass, ApplicationTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, FormWidth, FormHeight,
                   CreateMainMenu());
    CreateToolColumn();
    CreateStatusBar();
    panel3_ = CreatePanel(hwnd(), id::Panel3, 0, 0, 10, 10, false);
    panel4_ = CreatePanel(hwnd(), id::Panel4, 0, 0, 10, 10, false);
    script_ = std::make_unique<ScriptArea>(*this);
    picture_ = std::make_unique<PictureArea>(*this);
    sounds_ = std::make_unique<SoundArea>(*this);
    CreateActionList();
    FormCreate();
    ficheChoixWad_ = std::make_unique<TFicheChoixWad>(dialogs_, installationRoot_);
    ficheAPropos_ = std::make_unique<TFicheAPropos>(dialogs_);
    ficheAide_ = std::make_unique<TFicheAide>(dialogs_);
    LayOut();
}

TMainForm::~TMainForm()
{
    if (HWND find = script_ ? script_->FindDialog() : nullptr)
        DestroyWindow(find);
    if (actionList_)
        DestroyAcceleratorTable(actionList_);
}

void TMainForm::FormCreate()
{
    SetWindowPos(hwnd(), nullptr, 0, 0, Scaled(hwnd(), FormWidth), Scaled(hwnd(), FormHeight),
                 SWP_NOMOVE | SWP_NOZORDER);
    installationRoot_ = InstallationRootFrom(arguments_.programPath);
    openDialog_.initialFolder = ExtractFilePath(arguments_.programPath);
    saveDialog_.initialFolder = ExtractFilePath(arguments_.programPath);
    sounds_->FormCreate(installationRoot_);
    script_->SetDocumentName(std::wstring(UnnamedDocument));
    script_->SelectionChange();
    // Setting the font marks the control as modified; the empty start text is not.
    script_->SetUpTextAttributes(DefaultFontPoints);
    script_->ClearModified();
}

void TMainForm::CreateStatusBar()
{
    statusBar_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, hwnd(),
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id::StatusBar)),
                                 GetModuleHandleW(nullptr), nullptr);
    UseGuiFont(statusBar_);
    SetStatusPanelEdges();
}

void TMainForm::SetStatusPanelEdges()
{
    int rightEdges[std::size(StatusPanelRightEdges)];
    for (std::size_t i = 0; i < std::size(rightEdges); ++i)
        rightEdges[i] = Scaled(hwnd(), StatusPanelRightEdges[i]);
    SendMessageW(statusBar_, SB_SETPARTS, std::size(rightEdges), reinterpret_cast<LPARAM>(rightEdges));
}

HWND TMainForm::Control(int controlId) const
{
    switch (controlId) {
    case id::Panel1: return panel1_;
    case id::Panel3: return panel3_;
    case id::Panel4: return panel4_;
    case id::StatusBar: return statusBar_;
    default: break;
    }
    if (HWND inColumn = GetDlgItem(panel1_, controlId))
        return inColumn;
    if (HWND inPictures = picture_ ? picture_->Control(controlId) : nullptr)
        return inPictures;
    if (HWND inSounds = sounds_ ? sounds_->Control(controlId) : nullptr)
        return inSounds;
    return script_->Control(controlId);
}

HWND TMainForm::WorkAreaWindow(WorkArea area) const
{
    switch (area) {
    case WorkArea::Script: return script_->GroupBox1();
    case WorkArea::Sound: return panel3_;
    case WorkArea::Picture: return panel4_;
    case WorkArea::None: break;
    }
    return nullptr;
}

void TMainForm::Show(int showCommand)
{
    ShowWindow(hwnd(), showCommand);
    UpdateWindow(hwnd());
    if (!shownOnce_) {
        shownOnce_ = true;
        FormShow();
    }
}

bool TMainForm::PreTranslate(MSG& message)
{
    if (script_->IsDialogMessageOfFind(message))
        return true;
    if (ficheAide_ && ficheAide_->IsDialogMessageOfFind(message))
        return true;
    // The action list acts in this window only, not in the help window.
    if (actionList_ && (message.hwnd == hwnd() || IsChild(hwnd(), message.hwnd)) &&
        TranslateAcceleratorW(hwnd(), actionList_, &message))
        return true;
    if (ficheAide_ && ficheAide_->CloseOnEscape(message))
        return true;
    return HandleDialogKeys(hwnd(), message);
}

void TMainForm::ShowWorkArea(WorkArea area)
{
    for (auto other : {WorkArea::Script, WorkArea::Sound, WorkArea::Picture})
        if (other != area)
            ShowWindow(WorkAreaWindow(other), SW_HIDE);
    shownArea_ = area;
    LayOut();
    ShowWindow(WorkAreaWindow(area), SW_SHOW);
}

void TMainForm::MakeDropTarget()
{
    if (dropTarget_)
        return;
    DragAcceptFiles(hwnd(), TRUE);
    dropTarget_ = true;
}

RECT TMainForm::WorkAreaRect() const
{
    RECT client{};
    GetClientRect(hwnd(), &client);
    RECT status{};
    GetWindowRect(statusBar_, &status);
    client.bottom -= status.bottom - status.top;
    client.left = Scaled(hwnd(), toolcolumn::Width);
    return client;
}

// The tool column whole, and the widest work area with nothing overlapping.
void TMainForm::KeepMinimumTrackSize(MINMAXINFO& limits) const
{
    if (!statusBar_)
        return;
    const int columnBottom = toolcolumn::Bottom();
    const int areaWidth = std::max(ScriptArea::MinimumWidth(), PictureArea::MinimumWidth());
    RECT status{};
    GetWindowRect(statusBar_, &status);
    RECT frame{0, 0, Scaled(hwnd(), toolcolumn::Width + areaWidth),
               Scaled(hwnd(), columnBottom) + (status.bottom - status.top)};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(hwnd(), GWL_STYLE)), TRUE,
                       static_cast<DWORD>(GetWindowLongPtrW(hwnd(), GWL_EXSTYLE)));
    limits.ptMinTrackSize = {frame.right - frame.left, frame.bottom - frame.top};
}

void TMainForm::DpiChanged()
{
    SetStatusPanelEdges();
    script_->DpiChanged();
    LayOut();
}

void TMainForm::LayOut()
{
    if (!statusBar_)
        return;
    SendMessageW(statusBar_, WM_SIZE, 0, 0);
    const RECT area = WorkAreaRect();
    MoveWindow(panel1_, 0, 0, area.left, std::max(0L, area.bottom), TRUE);
    if (HWND shown = WorkAreaWindow(shownArea_)) {
        const int width = std::max(0L, area.right - area.left), height = std::max(0L, area.bottom - area.top);
        MoveWindow(shown, area.left, area.top, width, height, TRUE);
        if (shownArea_ == WorkArea::Script)
            script_->LayOut(width, height);
        if (shownArea_ == WorkArea::Picture && picture_)
            picture_->LayOut(width, height);
        if (shownArea_ == WorkArea::Sound && sounds_)
            sounds_->LayOut(width, height);
        RedrawAfterLayOut(shown);
    }
}

// A moved control keeps the pixels it had where it still lies, and paints
// during the layout may happen while it overlaps a sibling not yet moved:
// the whole area draws afresh once every control is in place.
void TMainForm::RedrawAfterLayOut(HWND area)
{
    RedrawWindow(area, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

// Each key typed in the script sets its panels: the text the panel already
// shows is not sent again, which would redraw the status bar for nothing.
void TMainForm::SetStatusPanel(int panel, std::wstring_view text)
{
    if (statusTexts_[panel] == text)
        return;
    statusTexts_[panel] = text;
    // The second panel centres its text.
    std::wstring shown = panel == 1 ? L"\t" + std::wstring(text) : std::wstring(text);
    SendMessageW(statusBar_, SB_SETTEXTW, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(shown.c_str()));
}

void TMainForm::ShowHint(std::wstring_view hint)
{
    if (hint.empty()) {
        SendMessageW(statusBar_, SB_SIMPLE, FALSE, 0);
        return;
    }
    SendMessageW(statusBar_, SB_SIMPLE, TRUE, 0);
    const std::wstring text(hint);
    SendMessageW(statusBar_, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(text.c_str()));
}

void TMainForm::FormShow()
{
    if (IsWindowVisible(script_->GroupBox1()))
        script_->UpdateCaretPosition();
    if (commandLineFile_.empty() || !FileExists(commandLineFile_))
        return;
    // A file that cannot be read is reported; the program goes on with an empty editor.
    RunGuarded(dialogs_, hwnd(), [&] { script_->LoadDocument(commandLineFile_, arguments_.others.front()); });
}

void TMainForm::FormResize()
{
    LayOut();
    if (IsWindowVisible(script_->GroupBox1()))
        script_->SetEditorMargins();
    script_->SelectionChange();
}

void TMainForm::FormPaint()
{
    if (IsWindowVisible(script_->GroupBox1()))
        script_->SetEditorMargins();
}

void TMainForm::FormCloseQuery(bool& canClose)
{
    // A save that fails on the way out is shown; the window then stays open.
    try {
        canClose = script_->ConfirmSaveChanges();
    } catch (...) {
        canClose = false;
        ReportCurrentException(dialogs_, hwnd());
    }
}

void TMainForm::Close()
{
    bool canClose = true;
    FormCloseQuery(canClose);
    if (canClose)
        DestroyWindow(hwnd());
}

void TMainForm::HandleDroppedFiles(HDROP drop)
{
    struct ReleaseOnExit {
        HDROP drop;
        ~ReleaseOnExit() { DragFinish(drop); }
    } release{drop};
    if (!dropTarget_)
        return;
    const std::wstring name = DroppedFileName(drop, 0);
    if (name.empty() || !script_->ConfirmSaveChanges())
        return;
    script_->LoadDocument(name);
}

LRESULT TMainForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    static const UINT findMessage = RegisterWindowMessageW(FINDMSGSTRINGW);
    if (message == findMessage && script_)
        return script_->OnFindDialogMessage(message, lParam) ? 0 : 0;
    switch (message) {
    case WM_COMMAND:
        if (script_ && script_->OnCommand(LOWORD(wParam), HIWORD(wParam)))
            return 0;
        if (picture_ && picture_->OnCommand(LOWORD(wParam), HIWORD(wParam)))
            return 0;
        if (sounds_ && sounds_->OnCommand(LOWORD(wParam), HIWORD(wParam)))
            return 0;
        OnCommand(LOWORD(wParam));
        return 0;
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (script_ && script_->OnNotify(*reinterpret_cast<NMHDR*>(lParam), result))
            return result;
        return DefaultHandling(message, wParam, lParam);
    }
    case WM_VSCROLL:
        if (script_ && script_->OnScroll(reinterpret_cast<HWND>(lParam), LOWORD(wParam)))
            return 0;
        return DefaultHandling(message, wParam, lParam);
    case WM_HSCROLL:
        if (sounds_ && sounds_->OnScroll(reinterpret_cast<HWND>(lParam), LOWORD(wParam)))
            return 0;
        return DefaultHandling(message, wParam, lParam);
    case WM_DRAWITEM:
        if (sounds_ && sounds_->OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)))
            return TRUE;
        if (script_ && script_->OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)))
            return TRUE;
        return DefaultHandling(message, wParam, lParam);
    case WM_TIMER:
        if (sounds_ && sounds_->OnTimer(wParam))
            return 0;
        return DefaultHandling(message, wParam, lParam);
    case WM_SIZE:
        if (script_)
            FormResize();
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(hwnd(), &paint);
        EndPaint(hwnd(), &paint);
        if (script_)
            FormPaint();
        return 0;
    }
    case WM_GETMINMAXINFO:
        KeepMinimumTrackSize(*reinterpret_cast<MINMAXINFO*>(lParam));
        return 0;
    case WM_DROPFILES:
        HandleDroppedFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_CLOSE:
        Close();
        return 0;
    case WM_QUERYENDSESSION:
        return QueryEndSession(lParam) ? TRUE : FALSE;
    case WM_ENDSESSION:
        EndSession(wParam != FALSE, lParam);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefaultHandling(message, wParam, lParam);
    }
}

} // namespace tessark
