#include "ui/Dialogs.h"

#include "util/Messages.h"

#include <exception>
#include <new>

namespace tessark {

std::wstring_view DialogTitle(DialogKind kind)
{
    switch (kind) {
    case DialogKind::Error: return L"Erreur";
    case DialogKind::Warning: return L"Avertissement";
    case DialogKind::Information: return L"Information";
    case DialogKind::Confirmation: return L"Confirmation";
    }
    return ApplicationTitle;
}

std::wstring_view DialogButtonCaption(DialogButton button)
{
    switch (button) {
    case DialogButton::Ok: return L"OK";
    case DialogButton::Cancel: return L"Annuler";
    case DialogButton::Yes: return L"&Oui";
    case DialogButton::No: return L"&Non";
    }
    return L"OK";
}

void ShowFailure(IDialogs& dialogs, HWND owner, std::wstring_view text)
{
    dialogs.ShowError(owner, ErrorDisplayText(text));
}

namespace {
std::wstring Widen(const char* text)
{
    std::wstring result;
    for (; text && *text; ++text)
        result += static_cast<wchar_t>(static_cast<unsigned char>(*text));
    return result;
}
} // namespace

void ReportCurrentException(IDialogs& dialogs, HWND owner)
{
    try {
        throw;
    } catch (const UserError& e) {
        ShowFailure(dialogs, owner, e.text());
    } catch (const std::bad_alloc&) {
        ShowFailure(dialogs, owner, L"Mémoire insuffisante");
    } catch (const std::exception& e) {
        ShowFailure(dialogs, owner, Widen(e.what()));
    } catch (...) {
        ShowFailure(dialogs, owner, L"Erreur inattendue");
    }
}

} // namespace tessark
