// The small box that asks for a whole number (the line to go to), built in
// memory: the program carries no dialog resources.
#include "ui/Win32Dialogs.h"

#include "util/Messages.h"

#include <cwchar>
#include <string>
#include <vector>

namespace tessark {
namespace {

constexpr int NumberBox = 100;

struct Asked {
    const NumberRequest* request;
    int answer = 0;
};

// A dialog template is a run of WORDs: each item's header, then its class,
// caption and creation data.
class Template {
public:
    void Align() { while (words_.size() % 2) words_.push_back(0); }
    void Add(const void* data, std::size_t bytes)
    {
        const auto* w = static_cast<const WORD*>(data);
        words_.insert(words_.end(), w, w + bytes / sizeof(WORD));
    }
    void Text(std::wstring_view text)
    {
        words_.insert(words_.end(), text.begin(), text.end());
        words_.push_back(0);
    }
    void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD classAtom, std::wstring_view caption)
    {
        Align();
        DLGITEMTEMPLATE item{style | WS_CHILD | WS_VISIBLE, 0, x, y, cx, cy, id};
        Add(&item, sizeof item);
        words_.push_back(0xFFFF);
        words_.push_back(classAtom);
        Text(caption);
        words_.push_back(0);
    }
    const DLGTEMPLATE* Data() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    std::vector<WORD> words_;
};

constexpr WORD ButtonClass = 0x0080, EditClass = 0x0081, StaticClass = 0x0082;

bool ReadAnswer(HWND box, Asked& asked)
{
    BOOL whole = FALSE;
    const int value = static_cast<int>(GetDlgItemInt(box, NumberBox, &whole, TRUE));
    if (!whole || value < asked.request->minimum || value > asked.request->maximum)
        return false;
    asked.answer = value;
    return true;
}

INT_PTR CALLBACK NumberProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* asked = reinterpret_cast<Asked*>(GetWindowLongPtrW(box, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrW(box, DWLP_USER, lParam);
        asked = reinterpret_cast<Asked*>(lParam);
        SetWindowTextW(box, asked->request->title.c_str());
        SetDlgItemInt(box, NumberBox, static_cast<UINT>(asked->request->proposed), TRUE);
        SendDlgItemMessageW(box, NumberBox, EM_SETSEL, 0, -1);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            if (ReadAnswer(box, *asked))
                EndDialog(box, IDOK);
            else
                MessageBeep(MB_ICONWARNING);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(box, IDCANCEL);
            return TRUE;
        }
        break;
    default:
        break;
    }
    return FALSE;
}

} // namespace

std::optional<int> Win32Dialogs::AskNumber(HWND owner, const NumberRequest& request)
{
    Template form;
    DLGTEMPLATE head{DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 4, 0, 0, 180, 62};
    form.Add(&head, sizeof head);
    form.Text(L"");                 // no menu
    form.Text(L"");                 // the standard class
    form.Text(request.title);
    const WORD points = 8;
    form.Add(&points, sizeof points);
    form.Text(L"MS Shell Dlg");
    form.Item(SS_LEFT, 7, 7, 166, 10, 0xFFFF, StaticClass, request.prompt);
    form.Item(WS_BORDER | WS_TABSTOP | ES_NUMBER | ES_AUTOHSCROLL, 7, 20, 166, 13, NumberBox, EditClass, L"");
    form.Item(WS_TABSTOP | BS_DEFPUSHBUTTON, 69, 41, 50, 14, IDOK, ButtonClass, DialogButtonCaption(DialogButton::Ok));
    form.Item(WS_TABSTOP | BS_PUSHBUTTON, 123, 41, 50, 14, IDCANCEL, ButtonClass,
              DialogButtonCaption(DialogButton::Cancel));
    Asked asked{&request};
    const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), form.Data(), owner, NumberProcedure,
                                                   reinterpret_cast<LPARAM>(&asked));
    if (result != IDOK)
        return std::nullopt;
    return asked.answer;
}

} // namespace tessark
