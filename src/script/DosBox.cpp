#include "script/DosBox.h"

#include "script/ProgramHeader.h"
#include "util/CommandLine.h"
#include "util/FileIO.h"
#include "util/FmxUtils.h"
#include "util/RunAndWait.h"

#include <array>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace tessark {
namespace {

constexpr std::wstring_view LogName = L"TESSARK.LOG";
constexpr std::wstring_view ConfigName = L"tessark-dosbox.conf";
// A Unix DOSBox started from Wine runs detached: no handle tells its end. A
// shell starts it, keeps its process number and leaves a mark once it ends.
constexpr std::wstring_view PidName = L"dosbox.pid";
constexpr std::wstring_view EndMarkName = L"dosbox.end";
constexpr char UnixShell[] = "/bin/sh";
constexpr DWORD EndMarkInterval = 100;

// A quiet, windowed machine fast enough for a compiler.
constexpr char Config[] =
    "[sdl]\r\nfullscreen=false\r\nautolock=false\r\n"
    "[dosbox]\r\nmemsize=16\r\n"
    "[cpu]\r\ncore=auto\r\ncycles=max\r\n"
    "[mixer]\r\nnosound=true\r\n"
    "[speaker]\r\npcspeaker=false\r\ntandy=off\r\ndisney=false\r\n"
    "[sblaster]\r\nsbtype=none\r\n"
    "[gus]\r\ngus=false\r\n"
    "[midi]\r\nmpu401=none\r\n"
    "[serial]\r\nserial1=disabled\r\nserial2=disabled\r\n"
    "[dos]\r\nxms=true\r\nems=true\r\numb=true\r\n";

constexpr std::array<const char*, 6> UnixPlaces = {
    "/usr/bin/dosbox", "/usr/local/bin/dosbox", "/usr/games/dosbox",
    "/opt/local/bin/dosbox", "/opt/homebrew/bin/dosbox", "/snap/bin/dosbox",
};

using UnixToDos = WCHAR* (*)(const char*);
using DosToUnix = char* (*)(const WCHAR*);

std::wstring Environment(const wchar_t* name)
{
    const DWORD length = GetEnvironmentVariableW(name, nullptr, 0);
    if (length == 0)
        return {};
    std::wstring value(length, L'\0');
    value.resize(GetEnvironmentVariableW(name, value.data(), length));
    return value;
}

// Under Wine, a Unix path as a Windows program opens it; else empty.
std::wstring DosPathOf(const std::string& unixPath)
{
    auto convert = reinterpret_cast<UnixToDos>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
    if (!convert)
        return {};
    WCHAR* dos = convert(unixPath.c_str());
    if (!dos)
        return {};
    std::wstring path(dos);
    HeapFree(GetProcessHeap(), 0, dos);
    return path;
}

// Under Wine, the Unix path of a Windows one; else empty.
std::string UnixPathOf(const std::wstring& dosPath)
{
    auto convert = reinterpret_cast<DosToUnix>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!convert)
        return {};
    char* unix = convert(dosPath.c_str());
    if (!unix)
        return {};
    std::string path(unix);
    HeapFree(GetProcessHeap(), 0, unix);
    return path;
}

// A program DOSBox may be: a Windows one takes Windows paths, anything else
// (under Wine) is a Unix program.
std::optional<DosBoxProgram> DosBoxAt(const std::wstring& path)
{
    if (path.empty() || !FileExists(path))
        return std::nullopt;
    std::string start;
    try {
        start = ReadWholeFile(path).substr(0, script::ProgramHeaderBytes);
    } catch (...) {
        return std::nullopt;
    }
    const bool windows = script::ProgramKindOf(start) == script::ProgramKind::Windows;
    if (!windows && !RunningUnderWine())
        return std::nullopt;
    return DosBoxProgram{path, !windows};
}

std::optional<DosBoxProgram> NamedByVariable(const std::wstring& value)
{
    if (!value.empty() && value.front() == L'/') {
        std::string unix;
        for (wchar_t c : value)
            unix += static_cast<char>(c);  // Unix paths of DOSBox are plain ASCII here
        return DosBoxAt(DosPathOf(unix));
    }
    return DosBoxAt(value);
}

