#include "ui/Win32Dialogs.h"

#include <commdlg.h>

#include <algorithm>

namespace tessark {
namespace {

// MessageBoxW labels its buttons in the system's language; a CBT hook renames
// them to the program's French captions as soon as the box is created.
struct ButtonRename {
    int id;
    DialogButton button;
};
thread_local std::vector<ButtonRename> pendingRenames;
thread_local HHOOK renameHook = nullptr;

LRESULT CALLBACK RenameButtonsHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE) {
        const HWND box = reinterpret_cast<HWND>(wParam);
        for (const auto& rename : pendingRenames)
            SetDlgItemTextW(box, rename.id, std::wstring(DialogButtonCaption(rename.button)).c_str());
        pendingRenames.clear();
    }
    return CallNextHookEx(renameHook, code, wParam, lParam);
}

bool Has(const std::vector<DialogButton>& buttons, DialogButton b)
{
    return std::find(buttons.begin(), buttons.end(), b) != buttons.end();
}

UINT ButtonStyle(const std::vector<DialogButton>& buttons)
{
    const bool yes = Has(buttons, DialogButton::Yes), no = Has(buttons, DialogButton::No);
    const bool cancel = Has(buttons, DialogButton::Cancel);
    if (yes && no)
        return cancel ? MB_YESNOCANCEL : MB_YESNO;
    return cancel ? MB_OKCANCEL : MB_OK;
}

UINT IconStyle(DialogKind kind)
{
    switch (kind) {
    case DialogKind::Error: return MB_ICONERROR;
    case DialogKind::Warning: return MB_ICONWARNING;
    case DialogKind::Information: return MB_ICONINFORMATION;
    case DialogKind::Confirmation: return MB_ICONQUESTION;
    }
    return 0;
}

DialogButton FromResult(int result)
{
    switch (result) {
    case IDYES: return DialogButton::Yes;
    case IDNO: return DialogButton::No;
    case IDOK: return DialogButton::Ok;
    default: return DialogButton::Cancel;
    }
}

std::wstring FilterForDialog(const std::wstring& filter)
{
    std::wstring result = filter;
    std::replace(result.begin(), result.end(), L'|', L'\0');
    result.append(2, L'\0');
    return result;
}

std::optional<std::wstring> RunFileDialog(HWND owner, const FileDialogRequest& request, bool save)
{
    std::wstring buffer = request.fileName;
    buffer.resize(32768, L'\0');
    const std::wstring filter = FilterForDialog(request.filter);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(request.filterIndex);
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrInitialDir = request.initialFolder.empty() ? nullptr : request.initialFolder.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING;
    const BOOL chosen = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    if (!chosen)
        return std::nullopt;
    return std::wstring(buffer.c_str());
}

} // namespace

DialogButton Win32Dialogs::MessageDlg(HWND owner, std::wstring_view text, DialogKind kind,
                                      const std::vector<DialogButton>& buttons)
{
    const UINT style = ButtonStyle(buttons);
    pendingRenames = {{IDYES, DialogButton::Yes}, {IDNO, DialogButton::No},
                      {IDCANCEL, DialogButton::Cancel}, {IDOK, DialogButton::Ok}};
    renameHook = SetWindowsHookExW(WH_CBT, RenameButtonsHook, nullptr, GetCurrentThreadId());
    const int result = MessageBoxW(owner, std::wstring(text).c_str(),
                                   std::wstring(DialogTitle(kind)).c_str(), style | IconStyle(kind));
    if (renameHook)
        UnhookWindowsHookEx(renameHook);
    renameHook = nullptr;
    pendingRenames.clear();
    return FromResult(result);
}

void Win32Dialogs::ShowMessage(HWND owner, std::wstring_view text)
{
    MessageBoxW(owner, std::wstring(text).c_str(), std::wstring(ApplicationTitle).c_str(), MB_OK);
}

void Win32Dialogs::ShowError(HWND owner, std::wstring_view text)
{
    MessageBoxW(owner, std::wstring(text).c_str(), std::wstring(ApplicationTitle).c_str(),
                MB_OK | MB_ICONERROR);
}

std::optional<std::wstring> Win32Dialogs::OpenFile(HWND owner, const FileDialogRequest& request)
{
    return RunFileDialog(owner, request, false);
}

std::optional<std::wstring> Win32Dialogs::SaveFile(HWND owner, const FileDialogRequest& request)
{
    return RunFileDialog(owner, request, true);
}

ModalResult Win32Dialogs::ShowModal(HWND owner, IModalForm& form)
{
    form.BeginShow(owner);
    return form.RunModal(owner);
}

} // namespace tessark
