#include "ui/FileLists.h"

#include "ui/Window.h"
#include "util/FileMask.h"
#include "util/FileNames.h"
#include "util/FmxUtils.h"

#include <commctrl.h>

#include <algorithm>

namespace tessark {
namespace {

std::wstring JoinPath(std::wstring_view folder, std::wstring_view name)
{
    return IncludeTrailingBackslash(folder) + std::wstring(name);
}

bool SortsBefore(const std::wstring& a, const std::wstring& b)
{
    return lstrcmpiW(a.c_str(), b.c_str()) < 0;
}

// The entries of a folder: its files matching `mask`, or its subfolders.
std::vector<std::wstring> FolderEntries(const std::wstring& folder, const std::wstring* mask)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileExW(JoinPath(folder, L"*").c_str(), FindExInfoBasic, &entry,
                                     FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::wstring_view name = entry.cFileName;
        const bool isFolder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (mask ? !isFolder && MatchesMask(name, *mask) : isFolder && name != L"." && name != L"..")
            names.emplace_back(name);
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    std::sort(names.begin(), names.end(), SortsBefore);
    return names;
}

void FillList(HWND list, const std::vector<std::wstring>& items)
{
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    SendMessageW(list, LB_INITSTORAGE, items.size(), items.size() * 32 * sizeof(wchar_t));
    for (const auto& item : items)
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

std::wstring ListItem(HWND list, int index)
{
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR)
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

// "C:\" for "C:\jeux\trle"; empty for a path without a drive letter.
std::wstring DriveRootOf(std::wstring_view path)
{
    if (path.size() < 2 || path[1] != L':')
        return {};
    return AsciiUpper(path.substr(0, 1)) + L":\\";
}

// The folder and each of its ancestors, the drive root first.
std::vector<std::wstring> FolderChain(const std::wstring& folder)
{
    std::vector<std::wstring> chain;
    std::wstring path = folder;
    while (path.size() > 1 && path.back() == L'\\' && path[path.size() - 2] != L':')
        path.pop_back();
    for (;;) {
        chain.push_back(path);
        const std::wstring parent = ExtractFilePath(path);
        if (parent.empty() || parent == path)
            break;
        path = parent.size() > 3 ? parent.substr(0, parent.size() - 1) : parent;
    }
    std::reverse(chain.begin(), chain.end());
    return chain;
}

// Enter in a folder list opens the folder under the caret: the list tells its
// parent as it tells a double click.
LRESULT CALLBACK OpenOnEnter(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    switch (message) {
    case WM_GETDLGCODE:
        if (wParam == VK_RETURN)
            return DefSubclassProc(list, message, wParam, lParam) | DLGC_WANTALLKEYS;
        break;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN) {
            SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_DBLCLK),
                         reinterpret_cast<LPARAM>(list));
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == L'\r')
            return 0;
        break;
    default:
        break;
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

} // namespace

// --- file list

void FileListBox::Create(HWND parent, int id, std::wstring mask, bool multiSelect)
{
    multiSelect_ = multiSelect;
    mask_ = std::move(mask);
    const DWORD style = WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_BORDER | LBS_NOTIFY | LBS_HASSTRINGS |
                        LBS_NOINTEGRALHEIGHT | (multiSelect ? LBS_EXTENDEDSEL : 0);
    list_ = CreateChild(parent, L"LISTBOX", L"", style, 0, 0, 10, 10, id, WS_EX_CLIENTEDGE);
}

void FileListBox::SetMask(std::wstring mask)
{
    if (mask == mask_)
        return;
    mask_ = std::move(mask);
    Update();
}

void FileListBox::SetDirectory(std::wstring folder)
{
    folder_ = std::move(folder);
    Update();
}

void FileListBox::Update()
{
    FillList(list_, folder_.empty() ? std::vector<std::wstring>{} : FolderEntries(folder_, &mask_));
}

std::vector<std::wstring> FileListBox::Names() const
{
    std::vector<std::wstring> names;
    const auto count = static_cast<int>(SendMessageW(list_, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        names.push_back(ListItem(list_, i));
    return names;
}

std::optional<std::wstring> FileListBox::SelectedName() const
{
    int index = LB_ERR;
    if (multiSelect_) {
        index = static_cast<int>(SendMessageW(list_, LB_GETCARETINDEX, 0, 0));
        if (index < 0 || SendMessageW(list_, LB_GETSEL, index, 0) <= 0)
            return std::nullopt;
    } else {
        index = static_cast<int>(SendMessageW(list_, LB_GETCURSEL, 0, 0));
        if (index < 0)
            return std::nullopt;
    }
    return ListItem(list_, index);
}

std::optional<std::wstring> FileListBox::SelectedPath() const
{
    const auto name = SelectedName();
    if (!name)
        return std::nullopt;
    return JoinPath(folder_, *name);
}

bool FileListBox::Select(std::wstring_view name)
{
    const std::wstring wanted(name);
    const auto index = static_cast<int>(SendMessageW(list_, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                     reinterpret_cast<LPARAM>(wanted.c_str())));
    if (index < 0)
        return false;
    if (multiSelect_) {
        SendMessageW(list_, LB_SETSEL, FALSE, -1);
        SendMessageW(list_, LB_SETSEL, TRUE, index);
        SendMessageW(list_, LB_SETCARETINDEX, index, FALSE);
    } else {
        SendMessageW(list_, LB_SETCURSEL, index, 0);
    }
    return true;
}

// --- folder list

void DirectoryListBox::Create(HWND parent, int id, FileListBox* files)
{
    files_ = files;
    const DWORD style =
        WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_BORDER | LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;
    list_ = CreateChild(parent, L"LISTBOX", L"", style, 0, 0, 10, 10, id, WS_EX_CLIENTEDGE);
    SetWindowSubclass(list_, OpenOnEnter, 1, 0);
}

bool DirectoryListBox::SetDirectory(std::wstring_view folder)
{
    const std::wstring full = ExpandFileName(folder);
    if (!SetCurrentDirectoryW(full.c_str()))
        return false;
    folder_ = full;
    Fill();
    if (files_)
        files_->SetDirectory(folder_);
    return true;
}

void DirectoryListBox::Fill()
{
    const std::vector<std::wstring> chain = FolderChain(folder_);
    itemPaths_ = chain;
    std::vector<std::wstring> items;
    // Each level is indented one step further, as in a tree.
    for (std::size_t depth = 0; depth < chain.size(); ++depth)
        items.push_back(std::wstring(depth * 2, L' ') +
                        (depth == 0 ? chain[0] : ExtractFileName(chain[depth])));
    const std::wstring indent(chain.size() * 2, L' ');
    for (const auto& name : FolderEntries(folder_, nullptr)) {
        items.push_back(indent + name);
        itemPaths_.push_back(JoinPath(folder_, name));
    }
    FillList(list_, items);
    SendMessageW(list_, LB_SETCURSEL, chain.size() - 1, 0);
}

bool DirectoryListBox::OpenSelected()
{
    const auto index = static_cast<int>(SendMessageW(list_, LB_GETCURSEL, 0, 0));
    if (index < 0 || static_cast<std::size_t>(index) >= itemPaths_.size())
        return false;
    return SetDirectory(itemPaths_[static_cast<std::size_t>(index)]);
}

// --- drive box

void DriveComboBox::Create(HWND parent, int id, DirectoryListBox* folders)
{
    folders_ = folders;
    combo_ = CreateChild(parent, L"COMBOBOX", L"", WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, 0,
                         10, 200, id);
    std::wstring drives(GetLogicalDriveStringsW(0, nullptr) + 1, L'\0');
    drives.resize(GetLogicalDriveStringsW(static_cast<DWORD>(drives.size()), drives.data()));
    for (std::size_t start = 0; start < drives.size();) {
        const std::size_t end = drives.find(L'\0', start);
        const std::wstring root = drives.substr(start, end - start);
        if (!root.empty()) {
            roots_.push_back(AsciiUpper(root));
            const std::wstring label = std::wstring(1, static_cast<wchar_t>(towlower(root[0]))) + L":";
            SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label.c_str()));
        }
        start = end == std::wstring::npos ? drives.size() : end + 1;
    }
}

void DriveComboBox::ShowDriveOf(std::wstring_view folder)
{
    const auto found = std::find(roots_.begin(), roots_.end(), DriveRootOf(folder));
    SendMessageW(combo_, CB_SETCURSEL, found == roots_.end() ? -1 : found - roots_.begin(), 0);
}

void DriveComboBox::SelectionChanged()
{
    const auto index = static_cast<int>(SendMessageW(combo_, CB_GETCURSEL, 0, 0));
    if (index < 0 || static_cast<std::size_t>(index) >= roots_.size())
        return;
    // "X:" alone names the drive's current folder.
    const std::wstring drive = roots_[static_cast<std::size_t>(index)].substr(0, 2);
    if (!folders_->SetDirectory(drive) && !folders_->SetDirectory(roots_[static_cast<std::size_t>(index)]))
        ShowDriveOf(folders_->Directory());
}

} // namespace tessark
