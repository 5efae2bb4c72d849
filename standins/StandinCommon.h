#pragma once
// Shared bits of the three stand-in tools: arguments as native (wide on Windows)
// strings, whole-file reads and writes through std::filesystem::path, and the
// folder of the running executable.
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

// A stand-in's entry point: its arguments as native strings (wide on Windows).
#ifdef _WIN32
#define STANDIN_ENTRY_POINT(run) \
    int wmain(int argc, wchar_t** argv) { return run(argc, argv); }
#else
#define STANDIN_ENTRY_POINT(run) \
    int main(int argc, char** argv) { return run(argc, argv); }
#endif

namespace standin {

namespace fs = std::filesystem;
using NativeString = fs::path::string_type;
using Bytes = std::vector<unsigned char>;

// The arguments after the program name, joined with single blanks, so that an
// unquoted name or path with blanks arrives whole.
inline NativeString JoinArguments(int argc, const fs::path::value_type* const* argv)
{
    NativeString joined;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            joined += fs::path::value_type(' ');
        joined += argv[i];
    }
    return joined;
}

// For messages: the path in UTF-8 (the console may show it imperfectly, that is all).
inline std::string Display(const fs::path& path)
{
    try {
        const std::u8string u8 = path.u8string();
        return std::string(u8.begin(), u8.end());
    } catch (...) {
        return "<unprintable path>";
    }
}

inline std::optional<Bytes> ReadWholeFile(const fs::path& path)
{
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return std::nullopt;
    return bytes;
}

inline bool WriteWholeFile(const fs::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

// TESSARK_STANDIN_DELAY_MS=n makes a stand-in sleep n ms (at most 10 minutes)
// before its work, so tests can watch a caller wait for it.
inline void WaitIfAsked()
{
    const char* delay = std::getenv("TESSARK_STANDIN_DELAY_MS");
    if (!delay || !*delay)
        return;
    const unsigned long ms = std::strtoul(delay, nullptr, 10);
    std::this_thread::sleep_for(std::chrono::milliseconds(ms > 600000 ? 600000 : ms));
}

// TESSARK_STANDIN_STARTUP_LOG=<file> makes a stand-in write into that file how
// its caller asked it to show itself, as GetStartupInfoW tells it:
// "dwFlags=0x<hex> wShowWindow=<n>", so tests can see how a tool was started.
inline void RecordStartupIfAsked()
{
#ifdef _WIN32
    const wchar_t* log = _wgetenv(L"TESSARK_STANDIN_STARTUP_LOG");
    if (!log || !*log)
        return;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    char text[64];
    std::snprintf(text, sizeof text, "dwFlags=0x%lx wShowWindow=%u", static_cast<unsigned long>(startup.dwFlags),
                  static_cast<unsigned>(startup.wShowWindow));
    std::ofstream(fs::path(log), std::ios::binary) << text;
#endif
}

inline void Append(Bytes& bytes, std::string_view text)
{
    bytes.insert(bytes.end(), text.begin(), text.end());
}

inline void AppendU32(Bytes& bytes, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<unsigned char>(value >> shift));
}

// 32-bit FNV-1a; `hash` lets several buffers be chained into one checksum.
inline std::uint32_t Fnv1a(const Bytes& bytes, std::uint32_t hash = 2166136261u)
{
    for (unsigned char b : bytes) {
        hash ^= b;
        hash *= 16777619u;
    }
    return hash;
}

// Folder of the running executable (not the working folder).
inline fs::path ExecutableFolder(const fs::path::value_type* argv0)
{
#ifdef _WIN32
    (void)argv0;
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0)
            break;
        if (n < buffer.size()) {
            buffer.resize(n);
            return fs::path(buffer).parent_path();
        }
        buffer.resize(buffer.size() * 2);
    }
#else
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (!ec)
        return self.parent_path();
#endif
    std::error_code ec2;
    const fs::path absolute = fs::absolute(fs::path(argv0 ? argv0 : NativeString()), ec2);
    return ec2 ? fs::current_path() : absolute.parent_path();
}

} // namespace standin
