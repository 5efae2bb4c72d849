#include "util/RunAndWait.h"

#include "util/HourGlass.h"
#include "util/Win32Handle.h"

#include <utility>
#include <vector>

namespace tessark {
namespace {

// Mouse and keyboard messages that arrive while the program waits are thrown
// away: a click made under the hourglass must not act once the wait is over.
void DiscardInput()
{
    MSG message;
    const std::pair<UINT, UINT> inputRanges[] = {
        {WM_KEYFIRST, WM_KEYLAST},
        {WM_MOUSEFIRST, WM_MOUSELAST},
        {WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK},
    };
    for (const auto& [first, last] : inputRanges)
        while (PeekMessageW(&message, nullptr, first, last, PM_REMOVE)) {
        }
    HourGlass::Reassert();
}

// Messages sent by other threads are answered inside PeekMessage itself.
void Repaint()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT))
        DispatchMessageW(&message);
}

// After ending a program that was not waited for any longer.
constexpr DWORD EndingWait = 5000;

} // namespace

bool WaitWhileRepainting(HANDLE object, DWORD milliseconds)
{
    const ULONGLONG start = GetTickCount64();
    const DWORD count = object ? 1 : 0;
    for (;;) {
        DiscardInput();
        Repaint();
        DWORD remaining = INFINITE;
        if (milliseconds != INFINITE) {
            const ULONGLONG elapsed = GetTickCount64() - start;
            if (elapsed >= milliseconds)
                return false;
            remaining = static_cast<DWORD>(milliseconds - elapsed);
        }
        const DWORD woken = MsgWaitForMultipleObjects(count, object ? &object : nullptr, FALSE, remaining,
                                                      QS_INPUT | QS_PAINT | QS_SENDMESSAGE);
        if (object && woken == WAIT_OBJECT_0)
            return true;
        if (woken == WAIT_TIMEOUT)
            return false;
        if (woken == WAIT_FAILED)
            return object ? WaitForSingleObject(object, remaining) == WAIT_OBJECT_0 : (Sleep(remaining), false);
    }
}

namespace {

// Starts the program; the process's handle, or an empty one.
Handle StartProcess(std::wstring_view commandLine, std::wstring_view workingFolder, ProgramWindow window)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    DWORD creationFlags = 0;
    if (window == ProgramWindow::Hidden) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_HIDE;
        creationFlags = CREATE_NO_WINDOW;
    }
    PROCESS_INFORMATION process{};
    // CreateProcessW may write into the command line it is given.
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');
    const std::wstring folder(workingFolder);
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, creationFlags, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &process))
        return Handle();
    CloseHandle(process.hThread);
    return Handle(process.hProcess);
}

} // namespace

bool RunAndWait(std::wstring_view commandLine, std::wstring_view workingFolder, ProgramWindow window)
{
    const Handle process = StartProcess(commandLine, workingFolder, window);
    if (!process.ok())
        return false;
    WaitWhileRepainting(process.get(), INFINITE);
    return true;
}

ToolRun WaitWithPatience(HANDLE process, DWORD patience, const KeepWaiting& keepWaiting)
{
    while (!WaitWhileRepainting(process, patience)) {
        if (keepWaiting && keepWaiting())
            continue;
        TerminateProcess(process, 1);
        WaitForSingleObject(process, EndingWait);
        return {ToolRun::Outcome::Stopped, 0};
    }
    DWORD exitCode = 0;
    GetExitCodeProcess(process, &exitCode);
    return {ToolRun::Outcome::Finished, exitCode};
}

ToolRun RunWithPatience(std::wstring_view commandLine, std::wstring_view workingFolder, ProgramWindow window,
                        DWORD patience, const KeepWaiting& keepWaiting)
{
    const Handle process = StartProcess(commandLine, workingFolder, window);
    if (!process.ok())
        return {};
    return WaitWithPatience(process.get(), patience, keepWaiting);
}

} // namespace tessark
