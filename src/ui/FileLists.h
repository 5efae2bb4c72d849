#pragma once
// The drive box, folder list and file list of the workspaces. A drive box
// leads its folder list, a folder list its file list; the folder list makes
// the folder it shows the process's current folder.
#include "util/Win32.h"

#include <optional>
#include <string>
#include <vector>

namespace tessark {

class FileListBox {
public:
    void Create(HWND parent, int id, std::wstring mask, bool multiSelect);
    HWND hwnd() const { return list_; }

    // Reads the folder again only when the mask changes; nothing is selected then.
    void SetMask(std::wstring mask);
    void SetDirectory(std::wstring folder);
    // Reads the folder again; nothing is selected afterwards.
    void Update();

    const std::wstring& Directory() const { return folder_; }
    std::vector<std::wstring> Names() const;
    // The picked entry: the focused one when it is selected (several entries
    // may be selected), otherwise none.
    std::optional<std::wstring> SelectedName() const;
    // The picked entry's full path.
    std::optional<std::wstring> SelectedPath() const;
    // Selects one entry by name (letter case ignored); false when it is not listed.
    bool Select(std::wstring_view name);

private:
    HWND list_ = nullptr;
    std::wstring mask_;
    std::wstring folder_;
    bool multiSelect_ = false;
};

class DirectoryListBox {
public:
    void Create(HWND parent, int id, FileListBox* files);
    HWND hwnd() const { return list_; }

    // Shows `folder` (its ancestors, then its subfolders), makes it the current
    // folder and hands it to the file list. False, with nothing changed, when
    // the folder cannot be entered.
    bool SetDirectory(std::wstring_view folder);
    const std::wstring& Directory() const { return folder_; }
    // Opens the entry under the caret (a double click or Enter).
    bool OpenSelected();

private:
    void Fill();

    HWND list_ = nullptr;
    FileListBox* files_ = nullptr;
    std::wstring folder_;
    std::vector<std::wstring> itemPaths_;
};

class DriveComboBox {
public:
    void Create(HWND parent, int id, DirectoryListBox* folders);
    HWND hwnd() const { return combo_; }

    // Shows the drive of `folder` without changing the folder list.
    void ShowDriveOf(std::wstring_view folder);
    // The user chose another drive: the folder list goes to that drive's
    // current folder, or back to the drive it shows when the drive cannot be read.
    void SelectionChanged();

private:
    HWND combo_ = nullptr;
    DirectoryListBox* folders_ = nullptr;
    std::vector<std::wstring> roots_;
};

} // namespace tessark
