// The script editor area: its controls, their layout and the display handlers.
#include "script/ScriptArea.h"

#include "ui/ControlIds.h"
#include "script/LastResort.h"
#include "ui/Dpi.h"
#include "ui/AreaHost.h"
#include "ui/Window.h"
#include "script/ReportPanel.h"
#include "ui/ScintillaEdit.h"
#include "util/FmxUtils.h"
#include "util/Messages.h"
#include "util/TextUtils.h"

#include <Scintilla.h>
#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cwchar>

namespace tessark {
namespace {

constexpr int StripHeight = 35;
constexpr int FrameCaptionHeight = 14;
constexpr int ToolButtonWidth = 23;
constexpr int FontSizeWidth = 26;
constexpr int UpDownWidth = 16;
constexpr int ToolBarTop = 5;
constexpr int ToolBarHeight = 26;
constexpr int ToolButtonHeight = 22;
constexpr int FontSizeTop = 7;
constexpr int FontSizeHeight = 21;
constexpr int EditorMargin = 6;
// The report under the editor: about six lines, a small gap above.
constexpr int ReportHeight = 90;
constexpr int ReportGap = 3;
// The strip's widest row: the file name, the return button, then the toolbar
// and the font size at the right.
constexpr int ReturnButtonRight = 148 + 170;

struct ToolItem {
    int id;
    const wchar_t* hint;
    int image;
};

// Left to right, with the pictures of the common controls' standard set.
constexpr std::array<ToolItem, 9> ToolItems = {{
    {id::Btnouveau, L"Nouveau", STD_FILENEW},
    {id::BtSauve, L"Sauver", STD_FILESAVE},
    {id::BtImprime, L"Imprimer", STD_PRINT},
    {id::BtDefaire, L"Rétablir", STD_UNDO},
    {id::BtCouper, L"Couper", STD_CUT},
    {id::BtCopier, L"Copier", STD_COPY},
    {id::ToolButton2, L"Coller", STD_PASTE},
    {id::BtChercher, L"Chercher", STD_FIND},
    {id::ToolButton1, L"", STD_PROPERTIES},
}};

constexpr std::wstring_view FontSizeHint = L"Font Size|Select font size";

constexpr char EditorFace[] = "Terminal";
// Scintilla's styles that hold text: the default, those a lexer gives and the
// line numbers; a size applies to all of them.
constexpr int LastTextStyle = STYLE_LINENUMBER;

// Room left and right of the text.
void ApplyMargins(ScintillaEdit& editor)
{
    const int margin = Scaled(editor.window(), EditorMargin);
    editor.Send(SCI_SETMARGINLEFT, 0, margin);
    editor.Send(SCI_SETMARGINRIGHT, 0, margin);
}

int ToolBarWidth()
{
    return static_cast<int>(ToolItems.size()) * ToolButtonWidth;
}

// Right of the toolbar: a gap, the font size box with its arrows, a gap.
constexpr int RightOfToolBar = 4 + FontSizeWidth + UpDownWidth + 4;

// The standard pictures come in two sizes; the larger from 150 % on.
int ToolImageSize(int dpi)
{
    return dpi >= 144 ? 24 : 16;
}

} // namespace

ScriptArea::ScriptArea(IAreaHost& host) : host_(host)
{
    CreateControls();
}

ScriptArea::~ScriptArea()
{
    lastresort::Forget(Editor());
}

HWND ScriptArea::Editor() const
{
    return editor_->window();
}

// The last-resort guard learns every change of the control, the document and
// its line ends as it happens: when the program dies, it asks nothing else.
void ScriptArea::KeepRescuePlanCurrent()
{
    const bool untitled = documentPath_.empty();
    lastresort::Watch(Editor(), script::RescuePlacesFor(documentPath_, untitled, host_.InstallationRoot()),
                      byteOrderMark_);
}

HWND ScriptArea::Control(int controlId) const
{
    switch (controlId) {
    case id::GroupBox1: return groupBox1_;
    case id::Panel2: return panel2_;
    case id::BtRetourSFX: return btRetourSFX_;
    case id::StaticTextFichier: return staticTextFichier_;
    case id::StandardToolBar: return toolBar_;
    case id::Editor: return Editor();
    case id::FontSize: return fontSize_;
    case id::UpDown1: return upDown1_;
    case id::ReportList: return report_->hwnd();
    default: return nullptr;
    }
}

void ScriptArea::CreateControls()
{
    groupBox1_ = CreatePanel(host_.hwnd(), id::GroupBox1, 0, 0, 10, 10, false);
    // The frame lies under the strip and the editor and never paints over them.
    frame_ = CreateChild(groupBox1_, L"BUTTON", L"[ ]", WS_VISIBLE | WS_CLIPSIBLINGS | BS_GROUPBOX, 0, 0, 10, 10,
                         id::GroupBox1Frame);
    panel2_ = CreatePanel(groupBox1_, id::Panel2, 2, FrameCaptionHeight, 10, StripHeight, true);
    staticTextFichier_ = CreateChild(panel2_, L"STATIC", L"", WS_VISIBLE | SS_CENTER | SS_SUNKEN |
                                     SS_ENDELLIPSIS, 6, 9, 137, 17, id::StaticTextFichier);
    // Shown once the sound catalogue has been opened here.
    btRetourSFX_ = CreateChild(panel2_, L"BUTTON", L"Retour vers l'éditeur de sons", WS_TABSTOP | BS_PUSHBUTTON, 148,
                               5, ReturnButtonRight - 148, 26, id::BtRetourSFX);
    CreateToolBar();
    CreateFontSizeBox();

    CreateEditor();
    report_ = std::make_unique<ReportPanel>(groupBox1_, id::ReportList);
    SetWindowPos(frame_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void ScriptArea::CreateEditor()
{
    const int editorTop = Scaled(groupBox1_, FrameCaptionHeight + StripHeight);
    editor_ = std::make_unique<ScintillaEdit>(
        groupBox1_, id::Editor,
        RECT{Scaled(groupBox1_, 2), editorTop, Scaled(groupBox1_, 12), editorTop + Scaled(groupBox1_, 10)},
        WS_EX_CLIENTEDGE);
    editor_->Send(SCI_SETCODEPAGE, 0);
    editor_->Send(SCI_STYLESETFONT, STYLE_DEFAULT, reinterpret_cast<std::intptr_t>(EditorFace));
    editor_->Send(SCI_STYLESETCHARACTERSET, STYLE_DEFAULT, SC_CHARSET_ANSI);
    editor_->Send(SCI_STYLECLEARALL);
    // Only the margins this editor sets up itself.
    editor_->Send(SCI_SETMARGINWIDTHN, 1, 0);
    editor_->Send(SCI_SETSCROLLWIDTHTRACKING, true);
    editor_->Send(SCI_SETSCROLLWIDTH, 1);
    editor_->Send(SCI_SETMODEVENTMASK, SC_MOD_INSERTTEXT | SC_MOD_DELETETEXT);
    ApplyMargins(*editor_);
    SetUpNavigation();
    SetUpColours();
    SetUpMarks();
    SetUpSuggestions();
    editor_->FilterInput([this](std::wstring_view text) { return AcceptInput(text); });
}

void ScriptArea::CreateToolBar()
{
    const int dpi = DpiOf(panel2_);
    toolBar_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"",
                               WS_CHILD | WS_VISIBLE | WS_TABSTOP | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NORESIZE |
                                   CCS_NODIVIDER | CCS_NOPARENTALIGN,
                               0, Scale(ToolBarTop, dpi), Scale(ToolBarWidth(), dpi), Scale(ToolBarHeight, dpi),
                               panel2_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id::StandardToolBar)),
                               GetModuleHandleW(nullptr), nullptr);
    SendMessageW(toolBar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    const int imageSize = ToolImageSize(dpi);
    SendMessageW(toolBar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(imageSize, imageSize));
    SendMessageW(toolBar_, TB_LOADIMAGES, imageSize == 16 ? IDB_STD_SMALL_COLOR : IDB_STD_LARGE_COLOR,
                 reinterpret_cast<LPARAM>(HINST_COMMCTRL));
    std::array<TBBUTTON, ToolItems.size()> buttons{};
    for (std::size_t i = 0; i < ToolItems.size(); ++i) {
        buttons[i].iBitmap = ToolItems[i].image;
        buttons[i].idCommand = ToolItems[i].id;
        buttons[i].fsState = ToolItems[i].id == id::ToolButton1 ? 0 : TBSTATE_ENABLED;
        buttons[i].fsStyle = BTNS_BUTTON;
        buttons[i].iString = -1;
    }
    SendMessageW(toolBar_, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    SendMessageW(toolBar_, TB_SETBUTTONSIZE, 0,
                 MAKELPARAM(Scale(ToolButtonWidth, dpi), Scale(ToolButtonHeight, dpi)));
}

// The toolbar's pictures are chosen for the DPI when it is made: a new one
// takes the old one's place in the strip.
void ScriptArea::RemakeToolBar()
{
    HWND old = toolBar_;
    CreateToolBar();
    SetWindowPos(toolBar_, old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    DestroyWindow(old);
}

void ScriptArea::CreateFontSizeBox()
{
    fontSize_ = CreateChild(panel2_, L"EDIT", L"", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0, FontSizeTop,
                            FontSizeWidth, FontSizeHeight, id::FontSize, WS_EX_CLIENTEDGE);
    upDown1_ = CreateChild(panel2_, UPDOWN_CLASSW, L"", WS_VISIBLE | UDS_ARROWKEYS, 0, FontSizeTop, UpDownWidth,
                           FontSizeHeight, id::UpDown1);
    SendMessageW(upDown1_, UDM_SETRANGE32, 1, 3);
    SendMessageW(upDown1_, UDM_SETPOS32, 0, upDownPosition_);

    hintTip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, host_.hwnd(), nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = panel2_;
    tool.uId = reinterpret_cast<UINT_PTR>(fontSize_);
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(hintTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

int ScriptArea::MinimumWidth()
{
    return 2 + ReturnButtonRight + 4 + ToolBarWidth() + RightOfToolBar + 2;
}

// `width` and `height` are the area's in pixels; the rest is in units.
void ScriptArea::LayOut(int width, int height)
{
    const auto scaled = [this](int units) { return Scaled(groupBox1_, units); };
    MoveWindow(frame_, 0, 0, width, height, TRUE);
    const int stripWidth = std::max(0, width - scaled(4));
    MoveWindow(panel2_, scaled(2), scaled(FrameCaptionHeight), stripWidth, scaled(StripHeight), TRUE);
    const int right = stripWidth - scaled(4);
    const int upDownLeft = right - scaled(UpDownWidth);
    const int fontSizeLeft = upDownLeft - scaled(FontSizeWidth);
    MoveWindow(upDown1_, upDownLeft, scaled(FontSizeTop), scaled(UpDownWidth), scaled(FontSizeHeight), TRUE);
    MoveWindow(fontSize_, fontSizeLeft, scaled(FontSizeTop), scaled(FontSizeWidth), scaled(FontSizeHeight), TRUE);
    MoveWindow(toolBar_, fontSizeLeft - scaled(4 + ToolBarWidth()), scaled(ToolBarTop), scaled(ToolBarWidth()),
               scaled(ToolBarHeight), TRUE);
    // Right under the strip, whatever the rounding of each.
    const int editorTop = scaled(FrameCaptionHeight) + scaled(StripHeight);
    // The report keeps its room even while empty: Wine's control takes
    // seconds to lay a long text out again when the editor is resized.
    const int reportTop = height - scaled(2) - scaled(ReportHeight);
    const int editorBottom = reportTop - scaled(ReportGap);
    MoveWindow(Editor(), scaled(2), editorTop, stripWidth, std::max(0, editorBottom - editorTop), TRUE);
    MoveWindow(report_->hwnd(), scaled(2), reportTop, stripWidth, scaled(ReportHeight), TRUE);
}

void ScriptArea::DpiChanged()
{
    RemakeToolBar();
    ApplySize(fontPoints_);
    ApplyMargins(*editor_);
    FitMarkMargin();
    report_->FitToFont();
}

std::wstring ScriptArea::HintOf(UINT_PTR toolId, bool byWindow) const
{
    if (byWindow)
        return reinterpret_cast<HWND>(toolId) == fontSize_ ? std::wstring(FontSizeHint) : std::wstring();
    for (const auto& item : ToolItems)
        if (static_cast<UINT_PTR>(item.id) == toolId)
            return item.hint;
    return {};
}

void ScriptArea::SetUpTextAttributes(int points)
{
    ApplySize(points);
}

void ScriptArea::SetDocumentName(std::wstring name)
{
    if (name == UnnamedDocument) {
        NameDocument({}, std::move(name));
        return;
    }
    std::wstring path = ExpandFileName(name);
    NameDocument(std::move(path), std::move(name));
}

void ScriptArea::NameDocument(std::wstring path, std::wstring shownName)
{
    documentPath_ = std::move(path);
    documentName_ = std::move(shownName);
    KeepRescuePlanCurrent();
}

void ScriptArea::SetEditorMargins()
{
    ApplyMargins(*editor_);
}

int ScriptArea::SelectedSize() const
{
    return fontPoints_;
}

// Scintilla has no attributes of a selection: a size is the whole text's.
// It draws points at the screen's DPI; on a window at another DPI the text
// is drawn larger or smaller by as much, so that a point looks the same there.
void ScriptArea::ApplySize(int points)
{
    fontPoints_ = points;
    const long long hundredths = 100LL * points * DpiOf(Editor()) / SystemDpi();
    for (int style = 0; style <= LastTextStyle; ++style)
        editor_->Send(SCI_STYLESETSIZEFRACTIONAL, static_cast<std::uintptr_t>(style),
                      static_cast<std::intptr_t>(hundredths));
    FitLineNumbers();
}

} // namespace tessark
