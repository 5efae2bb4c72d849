#include "script/LastResort.h"

#include "ui/Dialogs.h"
#include "util/Messages.h"
#include "util/Utf8.h"

#include <Scintilla.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <exception>

namespace tessark::lastresort {
namespace {

constexpr std::size_t PathRoom = 32768;
constexpr std::size_t MessageRoom = 2 * PathRoom + 512;
// Long enough for a busy window thread, short enough not to hold a dying program.
constexpr UINT EditorAnswerTimeout = 3000;

// Everything the guard needs, copied here ahead of time.
struct Plan {
    wchar_t title[16] = {};
    wchar_t faultMessage[512] = {};
    HWND editor = nullptr;
    bool byteOrderMark = false;
    wchar_t places[2][PathRoom] = {};
    wchar_t rescuedMessages[2][MessageRoom] = {};
    wchar_t lostMessage[MessageRoom] = {};
};
Plan plan;
std::atomic_flag running = ATOMIC_FLAG_INIT;

void CopyInto(wchar_t* room, std::size_t size, std::wstring_view text)
{
    const std::size_t count = std::min(text.size(), size - 1);
    std::copy_n(text.data(), count, room);
    room[count] = L'\0';
}

bool Ask(HWND editor, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR& answer)
{
    return SendMessageTimeoutW(editor, message, wParam, lParam, SMTO_ABORTIFHUNG, EditorAnswerTimeout, &answer) != 0;
}

// All of it or nothing: a partial file is deleted, so that the next place is tried.
bool WriteWhole(const wchar_t* path, const char* bytes, std::size_t size)
{
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool complete = true;
    for (std::size_t done = 0; complete && done < size;) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size - done, 1u << 20));
        complete = WriteFile(file, bytes + done, chunk, &written, nullptr) && written == chunk;
        done += written;
    }
    complete = FlushFileBuffers(file) && complete;
    CloseHandle(file);
    if (!complete)
        DeleteFileW(path);
    return complete;
}

enum class Outcome { NothingUnsaved, RescuedFirst, RescuedFallback, Lost };

// The heap may be what failed: the bytes go into pages of their own.
Outcome RescueText()
{
    HWND editor = plan.editor;
    DWORD_PTR modified = 0, length = 0;
    if (!editor || !IsWindow(editor) || !Ask(editor, SCI_GETMODIFY, 0, 0, modified) || !modified)
        return Outcome::NothingUnsaved;
    if (!Ask(editor, SCI_GETLENGTH, 0, 0, length))
        return Outcome::Lost;
    const std::size_t mark = plan.byteOrderMark ? utf8::Mark.size() : 0;
    void* pages = VirtualAlloc(nullptr, mark + length + 1, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!pages)
        return Outcome::Lost;
    char* bytes = static_cast<char*>(pages);
    std::copy_n(utf8::Mark.data(), mark, bytes);
    DWORD_PTR copied = 0;
    Outcome outcome = Outcome::Lost;
    if (Ask(editor, SCI_GETTEXT, length + 1, reinterpret_cast<LPARAM>(bytes + mark), copied)) {
        const std::size_t size = mark + std::min<std::size_t>(copied, length);
        if (WriteWhole(plan.places[0], bytes, size))
            outcome = Outcome::RescuedFirst;
        else if (WriteWhole(plan.places[1], bytes, size))
            outcome = Outcome::RescuedFallback;
    }
    VirtualFree(pages, 0, MEM_RELEASE);
    return outcome;
}

const wchar_t* MessageFor(Outcome outcome)
{
    switch (outcome) {
    case Outcome::RescuedFirst: return plan.rescuedMessages[0];
    case Outcome::RescuedFallback: return plan.rescuedMessages[1];
    case Outcome::Lost: return plan.lostMessage;
    case Outcome::NothingUnsaved: break;
    }
    return plan.faultMessage;
}

DWORD WINAPI TellTheUser(void* text)
{
    MessageBoxW(nullptr, static_cast<const wchar_t*>(text), plan.title,
                MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND);
    return 0;
}

// Runs once; a fault inside it, or a second way of dying, goes straight on.
// The message box runs on a thread of its own: its stack is fresh, and its
// message loop does not call back into the windows of the thread that failed.
void RescueAndTell()
{
    if (running.test_and_set())
        return;
    auto* text = const_cast<wchar_t*>(MessageFor(RescueText()));
    if (HANDLE teller = CreateThread(nullptr, 0, TellTheUser, text, 0, nullptr)) {
        WaitForSingleObject(teller, INFINITE);
        CloseHandle(teller);
    } else {
        TellTheUser(text);
    }
}

[[noreturn]] void EndNow(UINT exitCode)
{
    TerminateProcess(GetCurrentProcess(), exitCode);
    for (;;)
        Sleep(INFINITE);
}

LONG WINAPI OnUnhandledFault(EXCEPTION_POINTERS* fault)
{
    RescueAndTell();
    EndNow(fault && fault->ExceptionRecord ? fault->ExceptionRecord->ExceptionCode : 3);
}

void OnTerminate()
{
    RescueAndTell();
    EndNow(3);
}

void OnAbortSignal(int)
{
    RescueAndTell();
    EndNow(3);
}

} // namespace

void Install()
{
    CopyInto(plan.title, std::size(plan.title), ApplicationTitle);
    CopyInto(plan.faultMessage, std::size(plan.faultMessage), msg::FatalFault);
    // Room on the stack for the guard itself when the stack is what overflowed.
    ULONG guarantee = 64 * 1024;
    SetThreadStackGuarantee(&guarantee);
    SetUnhandledExceptionFilter(OnUnhandledFault);
    std::set_terminate(OnTerminate);
    std::signal(SIGABRT, OnAbortSignal);
}

void Watch(HWND editor, const script::RescuePlaces& places, bool byteOrderMark)
{
    plan.editor = editor;
    plan.byteOrderMark = byteOrderMark;
    CopyInto(plan.places[0], PathRoom, places.first);
    CopyInto(plan.places[1], PathRoom, places.fallback);
    CopyInto(plan.rescuedMessages[0], MessageRoom, FormatMessageText(msg::FatalFaultTextRescued, places.first));
    CopyInto(plan.rescuedMessages[1], MessageRoom, FormatMessageText(msg::FatalFaultTextRescued, places.fallback));
    CopyInto(plan.lostMessage, MessageRoom,
             FormatMessageText(msg::FatalFaultTextLost, places.first + L"\n" + places.fallback));
}

void Forget(HWND editor)
{
    if (plan.editor == editor)
        plan.editor = nullptr;
}

std::wstring RescueNow()
{
    switch (RescueText()) {
    case Outcome::RescuedFirst: return plan.places[0];
    case Outcome::RescuedFallback: return plan.places[1];
    case Outcome::NothingUnsaved:
    case Outcome::Lost: break;
    }
    return {};
}

} // namespace tessark::lastresort
