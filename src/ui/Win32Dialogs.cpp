#include "ui/Win32Dialogs.h"

#include <commctrl.h>
#include <shlwapi.h>
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

PCWSTR TaskDialogIcon(DialogKind kind)
{
    switch (kind) {
    case DialogKind::Error: return TD_ERROR_ICON;
    case DialogKind::Warning: return TD_WARNING_ICON;
    case DialogKind::Information:
    case DialogKind::Confirmation: return TD_INFORMATION_ICON;
    }
    return nullptr;
}

using TaskDialogFunction = HRESULT(WINAPI*)(const TASKDIALOGCONFIG*, int*, int*, BOOL*);

// Version 6 of the common controls has it; looked up rather than imported,
// so that a program without that version still starts.
TaskDialogFunction FindTaskDialog()
{
    const HMODULE controls = GetModuleHandleW(L"comctl32.dll");
    return controls ? reinterpret_cast<TaskDialogFunction>(
                          reinterpret_cast<void*>(GetProcAddress(controls, "TaskDialogIndirect")))
                    : nullptr;
}

// Command links are version 6's own buttons; an older version of the
// common controls leaves them out, and takes plain buttons instead.
bool HasCommandLinks()
{
    using GetVersionFunction = HRESULT(CALLBACK*)(DLLVERSIONINFO*);
    const HMODULE controls = GetModuleHandleW(L"comctl32.dll");
    const auto getVersion = controls ? reinterpret_cast<GetVersionFunction>(
                                           reinterpret_cast<void*>(GetProcAddress(controls, "DllGetVersion")))
                                     : nullptr;
    DLLVERSIONINFO version{};
    version.cbSize = sizeof version;
    return getVersion && SUCCEEDED(getVersion(&version)) && version.dwMajorVersion >= 6;
}

constexpr int FirstChoiceId = 1000;

// The system names the cancel button in its own language.
HRESULT CALLBACK NameCancelInFrench(HWND dialog, UINT notification, WPARAM, LPARAM, LONG_PTR)
{
    if (notification == TDN_CREATED)
        SetDlgItemTextW(dialog, IDCANCEL, std::wstring(DialogButtonCaption(DialogButton::Cancel)).c_str());
    return S_OK;
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

// Each way on a command link, its detail on the link's second line.
std::optional<std::size_t> Win32Dialogs::ChooseAmong(HWND owner, std::wstring_view text, DialogKind kind,
                                                     const std::vector<DialogChoice>& choices)
{
    const TaskDialogFunction taskDialog = FindTaskDialog();
    if (!taskDialog)
        return std::nullopt;
    const bool links = HasCommandLinks();
    std::vector<std::wstring> labels;
    for (const auto& choice : choices)
        labels.push_back(choice.detail.empty() || !links ? choice.caption : choice.caption + L"\n" + choice.detail);
    std::vector<TASKDIALOG_BUTTON> buttons;
    for (std::size_t i = 0; i < labels.size(); ++i)
        buttons.push_back({FirstChoiceId + static_cast<int>(i), labels[i].c_str()});
    const std::wstring title(DialogTitle(kind)), content(text);
    TASKDIALOGCONFIG config{};
    config.cbSize = sizeof config;
    config.hwndParent = owner;
    config.dwFlags = (links ? TDF_USE_COMMAND_LINKS : 0) | TDF_ALLOW_DIALOG_CANCELLATION |
                     TDF_POSITION_RELATIVE_TO_WINDOW;
    config.dwCommonButtons = TDCBF_CANCEL_BUTTON;
    config.pszWindowTitle = title.c_str();
    config.pszMainIcon = TaskDialogIcon(kind);
    config.pszContent = content.c_str();
    config.cButtons = static_cast<UINT>(buttons.size());
    config.pButtons = buttons.data();
    config.nDefaultButton = FirstChoiceId;
    config.pfCallback = NameCancelInFrench;
    int pressed = 0;
    if (FAILED(taskDialog(&config, &pressed, nullptr, nullptr)) || pressed < FirstChoiceId ||
        pressed >= FirstChoiceId + static_cast<int>(choices.size()))
        return std::nullopt;
    return static_cast<std::size_t>(pressed - FirstChoiceId);
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
