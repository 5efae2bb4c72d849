// What the editor offers while a script is typed: the commands of the
// caret's section at the start of a line, a command's argument layout once
// its "=" is typed, and the text files of the script folder where a
// language file or an included file is named.
#include "script/ScriptArea.h"

#include "script/ScriptCompletion.h"
#include "ui/AreaHost.h"
#include "ui/ScintillaEdit.h"
#include "util/FmxUtils.h"
#include "util/InstallLayout.h"
#include "util/Text1252.h"

#include <Scintilla.h>

#include <algorithm>
#include <cctype>
#include <exception>
#include <string>
#include <utility>
#include <vector>

namespace tessark {
namespace {

// A section header is rarely far above; a text without one is not read whole.
constexpr std::intptr_t SectionSearchLines = 20000;
constexpr char ListSeparator = '\n';
constexpr UINT_PTR SuggestionTimer = 0x5E6;

bool IsNameCharacter(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

void AddEntry(std::string& list, std::string_view entry)
{
    if (!list.empty())
        list.push_back(ListSeparator);
    list.append(entry);
}

} // namespace

void ScriptArea::SetUpSuggestions()
{
    editor_->Send(SCI_AUTOCSETSEPARATOR, ListSeparator);
    editor_->Send(SCI_AUTOCSETIGNORECASE, true);
    editor_->Send(SCI_AUTOCSETORDER, SC_ORDER_PERFORMSORT);
    editor_->Send(SCI_AUTOCSETMAXHEIGHT, 12);
}

std::string ScriptArea::LineText(std::intptr_t line, std::intptr_t upTo) const
{
    const std::intptr_t start = editor_->LineStart(line);
    const std::intptr_t end =
        upTo >= 0 ? upTo : editor_->Send(SCI_GETLINEENDPOSITION, static_cast<std::uintptr_t>(line));
    const auto* bytes = reinterpret_cast<const char*>(
        editor_->Send(SCI_GETRANGEPOINTER, static_cast<std::uintptr_t>(start), end - start));
    return bytes ? std::string(bytes, static_cast<std::size_t>(end - start)) : std::string();
}

std::string ScriptArea::SectionOfLine(std::intptr_t line) const
{
    const std::intptr_t last = std::max<std::intptr_t>(0, line - SectionSearchLines);
    for (std::intptr_t above = line; above >= last; --above) {
        const std::string text = LineText(above);
        const std::size_t first = text.find_first_not_of(" \t");
        if (first != std::string::npos && text[first] == '[')
            return std::string(script::SectionAt(text, text.size()));
    }
    return {};
}

// Windows-1252 texts of the program in the document's own code page.
std::string ScriptArea::InDocumentCodePage(std::string_view text1252) const
{
    if (!utf8_)
        return std::string(text1252);
    const std::wstring wide = cp1252::Decode(text1252);
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(std::max(size, 0)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

// The list or the call tip comes once the typed character is drawn: a
// timer's message waits until the windows have painted, and opening a list
// window costs more than the time within which a key should show.
void ScriptArea::OnCharacterAdded(int character)
{
    characterToRespond_ = character;
    SetTimer(groupBox1_, SuggestionTimer, USER_TIMER_MINIMUM, &ScriptArea::OnSuggestionTimer);
}

void CALLBACK ScriptArea::OnSuggestionTimer(HWND window, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(window, timer);
    // An offer that fails leaves the text as it is: typing goes on.
    try {
        if (auto* area = AreaOfPanel(window))
            area->RespondToCharacter(std::exchange(area->characterToRespond_, 0));
    } catch (const std::exception&) {
    }
}

void ScriptArea::RespondToCharacter(int character)
{
    if (character == '=')
        ShowArgumentLayout();
    else if (character == ' ' || character == ',' || character == '"' ||
             (character > 0 && character < 0x80 && IsNameCharacter(static_cast<char>(character))))
        Suggest(false);
}

void ScriptArea::CompleteClick()
{
    if (IsWindowVisible(Editor()) && GetFocus() == Editor())
        Suggest(true);
}

// A list already shown goes on narrowing by itself as letters are typed.
void ScriptArea::Suggest(bool asked)
{
    if (editor_->Send(SCI_AUTOCACTIVE))
        return;
    const std::intptr_t caret = editor_->Send(SCI_GETCURRENTPOS);
    const std::intptr_t line = editor_->LineFromPosition(caret);
    const std::string before = LineText(line, caret);
    const std::string section = SectionOfLine(line);
    std::size_t typed = 0;
    while (typed < before.size() && IsNameCharacter(before[before.size() - 1 - typed]))
        ++typed;
    std::string list;
    switch (script::CompletionAt(section, before)) {
    case script::CompletionKind::Commands:
        if (typed == 0 && !asked)
            return;
        for (const auto& hint : script::CommandsForSection(section))
            AddEntry(list, hint.name);
        break;
    case script::CompletionKind::LanguageFiles:
    case script::CompletionKind::IncludeFiles: {
        const std::wstring folder = layout::InstallPath(host_.InstallationRoot(), layout::ScriptFolder);
        for (const auto& name : FileNamesIn(folder, L"*.txt"))
            AddEntry(list, InDocumentCodePage(cp1252::Encode(name)));
        break;
    }
    case script::CompletionKind::None:
        return;
    }
    if (list.empty())
        return;
    suggested_ = list;
    editor_->Send(SCI_AUTOCSHOW, typed, reinterpret_cast<std::intptr_t>(list.c_str()));
}

void ScriptArea::ShowArgumentLayout()
{
    const std::intptr_t caret = editor_->Send(SCI_GETCURRENTPOS);
    const std::intptr_t line = editor_->LineFromPosition(caret);
    const std::string before = LineText(line, caret);
    const auto layout = script::ArgumentLayout(SectionOfLine(line), before.substr(0, before.rfind('=')));
    if (layout)
        editor_->Send(SCI_CALLTIPSHOW, static_cast<std::uintptr_t>(caret),
                      reinterpret_cast<std::intptr_t>(InDocumentCodePage(*layout).c_str()));
}

} // namespace tessark
