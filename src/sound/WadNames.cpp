#include "sound/WadNames.h"

#include "util/Text1252.h"

#include <array>
#include <utility>

namespace tessark::wad {
namespace {

std::wstring ReplaceFirst(std::wstring_view text, wchar_t from, wchar_t to)
{
    std::wstring result(text);
    if (const auto at = result.find(from); at != std::wstring::npos)
        result[at] = to;
    return result;
}

constexpr std::array<std::pair<int, std::wstring_view>, 12> StartFailures = {{
    {2, L"ERRO_FILE_NOT_FOUND"},
    {3, L"ERROR_PATH_NOT_FOUND"},
    {5, L"SE_ERR_ACCESSDENIED"},
    {8, L"SE_ERR_OOM"},
    {11, L"ERROR_BAD_FORMAT"},
    {26, L"SE_ERR_SHARE"},
    {27, L"SE_ERR_ASSOCINCOMPLETE"},
    {28, L"SE_ERR_DDETIMEOUT"},
    {29, L"SE_ERR_DDEFAIL"},
    {30, L"SE_ERR_DDEBUSY"},
    {31, L"SE_ERR_NOASSOC"},
    {32, L"SE_ERR_DLLNOTFOUND"},
}};

constexpr std::wstring_view ForbiddenInNames = L"\\/:*?\"<>|";

std::wstring AsciiUpperCopy(std::wstring_view text)
{
    std::wstring upper(text);
    for (wchar_t& c : upper)
        if (c >= L'a' && c <= L'z')
            c = static_cast<wchar_t>(c - L'a' + L'A');
    return upper;
}

bool IsDeviceName(std::wstring_view name)
{
    const std::wstring stem = AsciiUpperCopy(name.substr(0, name.find(L'.')));
    for (std::wstring_view device : {L"CON", L"PRN", L"AUX", L"NUL"})
        if (stem == device)
            return true;
    return stem.size() == 4 && (stem.starts_with(L"COM") || stem.starts_with(L"LPT")) && stem[3] >= L'1' &&
           stem[3] <= L'9';
}

} // namespace

bool IsPlainFileName(std::wstring_view name)
{
    for (wchar_t c : name)
        if (c < 32 || ForbiddenInNames.find(c) != std::wstring_view::npos)
            return false;
    return !IsDeviceName(name);
}

std::wstring ShownEntry(std::wstring_view line)
{
    return ReplaceFirst(line, L'.', L' ');
}

std::wstring WadNameOf(std::wstring_view chosenEntry)
{
    return ReplaceFirst(chosenEntry, L' ', L'.');
}

// Lines end at CR LF, LF or a lone CR.
std::vector<std::wstring> ShownEntries(std::string_view listFile)
{
    std::vector<std::wstring> entries;
    std::wstring line;
    std::size_t i = 0;
    do {
        line.clear();
        while (i < listFile.size() && listFile[i] != '\r' && listFile[i] != '\n')
            line.push_back(cp1252::ToUnicode(static_cast<unsigned char>(listFile[i++])));
        if (i < listFile.size() && listFile[i] == '\r')
            ++i;
        if (i < listFile.size() && listFile[i] == '\n')
            ++i;
        entries.push_back(ShownEntry(line));
    } while (i < listFile.size());
    return entries;
}

std::optional<std::wstring_view> StartFailureName(long long shellCode)
{
    for (const auto& [code, name] : StartFailures)
        if (code == shellCode)
            return name;
    return std::nullopt;
}

} // namespace tessark::wad
