#include "util/CapturedRun.h"

#include "util/RunAndWait.h"
#include "util/Win32Handle.h"

#include <algorithm>
#include <vector>

namespace tessark {
namespace {

// How often the pipe is emptied while the program runs: a program that fills
// the pipe waits at most this long.
constexpr DWORD ReadInterval = 50;
// After ending a program that was not waited for any longer.
constexpr DWORD EndingWait = 5000;

struct Pipe {
    Handle read;
    Handle write;  // inherited by the program
};

bool MakePipe(Pipe& pipe)
{
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE read = nullptr, write = nullptr;
    if (!CreatePipe(&read, &write, &inheritable, 64 * 1024))
        return false;
    pipe.read.Reset(read);
    pipe.write.Reset(write);
    return SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0) != FALSE;
}

Handle OpenEmptyInput()
{
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    return Handle(CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable, OPEN_EXISTING,
                              0, nullptr));
}

// Takes what the pipe holds now, without waiting for more.
void Drain(HANDLE pipe, std::string& output)
{
    char buffer[8192];
    for (;;) {
        DWORD available = 0;
        if (!PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) || available == 0)
            return;
        DWORD got = 0;
        if (!ReadFile(pipe, buffer, std::min<DWORD>(available, sizeof buffer), &got, nullptr) || got == 0)
            return;
        const std::size_t room = MaximumCapturedOutput - std::min(MaximumCapturedOutput, output.size());
        output.append(buffer, std::min<std::size_t>(got, room));
    }
}

} // namespace

CapturedRun RunCapturingOutput(const std::wstring& commandLine, const std::wstring& workingFolder,
                               DWORD patience, const KeepWaiting& keepWaiting)
{
    CapturedRun run;
    Pipe pipe;
    Handle input = OpenEmptyInput();
    if (!MakePipe(pipe) || !input.ok()) {
        run.startError = GetLastError();
        return run;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    startup.hStdInput = input.get();
    startup.hStdOutput = pipe.write.get();
    startup.hStdError = pipe.write.get();
    PROCESS_INFORMATION process{};
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                        workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup, &process)) {
        run.startError = GetLastError();
        return run;
    }
    Handle program(process.hProcess);
    CloseHandle(process.hThread);
    // Only the program holds the writing end now.
    pipe.write.Close();
    input.Close();

    run.outcome = CapturedRun::Outcome::Finished;
    ULONGLONG askAt = GetTickCount64() + patience;
    for (;;) {
        Drain(pipe.read.get(), run.output);
        if (WaitWhileRepainting(program.get(), ReadInterval))
            break;
        if (GetTickCount64() < askAt)
            continue;
        if (!keepWaiting || !keepWaiting()) {
            TerminateProcess(program.get(), 1);
            WaitForSingleObject(program.get(), EndingWait);
            run.outcome = CapturedRun::Outcome::Stopped;
            break;
        }
        askAt = GetTickCount64() + patience;
    }
    Drain(pipe.read.get(), run.output);
    return run;
}

} // namespace tessark
