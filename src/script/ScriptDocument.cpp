// The script editor's document: open, load, new, save, the unsaved-changes
// question, the clipboard and the find dialog.
#include "ui/ControlIds.h"
#include "ui/AreaHost.h"
#include "ui/Window.h"
#include "ui/RichEdit.h"
#include "script/ScriptArea.h"
#include "script/LostCharacters.h"
#include "util/FileIO.h"
#include "util/FileNames.h"
#include "util/FmxUtils.h"
#include "util/InstallLayout.h"
#include "util/Messages.h"

#include <richedit.h>

namespace tessark {
namespace {

constexpr std::wstring_view OpenFilter = L"Text Files (*.TXT)|*.txt|Image titre logo|*.raw";
constexpr std::wstring_view SaveFilter = L"Fichier texte (*.TXT)|*.TXT";

bool FileExists(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

std::wstring ScriptArea::EditorText() const
{
    return richedit::Text(editor_);
}

bool ScriptArea::ConfirmSaveChanges()
{
    if (!richedit::IsModified(editor_))
        return true;
    const auto answer = host_.dialogs().MessageDlg(
        host_.hwnd(), FormatMessageText(msg::TextChangedSave, documentName_), DialogKind::Confirmation,
        {DialogButton::Yes, DialogButton::No, DialogButton::Cancel});
    if (answer == DialogButton::Yes)
        return FileSave();
    return answer == DialogButton::No;
}

void ScriptArea::FileOpen()
{
    if (!ConfirmSaveChanges())
        return;
    auto& dialog = host_.OpenDialog();
    dialog.initialFolder = layout::InstallPath(host_.InstallationRoot(), layout::ScriptFolder);
    const auto chosen = host_.dialogs().OpenFile(host_.hwnd(), {std::wstring(OpenFilter), 1,
                                                                dialog.initialFolder, dialog.fileName});
    if (!chosen)
        return;
    dialog.fileName = *chosen;
    host_.ShowWorkArea(WorkArea::Script);
    host_.MakeDropTarget();
    RichEditChange();
    SetFocus(editor_);
    LoadDocument(*chosen);
    SendMessageW(editor_, EM_SETREADONLY, FALSE, 0);
    EnableWindow(host_.Control(id::BtConvertScript), TRUE);
    EnableWindow(host_.Control(id::BtVerifScript), TRUE);
    EnableWindow(host_.Control(id::BtConvertSFX), FALSE);
    SetWindowTextOf(staticTextFichier_, ExtractFileName(*chosen));
}

void ScriptArea::LoadDocument(const std::wstring& path, std::wstring_view shownName)
{
    // The name is fixed now: a file list may make another folder current later.
    std::wstring fullPath = ExpandFileName(path);
    auto content = script::DecodeScript(ReadWholeFile(fullPath));
    switch (ReplaceEditor(content.text)) {
    case Replacement::Done: break;
    case Replacement::NoControl: throw UserError(std::wstring(msg::EditorNotReplaced));
    case Replacement::TextRefused: throw UserError(std::wstring(msg::StreamLoadError));
    }
    searchText_ = std::move(content.text);
    searchTextValid_ = true;
    richedit::Select(editor_, 0, 0);
    lineEnd_ = content.lineEnd;
    NameDocument(std::move(fullPath), shownName.empty() ? path : std::wstring(shownName));
    // Keys typed into a hidden editor would change the text unseen.
    if (IsWindowVisible(editor_))
        SetFocus(editor_);
    richedit::SetModified(editor_, false);
    ShowModifiedState(false);
    // The report's line numbers belong to the text it was made from.
    ShowReport({});
    // The fresh control sends no selection change for its caret at the start.
    UpdateCaretPosition();
}

void ScriptArea::FileNew()
{
    if (ReplaceEditor(L"") != Replacement::Done)
        throw UserError(std::wstring(msg::EditorNotReplaced));
    SetDocumentName(std::wstring(UnnamedDocument));
    searchText_.clear();
    searchTextValid_ = true;
    lineEnd_ = script::LineEnd::CrLf;
    KeepRescuePlanCurrent();
    richedit::SetModified(editor_, false);
    ShowModifiedState(false);
    ShowReport({});
    UpdateCaretPosition();
}

bool ScriptArea::FileSave()
{
    if (documentPath_.empty())
        return FileSaveAs();
    const std::wstring text = EditorText();
    if (!AcceptLostCharacters(text))
        return false;
    WriteDocument(documentPath_, text);
    richedit::SetModified(editor_, false);
    ShowModifiedState(false);
    return true;
}

bool ScriptArea::FileSaveAs()
{
    return SaveUnderChosenName();
}

void ScriptArea::PrintButtonClick()
{
    SaveUnderChosenName();
}

bool ScriptArea::SaveUnderChosenName()
{
    const std::wstring text = EditorText();
    if (!AcceptLostCharacters(text))
        return false;
    auto& dialog = host_.SaveDialog();
    const auto chosen = host_.dialogs().SaveFile(host_.hwnd(), {std::wstring(SaveFilter), 1,
                                                                dialog.initialFolder, dialog.fileName});
    if (!chosen)
        return false;
    dialog.fileName = *chosen;
    if (FileExists(*chosen)) {
        const auto answer = host_.dialogs().MessageDlg(
            host_.hwnd(), FormatMessageText(msg::OkToOverwrite, *chosen), DialogKind::Confirmation,
            {DialogButton::Yes, DialogButton::No, DialogButton::Cancel});
        if (answer != DialogButton::Yes)
            return false;
    }
    WriteDocument(*chosen, text);
    SetDocumentName(*chosen);
    richedit::SetModified(editor_, false);
    ShowModifiedState(false);
    return true;
}

bool ScriptArea::AcceptLostCharacters(const std::wstring& text)
{
    const auto lost = script::CharactersLostIn1252(text);
    if (lost.empty())
        return true;
    const auto answer = host_.dialogs().MessageDlg(
        host_.hwnd(), FormatMessageText(msg::CharactersLostOnSave, script::DescribeLostCharacters(lost)),
        DialogKind::Warning, {DialogButton::Yes, DialogButton::Cancel});
    return answer == DialogButton::Yes;
}

void ScriptArea::WriteDocument(const std::wstring& path, const std::wstring& text)
{
    WriteFileSafely(path, script::EncodeScript(text, lineEnd_));
}

void ScriptArea::FileExit()
{
    host_.Close();
}

void ScriptArea::EditUndo()
{
    if (IsWindow(editor_))
        SendMessageW(editor_, EM_UNDO, 0, 0);
}

void ScriptArea::EditCut()
{
    SendMessageW(editor_, WM_CUT, 0, 0);
}

void ScriptArea::EditCopy()
{
    SendMessageW(editor_, WM_COPY, 0, 0);
}

void ScriptArea::EditPaste()
{
    SendMessageW(editor_, WM_PASTE, 0, 0);
}

void ScriptArea::Chercher1Click()
{
    richedit::Select(editor_, 0, 0);
    if (!findDialog_) {
        find_ = {};
        find_.lStructSize = sizeof find_;
        find_.hwndOwner = host_.hwnd();
        find_.Flags = FR_DOWN;
        find_.lpstrFindWhat = findText_;
        find_.wFindWhatLen = static_cast<WORD>(std::size(findText_));
        findDialog_ = FindTextW(&find_);
    }
    RECT editor{};
    GetWindowRect(editor_, &editor);
    MapWindowPoints(HWND_DESKTOP, groupBox1_, reinterpret_cast<POINT*>(&editor), 2);
    RECT main{};
    GetWindowRect(host_.hwnd(), &main);
    SetWindowPos(findDialog_, HWND_TOP, editor.left + main.left, editor.top + main.top, 0, 0, SWP_NOSIZE);
    ShowWindow(findDialog_, SW_SHOW);
    SetFocus(findDialog_);
}

bool ScriptArea::OnFindDialogMessage(UINT, LPARAM lParam)
{
    const auto* request = reinterpret_cast<const FINDREPLACEW*>(lParam);
    if (request->Flags & FR_DIALOGTERM)
        findDialog_ = nullptr;
    else if (request->Flags & FR_FINDNEXT)
        FindDialog1Find();
    return true;
}

bool ScriptArea::IsDialogMessageOfFind(MSG& message)
{
    return findDialog_ && IsDialogMessageW(findDialog_, &message);
}

void ScriptArea::FindDialog1Find()
{
    const auto selection = richedit::GetSelection(editor_);
    const long start = selection.end > selection.start ? selection.end : 0;
    const std::wstring what = findText_;
    const std::wstring& text = SearchableText();
    const auto found = what.empty() || static_cast<std::size_t>(start) > text.size()
                           ? std::wstring::npos
                           : text.find(what, static_cast<std::size_t>(start));
    if (found == std::wstring::npos)
        return;
    // The find dialog keeps the focus: a second Enter there is another
    // find-next, never a line break over the found text.
    richedit::Select(editor_, static_cast<long>(found), static_cast<long>(found + what.size()));
}

const std::wstring& ScriptArea::SearchableText()
{
    if (!searchTextValid_ || static_cast<std::size_t>(richedit::TextLength(editor_)) != searchText_.size()) {
        searchText_ = richedit::Text(editor_);
        searchTextValid_ = true;
    }
    return searchText_;
}

} // namespace tessark
