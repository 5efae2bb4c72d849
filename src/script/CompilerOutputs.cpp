#include "script/CompilerOutputs.h"

#include <cctype>

namespace tessark::script {
namespace {

std::string_view Trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string_view WithoutComment(std::string_view line)
{
    const auto semicolon = line.find(';');
    return Trimmed(semicolon == std::string_view::npos ? line : line.substr(0, semicolon));
}

// The section a "[Name]" line opens, or empty when the line opens none.
std::string_view SectionOpenedBy(std::string_view line)
{
    if (line.size() < 2 || line.front() != '[')
        return {};
    const auto close = line.find(']');
    return close == std::string_view::npos ? std::string_view() : Trimmed(line.substr(1, close - 1));
}

// The file named by a "File= 0, NAME" line, or empty.
std::string_view FileNamedBy(std::string_view line)
{
    const auto equals = line.find('=');
    if (equals == std::string_view::npos || !EqualsNoCase(Trimmed(line.substr(0, equals)), "File"))
        return {};
    std::string_view value = line.substr(equals + 1);
    const auto comma = value.rfind(',');
    if (comma != std::string_view::npos)
        value = value.substr(comma + 1);
    return Trimmed(value);
}

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

} // namespace

std::vector<LanguageFile> LanguageFilesOf(std::string_view text)
{
    std::vector<LanguageFile> files;
    bool inLanguage = false;
    int lineNumber = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        ++lineNumber;
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        line = WithoutComment(line);
        const std::string_view section = SectionOpenedBy(line);
        if (!section.empty())
            inLanguage = EqualsNoCase(section, "Language");
        else if (inLanguage)
            if (const std::string_view name = FileNamedBy(line); !name.empty())
                files.push_back({std::string(name), DatNameFor(name), lineNumber, !StaysInsideFolder(name)});
        if (end == text.size())
            break;
        start = end + 1;
    }
    return files;
}

bool StaysInsideFolder(std::string_view path)
{
    if (path.empty() || IsSeparator(path.front()) || path.find(':') != std::string_view::npos)
        return false;
    int depth = 0;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = start;
        while (end < path.size() && !IsSeparator(path[end]))
            ++end;
        const std::string_view part = Trimmed(path.substr(start, end - start));
        const bool onlyDots = !part.empty() && part.find_first_not_of('.') == std::string_view::npos;
        if (onlyDots && part.size() > 2)
            return false;  // Windows drops trailing dots: better not guess where it leads
        if (part == "..")
            --depth;
        else if (!part.empty() && part != ".")
            ++depth;
        if (depth < 0)
            return false;
        start = end + 1;
    }
    return depth > 0;
}

std::string DatNameFor(std::string_view languageFile)
{
    std::size_t nameStart = 0;
    for (std::size_t i = 0; i < languageFile.size(); ++i)
        if (IsSeparator(languageFile[i]))
            nameStart = i + 1;
    const auto dot = languageFile.rfind('.');
    const std::string_view stem =
        dot == std::string_view::npos || dot < nameStart ? languageFile : languageFile.substr(0, dot);
    return std::string(stem) + ".DAT";
}

} // namespace tessark::script
