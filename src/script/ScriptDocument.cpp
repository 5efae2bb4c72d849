// The script editor's document: open, load, new, save, the unsaved-changes
// question, the clipboard and the find dialog.
#include "ui/ControlIds.h"
#include "ui/AreaHost.h"
#include "ui/Window.h"
#include "ui/ScintillaEdit.h"
#include "script/ScriptArea.h"
#include "util/FileIO.h"
#include "util/FileNames.h"
#include "util/FmxUtils.h"
#include "util/InstallLayout.h"
#include "util/Messages.h"
#include "util/Text1252.h"
#include "util/Utf8.h"

#include <Scintilla.h>

#include <algorithm>

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

// Shown to the user in the code page the file was written in.
std::wstring ScriptArea::EditorText() const
{
    const std::string bytes = editor_->Text();
    if (!utf8_)
        return script::DecodeScript(bytes).text;
    const std::wstring text = WideOf(bytes);
    std::wstring breaks;
    breaks.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n')
            ++i;
        breaks += text[i] == L'\n' ? L'\r' : text[i];
    }
    return breaks;
}

std::wstring ScriptArea::WideOf(std::string_view bytes) const
{
    if (!utf8_)
        return cp1252::Decode(bytes);
    const int size = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(std::max(size, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), size);
    return text;
}

std::string ScriptArea::DocumentBytes() const
{
    std::string bytes = editor_->Text();
    if (byteOrderMark_)
        bytes.insert(0, utf8::Mark);
    return bytes;
}

bool ScriptArea::IsModified() const
{
    return editor_->IsModified();
}

void ScriptArea::ClearModified()
{
    editor_->ClearModified();
}

void ScriptArea::SetReadOnly(bool readOnly)
{
    editor_->SetReadOnly(readOnly);
}

bool ScriptArea::ConfirmSaveChanges()
{
    if (!editor_->IsModified())
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
    SetFocus(Editor());
    LoadDocument(*chosen);
    editor_->SetReadOnly(false);
    EnableWindow(host_.Control(id::BtConvertScript), TRUE);
    EnableWindow(host_.Control(id::BtVerifScript), TRUE);
    EnableWindow(host_.Control(id::BtConvertSFX), FALSE);
    SetWindowTextOf(staticTextFichier_, ExtractFileName(*chosen));
}

void ScriptArea::LoadDocument(const std::wstring& path, std::wstring_view shownName)
{
    // The name is fixed now: a file list may make another folder current later.
    std::wstring fullPath = ExpandFileName(path);
    const std::string bytes = ReadWholeFile(fullPath);
    if (!ShowDocument(bytes))
        throw UserError(std::wstring(msg::StreamLoadError));
    NameDocument(std::move(fullPath), shownName.empty() ? path : std::wstring(shownName));
    // Keys typed into a hidden editor would change the text unseen.
    if (IsWindowVisible(Editor()))
        SetFocus(Editor());
    ShowModifiedState(false);
    // The report's line numbers belong to the text it was made from.
    ShowReport({});
    UpdateCaretPosition();
}

// A UTF-8 file (its mark, or well-formed UTF-8 beyond ASCII) is shown as
// UTF-8; any other as the game reads it, in Windows-1252. Line ends stay as
// they are; new ones take the kind of the file's first.
bool ScriptArea::ShowDocument(std::string_view bytes)
{
    byteOrderMark_ = utf8::HasMark(bytes);
    utf8_ = byteOrderMark_ || utf8::FirstLineBeyondAscii(bytes).has_value();
    const std::string_view text = byteOrderMark_ ? utf8::WithoutMark(bytes) : bytes;
    lineEnd_ = script::FirstLineEnd(text);
    static constexpr int EolMode[] = {SC_EOL_CRLF, SC_EOL_LF, SC_EOL_CR};
    editor_->Send(SCI_SETEOLMODE, EolMode[static_cast<int>(lineEnd_)]);
    // Code page 0 is the default character set's, Windows-1252 (Scintilla
    // takes no single-byte code page by number).
    editor_->Send(SCI_SETCODEPAGE, utf8_ ? SC_CP_UTF8 : 0);
    ChooseTextKind(text);
    findings_.clear();
    const bool taken = editor_->SetText(text);
    ShowEncoding();
    KeepRescuePlanCurrent();
    return taken;
}

