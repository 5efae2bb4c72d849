#include "util/FileNames.h"

namespace tessark {
namespace {

std::size_t AfterLastDelimiter(std::wstring_view path)
{
    const auto pos = path.find_last_of(L"\\:");
    return pos == std::wstring_view::npos ? 0 : pos + 1;
}

std::size_t ExtensionStart(std::wstring_view path)
{
    const auto dot = path.rfind(L'.');
    if (dot == std::wstring_view::npos || dot < AfterLastDelimiter(path))
        return path.size();
    return dot;
}

} // namespace

std::wstring ExtractFilePath(std::wstring_view path)
{
    return std::wstring(path.substr(0, AfterLastDelimiter(path)));
}

std::wstring ExtractFileName(std::wstring_view path)
{
    return std::wstring(path.substr(AfterLastDelimiter(path)));
}

std::wstring ExtractFileExt(std::wstring_view path)
{
    return std::wstring(path.substr(ExtensionStart(path)));
}

std::wstring ChangeFileExt(std::wstring_view path, std::wstring_view ext)
{
    std::wstring result(path.substr(0, ExtensionStart(path)));
    result += ext;
    return result;
}

std::wstring AsciiUpper(std::wstring_view text)
{
    std::wstring result(text);
    for (auto& c : result)
        if (c >= L'a' && c <= L'z')
            c = static_cast<wchar_t>(c - L'a' + L'A');
    return result;
}

std::wstring IncludeTrailingBackslash(std::wstring_view path)
{
    std::wstring result(path);
    if (result.empty() || result.back() != L'\\')
        result += L'\\';
    return result;
}

std::wstring InstallationRootFrom(std::wstring_view programPath)
{
    return IncludeTrailingBackslash(ExtractFilePath(programPath));
}

} // namespace tessark