std::optional<DosBoxProgram> InstalledForWindows()
{
    for (const wchar_t* variable : {L"ProgramFiles", L"ProgramFiles(x86)", L"ProgramW6432"}) {
        const std::wstring root = Environment(variable);
        if (root.empty())
            continue;
        WIN32_FIND_DATAW found{};
        HANDLE search = FindFirstFileW((root + L"\\DOSBox*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            continue;
        std::optional<DosBoxProgram> program;
        do {
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                program = DosBoxAt(root + L"\\" + found.cFileName + L"\\DOSBox.exe");
        } while (!program && FindNextFileW(search, &found));
        FindClose(search);
        if (program)
            return program;
    }
    wchar_t onPath[MAX_PATH] = {};
    if (SearchPathW(nullptr, L"dosbox.exe", nullptr, MAX_PATH, onPath, nullptr))
        return DosBoxAt(onPath);
    return std::nullopt;
}

std::optional<DosBoxProgram> InstalledForUnix()
{
    for (const char* place : UnixPlaces)
        if (auto program = DosBoxAt(DosPathOf(place)))
            return program;
    return std::nullopt;
}

// A fresh folder of our own under the temporary folder.
std::wstring MakeTemporaryFolder()
{
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    if (length == 0 || length > MAX_PATH)
        return {};
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        const std::wstring folder = std::wstring(temp) + L"tessark-dosbox-" + std::to_wstring(GetCurrentProcessId()) +
                                    L"-" + std::to_wstring(GetTickCount64() + attempt);
        if (CreateDirectoryW(folder.c_str(), nullptr))
            return folder;
    }
    return {};
}

void RemoveFolder(const std::wstring& folder)
{
    for (std::wstring_view name : {LogName, ConfigName, PidName, EndMarkName})
        DeleteFileW((folder + L"\\" + std::wstring(name)).c_str());
    RemoveDirectoryW(folder.c_str());
}

std::wstring FromUtf8(const std::string& text)
{
    if (text.empty())
        return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

// A path as the DOSBox program takes it.
std::wstring PathFor(const DosBoxProgram& dosBox, const std::wstring& path)
{
    return dosBox.unixProgram ? FromUtf8(UnixPathOf(path)) : path;
}

// One word for the Unix shell, whatever it holds.
std::wstring ShellWord(std::wstring_view word)
{
    std::wstring quoted = L"'";
    for (wchar_t c : word)
        quoted += c == L'\'' ? std::wstring(L"'\\''") : std::wstring(1, c);
    return quoted + L"'";
}

std::wstring ShellLine(const std::vector<std::wstring>& words)
{
    std::wstring line;
    for (const std::wstring& word : words)
        line += (line.empty() ? L"" : L" ") + ShellWord(word);
    return line;
}

bool StartShell(const std::wstring& script)
{
    const std::wstring shell = DosPathOf(UnixShell);
    if (shell.empty())
        return false;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring line = CommandLine(shell, {L"-c", script});
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                        &process))
        return false;
    // Wine gives no handles for a Unix program; close any it gave.
    if (process.hProcess)
        CloseHandle(process.hProcess);
    if (process.hThread)
        CloseHandle(process.hThread);
    return true;
}

// Runs the Unix DOSBox through the shell and waits for its end mark.
CapturedRun RunDetached(const DosBoxProgram& dosBox, std::vector<std::wstring> words, const std::wstring& temp,
                        DWORD patience, const KeepWaiting& keepWaiting)
{
    CapturedRun run;
    const std::wstring pid = PathFor(dosBox, temp + L"\\" + std::wstring(PidName));
    const std::wstring endMark = temp + L"\\" + std::wstring(EndMarkName);
    words.front() = PathFor(dosBox, dosBox.path);
    const std::wstring script = ShellLine(words) + L" & echo $! > " + ShellWord(pid) + L"; wait; echo > " +
                                ShellWord(PathFor(dosBox, endMark));
    if (!StartShell(script))
        return run;
    run.outcome = CapturedRun::Outcome::Finished;
    ULONGLONG askAt = GetTickCount64() + patience;
    while (!FileExists(endMark)) {
        WaitWhileRepainting(nullptr, EndMarkInterval);
        if (GetTickCount64() < askAt)
            continue;
        if (!keepWaiting || !keepWaiting()) {
            StartShell(L"kill $(cat " + ShellWord(pid) + L")");
            run.outcome = CapturedRun::Outcome::Stopped;
            break;
        }
        askAt = GetTickCount64() + patience;
    }
    return run;
}

std::wstring Mount(wchar_t drive, const std::wstring& folder)
{
    return std::wstring(L"mount ") + drive + L" \"" + folder + L"\"";
}

} // namespace

bool RunningUnderWine()
{
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

std::optional<DosBoxProgram> FindDosBox()
{
    const std::wstring named = Environment(DosBoxVariable);
    if (named == L"none")
        return std::nullopt;
    if (!named.empty())
        return NamedByVariable(named);
    if (auto program = InstalledForWindows())
        return program;
    return RunningUnderWine() ? InstalledForUnix() : std::nullopt;
}

CapturedRun RunInDosBox(const DosBoxProgram& dosBox, const std::wstring& folder, const std::wstring& program,
                        const std::wstring& argument, DWORD patience, const KeepWaiting& keepWaiting)
{
    CapturedRun run;
    const std::wstring temp = MakeTemporaryFolder();
    if (temp.empty()) {
        run.startError = GetLastError();
        return run;
    }
    const std::wstring config = temp + L"\\" + std::wstring(ConfigName);
    const std::wstring log = temp + L"\\" + std::wstring(LogName);
    try {
        WriteFileSafely(config, Config);
    } catch (...) {
        RemoveFolder(temp);
        return run;
    }
    const std::wstring dosCommand = program + L" " + argument + L" > D:\\" + std::wstring(LogName);
    std::vector<std::wstring> words = {dosBox.path, L"-conf", PathFor(dosBox, config)};
    for (const std::wstring& command : {Mount(L'c', PathFor(dosBox, folder)), Mount(L'd', PathFor(dosBox, temp)),
                                        std::wstring(L"c:"), dosCommand, std::wstring(L"exit")}) {
        words.push_back(L"-c");
        words.push_back(command);
    }
    if (dosBox.unixProgram) {
        run = RunDetached(dosBox, words, temp, patience, keepWaiting);
    } else {
        std::wstring line = QuoteArgument(words.front());
        for (std::size_t i = 1; i < words.size(); ++i)
            line += L" " + QuoteArgument(words[i]);
        run = RunCapturingOutput(line + L" -noconsole", temp, patience, keepWaiting);
    }
    if (run.outcome == CapturedRun::Outcome::Finished) {
        try {
            run.output = ReadWholeFile(log).substr(0, MaximumCapturedOutput);
        } catch (...) {
            run.outcome = CapturedRun::Outcome::NotStarted;
        }
    }
    RemoveFolder(temp);
    return run;
}

} // namespace tessark
