#pragma once
// The script editor work area (GroupBox1): a plain-text editor of the level
// script with its toolbar, find dialog and font size, and the document it holds.
#include "util/Win32.h"
#include "script/ReportLine.h"
#include "script/ScriptText.h"

#include <commdlg.h>

#include <memory>
#include <string>
#include <string_view>

namespace tessark {

class IAreaHost;
class ReportPanel;

inline constexpr std::wstring_view UnnamedDocument = L"Sans nom";

class ScriptArea {
public:
    explicit ScriptArea(IAreaHost& host);
    ~ScriptArea();
    ScriptArea(const ScriptArea&) = delete;
    ScriptArea& operator=(const ScriptArea&) = delete;

    HWND GroupBox1() const { return groupBox1_; }
    HWND Editor() const { return editor_; }
    HWND Control(int controlId) const;
    HWND FindDialog() const { return findDialog_; }
    // The document's name as the user gave it, shown in the questions.
    const std::wstring& DocumentName() const { return documentName_; }
    // The full path the text is saved to, fixed when the document was loaded
    // or named; empty while the text has no file ("Sans nom").
    const std::wstring& DocumentPath() const { return documentPath_; }
    std::wstring EditorText() const;
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
    ReportPanel& Reports() { return *report_; }
    bool OnDrawItem(const DRAWITEMSTRUCT& item);
    // Caret at the start of the 1-based script line (the last one when the
    // text is shorter), the editor focused and the line in view.
    void GoToScriptLine(int line);

private:
    void CreateControls();
    HWND CreateEditor(const RECT& place, bool visible);
    enum class Replacement { Done, NoControl, TextRefused };
    Replacement ReplaceEditor(std::wstring_view text);
    const std::wstring& SearchableText();
    void CreateToolBar();
    void RemakeToolBar();
    void CreateFontSizeBox();
    bool SaveUnderChosenName();
    // `path` full, or empty for "Sans nom".
    void NameDocument(std::wstring path, std::wstring shownName);
    // False when the text holds characters Windows-1252 cannot hold and the
    // user chose not to save them as '?'.
    bool AcceptLostCharacters(const std::wstring& text);
    void WriteDocument(const std::wstring& path, const std::wstring& text);
    void ApplySize(int points);
    void KeepRescuePlanCurrent();
    void ReportLineChosen();

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
    HWND editor_ = nullptr;
    HWND findDialog_ = nullptr;
    std::unique_ptr<ReportPanel> report_;
    HFONT editorFont_ = nullptr;
    FINDREPLACEW find_{};
    wchar_t findText_[256] = {};
    std::wstring documentName_{UnnamedDocument};
    std::wstring documentPath_;
    script::LineEnd lineEnd_ = script::LineEnd::CrLf;
    // A copy of the editor's text for the find dialog, taken again after edits:
    // searching the control itself takes seconds on a long script under Wine.
    std::wstring searchText_;
    bool searchTextValid_ = false;
    bool updating_ = false;
    int upDownPosition_ = 1;
};

} // namespace tessark
