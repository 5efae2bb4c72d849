#include "util/FileSet.h"

#include "util/FileErrors.h"
#include "util/Win32Handle.h"

#include <algorithm>

namespace tessark {
namespace {

bool IsDiskFull(DWORD error)
{
    return error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL;
}

// A name beside `target` that nothing has; empty when none could be found.
std::wstring FreeNameBeside(const std::wstring& target, const wchar_t* mark)
{
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        std::wstring name = target + mark + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(attempt);
        if (GetFileAttributesW(name.c_str()) == INVALID_FILE_ATTRIBUTES && GetLastError() == ERROR_FILE_NOT_FOUND)
            return name;
    }
    return {};
}

// One file of the set on its way: its new content written to `temporary`,
// then its old content moved to `aside` while the new one takes its place.
struct Step {
    const NewFile* file;
    std::wstring temporary;
    std::wstring aside;
    bool existed = false;
    bool inPlace = false;
};

// An existing target must be writable and not open elsewhere. The attribute
// is tested first because root under Wine may open a read-only file.
void CheckReplaceable(const std::wstring& target, bool& existed)
{
    const DWORD attributes = GetFileAttributesW(target.c_str());
    existed = attributes != INVALID_FILE_ATTRIBUTES;
    if (!existed) {
        if (GetLastError() != ERROR_FILE_NOT_FOUND)
            throw EFCreateError(target);
        return;
    }
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))
        throw EFCreateError(target);
    Handle probe(CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!probe.ok())
        throw EFCreateError(target);
}

void WriteTemporary(Step& step)
{
    const std::wstring& target = step.file->path;
    step.temporary = FreeNameBeside(target, L".~new");
    Handle file(step.temporary.empty() ? INVALID_HANDLE_VALUE
                                       : CreateFileW(step.temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.ok()) {
        step.temporary.clear();
        throw EFCreateError(target);
    }
    const std::string& bytes = step.file->bytes;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr) || written != chunk) {
            const DWORD error = GetLastError();
            if (written != chunk || IsDiskFull(error))
                throw EWriteError::DiskFull();
            throw EWriteError::Failed(target);
        }
        done += written;
    }
    if (!FlushFileBuffers(file.get()) || !file.Close())
        throw EWriteError::Failed(target);
}

void PutInPlace(Step& step)
{
    const std::wstring& target = step.file->path;
    if (step.existed) {
        step.aside = FreeNameBeside(target, L".~old");
        if (step.aside.empty() || !MoveFileExW(target.c_str(), step.aside.c_str(), MOVEFILE_WRITE_THROUGH)) {
            step.aside.clear();
            throw EFCreateError(target);
        }
    }
    if (!MoveFileExW(step.temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH))
        throw EFCreateError(target);
    step.temporary.clear();
    step.inPlace = true;
}

// Undoes whatever part of the steps was done, last first.
void PutBack(std::vector<Step>& steps)
{
    for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
        const std::wstring& target = step->file->path;
        if (step->inPlace)
            DeleteFileW(target.c_str());
        if (!step->aside.empty())
            MoveFileExW(step->aside.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        if (!step->temporary.empty())
            DeleteFileW(step->temporary.c_str());
    }
}

} // namespace

void WriteFilesTogether(const std::vector<NewFile>& files)
{
    std::vector<Step> steps;
    steps.reserve(files.size());
    for (const NewFile& file : files)
        steps.push_back({&file, {}, {}, false, false});
    try {
        for (Step& step : steps)
            CheckReplaceable(step.file->path, step.existed);
        for (Step& step : steps)
            WriteTemporary(step);
        for (Step& step : steps)
            PutInPlace(step);
    } catch (...) {
        PutBack(steps);
        throw;
    }
    for (const Step& step : steps)
        if (!step.aside.empty())
            DeleteFileW(step.aside.c_str());
}

} // namespace tessark