void ScriptArea::ShowEncoding()
{
    host_.SetStatusPanel(2, utf8_ ? L"UTF-8" : L"");
}

void ScriptArea::FileNew()
{
    ShowDocument({});
    SetDocumentName(std::wstring(UnnamedDocument));
    ShowModifiedState(false);
    ShowReport({});
    UpdateCaretPosition();
}

bool ScriptArea::FileSave()
{
    if (documentPath_.empty())
        return FileSaveAs();
    WriteDocument(documentPath_, DocumentBytes());
    editor_->ClearModified();
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
    WriteDocument(*chosen, DocumentBytes());
    SetDocumentName(*chosen);
    editor_->ClearModified();
    ShowModifiedState(false);
    return true;
}

void ScriptArea::WriteDocument(const std::wstring& path, const std::string& bytes)
{
    WriteFileSafely(path, bytes);
}

// Scintilla would write what its code page lacks as '?': such text is
// refused before it reaches the document.
bool ScriptArea::AcceptInput(std::wstring_view text)
{
    if (utf8_)
        return true;
    std::wstring refused;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool pair = IS_HIGH_SURROGATE(text[i]) && i + 1 < text.size() && IS_LOW_SURROGATE(text[i + 1]);
        const std::wstring_view character = text.substr(i, pair ? 2 : 1);
        i += pair ? 1 : 0;
        const bool kept = !pair && (character[0] == L'\r' || character[0] == L'\n' || cp1252::FromUnicode(character[0]));
        const std::wstring quoted = L"« " + std::wstring(character) + L" »";
        if (!kept && refused.find(quoted) == std::wstring::npos)
            refused += (refused.empty() ? L"" : L", ") + quoted;
    }
    if (refused.empty())
        return true;
    host_.dialogs().MessageDlg(host_.hwnd(), FormatMessageText(msg::CharactersNotInWindows1252, refused),
                               DialogKind::Warning, {DialogButton::Ok});
    return false;
}

void ScriptArea::FileExit()
{
    host_.Close();
}

void ScriptArea::EditUndo()
{
    if (IsWindow(Editor()))
        editor_->Send(SCI_UNDO);
}

void ScriptArea::EditCut()
{
    editor_->Send(SCI_CUT);
}

void ScriptArea::EditCopy()
{
    editor_->Send(SCI_COPY);
}

void ScriptArea::EditPaste()
{
    editor_->Send(SCI_PASTE);
}

void ScriptArea::Chercher1Click()
{
    editor_->Select(0, 0);
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
    GetWindowRect(Editor(), &editor);
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
    const auto selection = editor_->Selection();
    const std::intptr_t start = selection.end > selection.start ? selection.end : 0;
    const std::wstring what = findText_;
    // In the document's own bytes: a text its code page cannot hold is in no document.
    const UINT codePage = utf8_ ? CP_UTF8 : 1252;
    BOOL lost = FALSE;
    const int size = WideCharToMultiByte(codePage, 0, what.data(), static_cast<int>(what.size()), nullptr, 0,
                                         nullptr, utf8_ ? nullptr : &lost);
    if (what.empty() || size <= 0 || lost)
        return;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(codePage, 0, what.data(), static_cast<int>(what.size()), bytes.data(), size, nullptr,
                        nullptr);
    editor_->Send(SCI_SETSEARCHFLAGS, SCFIND_MATCHCASE);
    editor_->Send(SCI_SETTARGETRANGE, static_cast<std::uintptr_t>(start), editor_->Length());
    const std::intptr_t found =
        editor_->Send(SCI_SEARCHINTARGET, bytes.size(), reinterpret_cast<std::intptr_t>(bytes.data()));
    if (found < 0)
        return;
    // The find dialog keeps the focus: a second Enter there is another
    // find-next, never a line break over the found text.
    editor_->Select(found, found + static_cast<std::intptr_t>(bytes.size()));
    editor_->Send(SCI_SCROLLCARET);
}

} // namespace tessark
