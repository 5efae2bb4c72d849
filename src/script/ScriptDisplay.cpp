// What the script editor shows beside the text: the font size box, the
// caret's line and column and the Modified panel, and the report under the
// editor that leads to a line.
#include "script/ScriptArea.h"

#include "script/ReportPanel.h"
#include "ui/AreaHost.h"
#include "ui/RichEdit.h"
#include "ui/Window.h"
#include "util/TextUtils.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <iterator>

namespace tessark {

void ScriptArea::ShowReport(const Report& report, bool fromTheEnd)
{
    report_->Show(report, fromTheEnd);
}

bool ScriptArea::OnDrawItem(const DRAWITEMSTRUCT& item)
{
    return report_->OnDrawItem(item);
}

void ScriptArea::ReportLineChosen()
{
    const auto index = static_cast<int>(SendMessageW(report_->hwnd(), LB_GETCURSEL, 0, 0));
    if (const int line = report_->ScriptLineAt(index))
        GoToScriptLine(line);
}

void ScriptArea::GoToScriptLine(int line)
{
    const long lines = static_cast<long>(SendMessageW(editor_, EM_GETLINECOUNT, 0, 0));
    const long start = richedit::LineIndex(editor_, std::clamp<long>(line, 1, std::max(1L, lines)) - 1);
    SetFocus(editor_);
    richedit::Select(editor_, start, start);
    SendMessageW(editor_, EM_SCROLLCARET, 0, 0);
}

void ScriptArea::SelectionChange()
{
    updating_ = true;
    struct ClearOnExit {
        bool& flag;
        ~ClearOnExit() { flag = false; }
    } clear{updating_};
    SetWindowTextOf(fontSize_, std::to_wstring(SelectedSize()));
    UpdateCaretPosition();
}

int ScriptArea::SelectedSize() const
{
    return richedit::SelectionSize(editor_);
}

void ScriptArea::RichEditChange()
{
    searchTextValid_ = false;
    ShowModifiedState(richedit::IsModified(editor_));
}

void ScriptArea::UpdateCaretPosition()
{
    const auto selection = richedit::GetSelection(editor_);
    const long line = richedit::LineFromChar(editor_, selection.start);
    const long column = selection.start - richedit::LineIndex(editor_, line);
    wchar_t text[64];
    std::swprintf(text, std::size(text), L"Line: %3ld   Col: %3ld", line + 1, column + 1);
    host_.SetStatusPanel(0, text);
}

void ScriptArea::ShowModifiedState(bool modified)
{
    host_.SetStatusPanel(1, modified ? L"Modified" : L"");
}

void ScriptArea::FontSizeChange()
{
    if (updating_)
        return;
    ApplySize(StrToInt(WindowText(fontSize_)));
}

void ScriptArea::UpDown1Click(int position)
{
    static constexpr int SizeOfPosition[] = {8, 9, 12};
    const int points = SizeOfPosition[std::clamp(position, 1, 3) - 1];
    richedit::SetSize(editor_, points, false);
    SetWindowTextOf(fontSize_, std::to_wstring(points));
}

void ScriptArea::ApplySize(int points)
{
    const auto selection = richedit::GetSelection(editor_);
    // The attributes a size change applies to: the selection's when there is one.
    richedit::SetSize(editor_, points, selection.end > selection.start);
}

} // namespace tessark
