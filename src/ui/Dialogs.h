#pragma once
// Every message box and file dialog of the program goes through this interface,
// so that tests can answer them; Win32Dialogs shows the real ones.
#include "util/Win32.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessark {

enum class DialogKind { Error, Warning, Information, Confirmation };
enum class DialogButton { Ok, Cancel, Yes, No };

std::wstring_view DialogTitle(DialogKind kind);         // "Erreur", "Avertissement", ...
std::wstring_view DialogButtonCaption(DialogButton b);  // "OK", "Annuler", "&Oui", "&Non"

inline constexpr std::wstring_view ApplicationTitle = L"Tessark";

struct FileDialogRequest {
    std::wstring filter;         // "Description|pattern|Description|pattern"
    int filterIndex = 1;         // 1-based, as the common dialogs count
    std::wstring initialFolder;
    std::wstring fileName;       // proposed name: the one last chosen
};

// One of the ways a choice question offers: what its button says, and a line
// under it that tells what it does.
struct DialogChoice {
    std::wstring caption;
    std::wstring detail;
};

enum class ModalResult { None, Ok, Cancel };

// A whole number asked for in a small box of its own ("Aller à la ligne").
struct NumberRequest {
    std::wstring title;
    std::wstring prompt;
    int proposed = 1;
    int minimum = 1;
    int maximum = 1;
};

// A window of the program shown modally (the WAD chooser, the about box).
class IModalForm {
public:
    virtual ~IModalForm() = default;
    virtual HWND hwnd() const = 0;
    // Gets the form ready to be shown: no result yet, its show event run.
    virtual void BeginShow(HWND owner) = 0;
    // Shows the form prepared by BeginShow and runs its modal loop until a
    // button or the close box gives a result.
    virtual ModalResult RunModal(HWND owner) = 0;
    virtual ModalResult Result() const = 0;
};

class IDialogs {
public:
    virtual ~IDialogs() = default;
    // A message dialog of the given kind; returns the button pressed
    // (closing the box counts as Annuler when there is one, else as the last button).
    virtual DialogButton MessageDlg(HWND owner, std::wstring_view text, DialogKind kind,
                                    const std::vector<DialogButton>& buttons) = 0;
    // The plain message box titled "Tessark" with one OK.
    virtual void ShowMessage(HWND owner, std::wstring_view text) = 0;
    // The default display of a failure: "Tessark", error icon, one OK.
    virtual void ShowError(HWND owner, std::wstring_view text) = 0;
    // A question answered by one of several ways, each on its own button,
    // with "Annuler" beside them; the index of the way chosen, nothing when
    // the user cancelled or closed the box.
    virtual std::optional<std::size_t> ChooseAmong(HWND owner, std::wstring_view text, DialogKind kind,
                                                   const std::vector<DialogChoice>& choices) = 0;
    virtual std::optional<std::wstring> OpenFile(HWND owner, const FileDialogRequest& request) = 0;
    virtual std::optional<std::wstring> SaveFile(HWND owner, const FileDialogRequest& request) = 0;
    // Shows one of the program's own forms modally; returns how it was closed.
    virtual ModalResult ShowModal(HWND owner, IModalForm& form) = 0;
    // Nothing when the user cancels; a number typed outside the range is
    // asked for again.
    virtual std::optional<int> AskNumber(HWND owner, const NumberRequest& request) = 0;
};

// Shows a failure in the default error display, with the "." rule applied.
void ShowFailure(IDialogs& dialogs, HWND owner, std::wstring_view text);

// Runs `action`; an exception that escapes it is shown by the default error
// display instead of crossing a window procedure. Returns false when one did.
template <class Action>
bool RunGuarded(IDialogs& dialogs, HWND owner, Action&& action);

void ReportCurrentException(IDialogs& dialogs, HWND owner);

template <class Action>
bool RunGuarded(IDialogs& dialogs, HWND owner, Action&& action)
{
    try {
        action();
        return true;
    } catch (...) {
        ReportCurrentException(dialogs, owner);
        return false;
    }
}

} // namespace tessark
