#pragma once
// The script editor work area (GroupBox1): a plain-text editor of the level
// script with its toolbar, find dialog and font size, and the document it holds.
#include "util/Win32.h"
#include "script/ReportLine.h"
#include "script/ScriptLexer.h"
#include "script/ScriptText.h"

#include <commdlg.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace tessark {

class IAreaHost;
class ReportPanel;
class ScintillaEdit;

inline constexpr std::wstring_view UnnamedDocument = L"Sans nom";

class ScriptArea {
public:
    explicit ScriptArea(IAreaHost& host);
    ~ScriptArea();
    ScriptArea(const ScriptArea&) = delete;
    ScriptArea& operator=(const ScriptArea&) = delete;

    HWND GroupBox1() const { return groupBox1_; }
    HWND Editor() const;
    ScintillaEdit& Edit() { return *editor_; }
    HWND Control(int controlId) const;
    HWND FindDialog() const { return findDialog_; }
    // The document's name as the user gave it, shown in the questions.
    const std::wstring& DocumentName() const { return documentName_; }
    // The full path the text is saved to, fixed when the document was loaded
    // or named; empty while the text has no file ("Sans nom").
    const std::wstring& DocumentPath() const { return documentPath_; }
    // The text as the user reads it, line breaks as '\r' (control bytes as
    // in DecodeScript).
    std::wstring EditorText() const;
    // The bytes a save writes: the file's own, a byte-order mark included.
    std::string DocumentBytes() const;
    bool IsUtf8() const { return utf8_; }
    bool IsModified() const;
    void ClearModified();
    void SetReadOnly(bool readOnly);
    void LayOut(int width, int height);
    // The narrowest the area can be with nothing overlapping, in units.
    static int MinimumWidth();
    // After the main window's DPI changed and its controls were placed again.
    void DpiChanged();

    // Routing from the main window; each returns true when it took the message.
    bool OnCommand(int controlId, int code);
    bool OnNotify(NMHDR& header, LRESULT& result);
    bool OnScroll(HWND control, int code);
    bool OnFindDialogMessage(UINT message, LPARAM lParam);
    bool IsDialogMessageOfFind(MSG& message);
    std::wstring HintOf(UINT_PTR toolId, bool byWindow) const;

    // "Convertir le Script" and "Vérifier le script" of the tool column.
    void BtConvertScriptClick();
    void BtVerifScriptClick();
    // The menu's "Compiler avec Tessark" and "Lire le SCRIPT.DAT".
    void CompileWithTessarkClick();
    void DescribeCompiledScriptClick();
    // How long the script compiler runs before the user is asked whether to
    // stop it, and again after each such wait.
    void SetCompilerPatience(DWORD milliseconds) { compilerPatience_ = milliseconds; }

    // Document operations.
    void FileOpen();
    // `shownName` is the name the questions show (the path when empty); a
    // relative path is made full at once, from the current folder.
    void LoadDocument(const std::wstring& path, std::wstring_view shownName = {});
    bool ConfirmSaveChanges();   // false when the user chose Annuler: the caller stops
    void FileNew();
    bool FileSave();             // false when the save was abandoned (no name chosen, characters lost)
    bool FileSaveAs();
    void PrintButtonClick();
    void FileExit();
    void EditUndo();
    void EditCut();
    void EditCopy();
    void EditPaste();
    void Chercher1Click();
    void FindDialog1Find();

    // Display.
    void SetUpTextAttributes(int points);
    void SelectionChange();
    void RichEditChange();
    void UpdateCaretPosition();
    void ShowModifiedState(bool modified);
    void SetDocumentName(std::wstring name);
    void SetEditorMargins();
    void FontSizeChange();
    void UpDown1Click(int position);
    int SelectedSize() const;

