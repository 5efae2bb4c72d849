#include "util/FmxUtils.h"

#include "util/FileNames.h"
#include "util/ReplacementFile.h"
#include "util/Win32Handle.h"

#include <shellapi.h>

#include <vector>

namespace tessark {
namespace {

constexpr DWORD CopyChunk = 8192;

// A destination that is an existing folder receives the source's file name.
std::wstring CopyTarget(std::wstring_view source, std::wstring_view destination)
{
    std::wstring target = ExpandFileName(destination);
    if (!target.empty() && FileHasAttributes(target, FILE_ATTRIBUTE_DIRECTORY)) {
        if (target.back() != L'\\')
            target += L'\\';
        target += ExtractFileName(source);
    }
    return target;
}

} // namespace

std::wstring ExpandFileName(std::wstring_view path)
{
    const std::wstring given(path);
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFullPathNameW(given.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (length == 0)
            return given;
        if (length < full.size()) {
            full.resize(length);
            return full;
        }
        full.resize(length);
    }
}

void CopyOneFile(std::wstring_view source, std::wstring_view destination)
{
    const std::wstring target = CopyTarget(source, destination);
    std::vector<char> buffer(CopyChunk);
    // Other writers are shut out while the source is read.
    Handle in(CreateFileW(std::wstring(source).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!in.ok())
        throw EFOpenError(source);
    ReplacementFile out(target);
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(in.get(), buffer.data(), CopyChunk, &got, nullptr))
            throw EReadError(source);
        if (got > 0)
            out.Write(buffer.data(), got);
        if (got < CopyChunk)
            break;
    }
    in.Close();
    out.Commit(false);
}

void MoveOneFile(std::wstring_view source, std::wstring_view destination)
{
    const std::wstring target = ExpandFileName(destination);
    // MoveFileW never replaces an existing file.
    if (MoveFileW(std::wstring(source).c_str(), target.c_str()))
        return;
    if (FileHasAttributes(source, FILE_ATTRIBUTE_READONLY))
        throw EFCantMove(source);
    CopyOneFile(source, target);
}

std::int64_t FileSizeOf(std::wstring_view path)
{
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW(ExpandFileName(path).c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return -1;
    FindClose(search);
    return (static_cast<std::int64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
}

bool FileHasAttributes(std::wstring_view path, std::uint16_t mask)
{
    DWORD attributes = GetFileAttributesW(std::wstring(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        attributes = 0;
    return (attributes & mask) == mask;
}

bool FileExists(std::wstring_view path)
{
    const DWORD attributes = GetFileAttributesW(std::wstring(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::intptr_t ShellStart(HWND owner, std::wstring_view file, std::wstring_view parameters,
                         std::wstring_view folder, int showCommand)
{
    const std::wstring fileText(file), parameterText(parameters), folderText(folder);
    HINSTANCE result = ShellExecuteW(owner, nullptr, fileText.c_str(), parameterText.c_str(), folderText.c_str(),
                                     showCommand);
    return reinterpret_cast<std::intptr_t>(result);
}

bool RenameFile(const std::wstring& from, const std::wstring& to)
{
    return MoveFileW(from.c_str(), to.c_str()) != FALSE;
}

std::wstring UnusedNameBeside(const std::wstring& path, std::wstring_view mark)
{
    for (unsigned n = 0;; ++n) {
        std::wstring candidate = path + std::wstring(mark) + (n ? std::to_wstring(n) : L"");
        if (GetFileAttributesW(candidate.c_str()) == INVALID_FILE_ATTRIBUTES)
            return candidate;
    }
}

std::vector<std::wstring> FileNamesIn(const std::wstring& folder, std::wstring_view pattern)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW entry{};
    HANDLE search = FindFirstFileW((folder + L"\\" + std::wstring(pattern)).c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.emplace_back(entry.cFileName);
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return names;
}

} // namespace tessark
