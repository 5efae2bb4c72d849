// Finding one's way in a long script: numbered lines, the caret's line
// marked, a line chosen by its number, and the files an #INCLUDE names.
#include "script/ScriptArea.h"

#include "script/ScriptCheck.h"
#include "ui/AreaHost.h"
#include "ui/Dpi.h"
#include "ui/ScintillaEdit.h"
#include "util/FileNames.h"
#include "util/InstallLayout.h"
#include "util/Messages.h"

#include <Scintilla.h>

#include <string>

namespace tessark {
namespace {

constexpr int LineNumberMargin = 0;
constexpr int LineNumberPadding = 6;
// Light enough that a selection and the marks stay readable over it.
constexpr COLORREF CaretLineColour = RGB(0xEE, 0xF3, 0xFB);

bool FileExists(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

void ScriptArea::SetUpNavigation()
{
    editor_->Send(SCI_SETMARGINTYPEN, LineNumberMargin, SC_MARGIN_NUMBER);
    editor_->Send(SCI_SETCARETLINEVISIBLE, true);
    editor_->Send(SCI_SETCARETLINEVISIBLEALWAYS, true);
    editor_->Send(SCI_SETCARETLINEBACK, CaretLineColour);
    FitLineNumbers();
}

// As wide as the largest line number in the margin's font, at the window's DPI.
void ScriptArea::FitLineNumbers()
{
    const std::string widest(std::to_string(editor_->LineCount()).size(), '9');
    const std::intptr_t width =
        editor_->Send(SCI_TEXTWIDTH, STYLE_LINENUMBER, reinterpret_cast<std::intptr_t>(widest.c_str()));
    const std::intptr_t wanted = width + Scaled(Editor(), LineNumberPadding);
    if (editor_->Send(SCI_GETMARGINWIDTHN, LineNumberMargin) != wanted)
        editor_->Send(SCI_SETMARGINWIDTHN, LineNumberMargin, wanted);
}

void ScriptArea::GoToLineClick()
{
    if (!IsWindowVisible(Editor()))
        return;
    const auto lines = static_cast<int>(editor_->LineCount());
    const auto current = static_cast<int>(editor_->LineFromPosition(editor_->Selection().start)) + 1;
    const auto chosen = host_.dialogs().AskNumber(
        host_.hwnd(), {std::wstring(msg::GoToLineTitle), FormatMessageText(msg::GoToLinePrompt, std::to_wstring(lines)),
                       current, 1, lines});
    if (chosen)
        GoToScriptLine(*chosen);
}

void ScriptArea::OpenIncludeAtCaret()
{
    if (IsWindowVisible(Editor()))
        OpenIncludeOfLine(editor_->LineFromPosition(editor_->Selection().start));
}

// The included file becomes the document, as an opened one does; a line
// that includes nothing does nothing.
void ScriptArea::OpenIncludeOfLine(std::intptr_t line)
{
    const std::intptr_t start = editor_->LineStart(line);
    const std::intptr_t end = editor_->Send(SCI_GETLINEENDPOSITION, static_cast<std::uintptr_t>(line));
    // Scintilla writes a NUL after the range.
    std::string text(static_cast<std::size_t>(end - start) + 1, '\0');
    Sci_TextRangeFull range{{start, end}, text.data()};
    editor_->Send(SCI_GETTEXTRANGEFULL, 0, reinterpret_cast<std::intptr_t>(&range));
    text.pop_back();
    const auto name = IncludedFileOf(text);
    if (!name)
        return;
    const std::wstring folder = layout::InstallPath(host_.InstallationRoot(), layout::ScriptFolder);
    const std::wstring path = IncludeTrailingBackslash(folder) + WideOf(*name);
    if (!FileExists(path)) {
        host_.dialogs().MessageDlg(host_.hwnd(), FormatMessageText(msg::IncludedFileMissing, path),
                                   DialogKind::Warning, {DialogButton::Ok});
        return;
    }
    if (!ConfirmSaveChanges())
        return;
    LoadDocument(path);
    SetWindowTextW(staticTextFichier_, ExtractFileName(path).c_str());
}

} // namespace tessark