    // The report under the editor; a compilation's ends with its result,
    // shown from the end.
    void ShowReport(const Report& report, bool fromTheEnd = false);
    // The check's findings in the report; the check that runs as the text is
    // typed brings them up to date until another report takes the panel.
    void ShowCheckReport(const Report& findings);
    ReportPanel& Reports() { return *report_; }
    bool OnDrawItem(const DRAWITEMSTRUCT& item);
    // Ctrl+G: the line to go to, asked for by its number.
    void GoToLineClick();
    // F5: the file the caret's "#INCLUDE" line names, from the script folder,
    // becomes the document (after the unsaved-changes question).
    void OpenIncludeAtCaret();
    // Ctrl+Space: what fits the caret's place, asked for.
    void CompleteClick();
    // The list last offered, entries separated by '\n', as given to the control.
    const std::string& LastSuggestions() const { return suggested_; }
    // The findings of the check that runs a moment after the last change.
    const Report& Findings() const { return findings_; }
    // The colour the editor shows a kind of token in.
    static COLORREF ColourOf(script::TokenStyle token);
    // Texts longer than this get no marks as they are typed: the check would
    // take longer than a pause in the typing.
    static constexpr std::intptr_t MarkedTextLimit = 2 * 1024 * 1024;
    // Caret at the start of the 1-based script line (the last one when the
    // text is shorter), the editor focused and the line in view.
    void GoToScriptLine(int line);

private:
    void CreateControls();
    void CreateEditor();
    // Shows `bytes` in the file's encoding and line ends; false when the
    // control could not take them in (the old text is then gone too).
    bool ShowDocument(std::string_view bytes);
    void ShowEncoding();
    // Typed or pasted text the document's code page cannot hold is refused,
    // naming what was refused.
    bool AcceptInput(std::wstring_view text);
    // Bytes of the document's code page as characters.
    std::wstring WideOf(std::string_view bytes) const;
    void CreateToolBar();
    void RemakeToolBar();
    void CreateFontSizeBox();
    bool SaveUnderChosenName();
    // `path` full, or empty for "Sans nom".
    void NameDocument(std::wstring path, std::wstring shownName);
    void WriteDocument(const std::wstring& path, const std::string& bytes);
    void ApplySize(int points);
    void KeepRescuePlanCurrent();
    void ReportLineChosen();
    void SetUpNavigation();
    void FitLineNumbers();
    void OpenIncludeOfLine(std::intptr_t line);
    void OnEditorNotification(const NMHDR& header);
    void SetUpColours();
    void ChooseTextKind(std::string_view text);
    void StyleUpTo(std::intptr_t end);
    void SetUpMarks();
    void FitMarkMargin();
    void CheckSoon();
    static void CALLBACK OnCheckTimer(HWND window, UINT, UINT_PTR timer, DWORD);
    static ScriptArea* AreaOfPanel(HWND panel);
    void MarkFindings();
    void ShowFindingTip(std::intptr_t position);
    void HideFindingTip();
    void SetUpSuggestions();
    std::string LineText(std::intptr_t line, std::intptr_t upTo = -1) const;
    std::string SectionOfLine(std::intptr_t line) const;
    std::string InDocumentCodePage(std::string_view text1252) const;
    void OnCharacterAdded(int character);
    static void CALLBACK OnSuggestionTimer(HWND window, UINT, UINT_PTR timer, DWORD);
    void RespondToCharacter(int character);
    void Suggest(bool asked);
    void ShowArgumentLayout();

    IAreaHost& host_;
    DWORD compilerPatience_ = 60000;
    HWND groupBox1_ = nullptr;
    HWND frame_ = nullptr;
    HWND panel2_ = nullptr;
    HWND staticTextFichier_ = nullptr;
    HWND btRetourSFX_ = nullptr;
    HWND toolBar_ = nullptr;
    HWND fontSize_ = nullptr;
    HWND upDown1_ = nullptr;
    HWND hintTip_ = nullptr;
    std::unique_ptr<ScintillaEdit> editor_;
    HWND findDialog_ = nullptr;
    std::unique_ptr<ReportPanel> report_;
    FINDREPLACEW find_{};
    wchar_t findText_[256] = {};
    std::wstring documentName_{UnnamedDocument};
    std::wstring documentPath_;
    script::LineEnd lineEnd_ = script::LineEnd::CrLf;
    // UTF-8 files are shown as UTF-8; their mark is kept apart from the text
    // so that columns count from the first character.
    bool utf8_ = false;
    bool byteOrderMark_ = false;
    script::TextKind textKind_ = script::TextKind::Script;
    Report findings_;
    // The panel is empty or shows the check's findings, not a compilation's.
    bool reportFromCheck_ = true;
    std::string suggested_;
    int characterToRespond_ = 0;
    bool updating_ = false;
    int upDownPosition_ = 1;
    int fontPoints_ = 8;
};

} // namespace tessark
