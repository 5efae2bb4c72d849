// The script editor area: its controls, their layout and the display handlers.
#include "script/ScriptArea.h"

#include "ui/ControlIds.h"
#include "script/LastResort.h"
#include "ui/Dpi.h"
#include "ui/AreaHost.h"
#include "ui/Window.h"
#include "script/ReportPanel.h"
#include "ui/RichEdit.h"
#include "util/FmxUtils.h"
#include "util/Messages.h"
#include "util/TextUtils.h"

#include <commctrl.h>
#include <richedit.h>

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
constexpr wchar_t EditorFace[] = L"Terminal";

// Room left and right of the text.
void ApplyMargins(HWND editor)
{
    RECT client{};
    GetClientRect(editor, &client);
    const int margin = Scaled(editor, EditorMargin);
    RECT format{margin, 0, client.right - margin, client.bottom};
    SendMessageW(editor, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&format));
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
    lastresort::Forget(editor_);
}

// The last-resort guard learns every change of the control, the document and
// its line ends as it happens: when the program dies, it asks nothing else.
void ScriptArea::KeepRescuePlanCurrent()
{
    const bool untitled = documentPath_.empty();
    lastresort::Watch(editor_, script::RescuePlacesFor(documentPath_, untitled, host_.InstallationRoot()), lineEnd_);
}

HWND ScriptArea::Control(int controlId) const
{
    switch (controlId) {
    case id::GroupBox1: return groupBox1_;
    case id::Panel2: return panel2_;
    case id::BtRetourSFX: return btRetourSFX_;
    case id::StaticTextFichier: return staticTextFichier_;
    case id::StandardToolBar: return toolBar_;
    case id::Editor: return editor_;
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

    editorFont_ = CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, OEM_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, L"Terminal");
    const int editorTop = Scaled(groupBox1_, FrameCaptionHeight + StripHeight);
    editor_ = CreateEditor({Scaled(groupBox1_, 2), editorTop, Scaled(groupBox1_, 12), editorTop + Scaled(groupBox1_, 10)},
                           true);
    report_ = std::make_unique<ReportPanel>(groupBox1_, id::ReportList);
    SetWindowPos(frame_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// `place` is in pixels: a fresh control goes exactly where the old one is.
HWND ScriptArea::CreateEditor(const RECT& place, bool visible)
{
    HWND editor = CreateChild(groupBox1_, richedit::ClassName(), L"",
                              (visible ? WS_VISIBLE : 0) | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
                              ES_AUTOHSCROLL | ES_NOHIDESEL | ES_WANTRETURN,
                              0, 0, 10, 10, id::Editor, WS_EX_CLIENTEDGE);
    MoveWindow(editor, place.left, place.top, place.right - place.left, place.bottom - place.top, FALSE);
    richedit::SetPlainTextMode(editor);
    SendMessageW(editor, WM_SETFONT, reinterpret_cast<WPARAM>(editorFont_), FALSE);
    SendMessageW(editor, EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_SELCHANGE);
    return editor;
}

// Wine's control empties a long text in a time that grows with the square of
// its length (minutes for a few megabytes), and takes one in faster while
// hidden. So a new text goes into a fresh hidden control set up as the old one
// (place, attributes, margins, read-only state), which then takes the old
// one's place and focus. When the system makes no control, or the text does
// not go in, the old control stays with its text.
ScriptArea::Replacement ScriptArea::ReplaceEditor(std::wstring_view text)
{
    HWND old = editor_;
    RECT place{};
    GetWindowRect(old, &place);
    MapWindowPoints(HWND_DESKTOP, groupBox1_, reinterpret_cast<POINT*>(&place), 2);
    HWND fresh = CreateEditor(place, false);
    if (!fresh)
        return Replacement::NoControl;
    SendMessageW(fresh, EM_SETREADONLY, (GetWindowLongPtrW(old, GWL_STYLE) & ES_READONLY) != 0, 0);
    richedit::SetDefaultFace(fresh, EditorFace, true, richedit::DefaultSize(old));
    richedit::ZoomToDpi(fresh, DpiOf(fresh), SystemDpi());
    ApplyMargins(fresh);
    if (!richedit::SetText(fresh, text)) {
        DestroyWindow(fresh);
        return Replacement::TextRefused;
    }
    const bool focused = GetFocus() == old;
    editor_ = fresh;
    SetWindowPos(fresh, old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    if (focused)
        SetFocus(fresh);
    DestroyWindow(old);
    KeepRescuePlanCurrent();
    return Replacement::Done;
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
    MoveWindow(editor_, scaled(2), editorTop, stripWidth, std::max(0, editorBottom - editorTop), TRUE);
    MoveWindow(report_->hwnd(), scaled(2), reportTop, stripWidth, scaled(ReportHeight), TRUE);
}

void ScriptArea::DpiChanged()
{
    RemakeToolBar();
    richedit::ZoomToDpi(editor_, DpiOf(editor_), SystemDpi());
    ApplyMargins(editor_);
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
    richedit::SetDefaultFace(editor_, EditorFace, true, points);
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
    ApplyMargins(editor_);
}

} // namespace tessark
