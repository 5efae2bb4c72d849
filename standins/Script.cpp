// Script.exe stand-in: "compiles" a level script into script.dat.
//   Script [script-path]        (default: script.txt in the working folder)
// script.dat goes into the script's own folder. It is a short text summary:
//   TESSARK-STANDIN SCRIPT.DAT 1
//   source=<file name>  lines=<n>  bytes=<n>  levels=<number of [Level] sections>
//   checksum=<FNV-1a of the script bytes, 8 hex digits>
// Each file named in the [Language] section ("File= 0,ENGLISH.TXT") gives a
// <name>.DAT beside the script, holding the name and the same checksum.
// It prints what it did on its standard output.
// TESSARK_STANDIN_DELAY_MS=n: sleep n ms first.
// TESSARK_STANDIN_STARTUP_LOG=<file>: how it was asked to show itself (StandinCommon.h).
// TESSARK_STANDIN_SCRIPT_ERROR_LINE=n: print an error naming line n of the
//   script on the standard error, write nothing and exit 1.
// TESSARK_STANDIN_SCRIPT_WRITE_NOTHING=1: print as usual but write nothing.
// Exit 0 when written; 1 when the script cannot be read or a file cannot be written.
#include "StandinCommon.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Summary {
    std::size_t lines = 0;
    std::size_t levels = 0;
    std::vector<std::string> languageFiles;
};

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
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

// Follows the [Language] section through the lines: "File= 0,NAME" adds NAME.
void ReadLanguageLine(std::string_view line, bool& inLanguage, std::vector<std::string>& files)
{
    line = Trim(line.substr(0, line.find(';')));
    if (!line.empty() && line.front() == '[') {
        inLanguage = EqualsNoCase(Trim(line.substr(1, line.find(']') - 1)), "language");
        return;
    }
    const auto equals = line.find('=');
    if (!inLanguage || equals == std::string_view::npos || !EqualsNoCase(Trim(line.substr(0, equals)), "file"))
        return;
    std::string_view value = line.substr(equals + 1);
    if (const auto comma = value.rfind(','); comma != std::string_view::npos)
        value = value.substr(comma + 1);
    if (!Trim(value).empty())
        files.emplace_back(Trim(value));
}

std::string DatName(const std::string& languageFile)
{
    const auto dot = languageFile.rfind('.');
    return (dot == std::string::npos ? languageFile : languageFile.substr(0, dot)) + ".DAT";
}

int EnvironmentNumber(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::atoi(value) : 0;
}

bool StartsWithLevelSection(std::string_view line)
{
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
        line.remove_prefix(1);
    constexpr std::string_view section = "[level]";
    if (line.size() < section.size())
        return false;
    for (std::size_t i = 0; i < section.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(line[i])) != section[i])
            return false;
    return true;
}

Summary Summarise(const standin::Bytes& text)
{
    Summary summary;
    bool inLanguage = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != '\n')
            continue;
        if (i == text.size() && start == i)
            break;  // no unterminated last line
        ++summary.lines;
        const std::string_view line(reinterpret_cast<const char*>(text.data()) + start, i - start);
        if (StartsWithLevelSection(line))
            ++summary.levels;
        ReadLanguageLine(line, inLanguage, summary.languageFiles);
        start = i + 1;
    }
    return summary;
}

} // namespace

int Run(int argc, const standin::fs::path::value_type* const* argv)
{
    namespace fs = standin::fs;
    const standin::NativeString argument = standin::JoinArguments(argc, argv);
    const fs::path source = argument.empty() ? fs::path("script.txt") : fs::path(argument);

    standin::RecordStartupIfAsked();
    standin::WaitIfAsked();
    const auto text = standin::ReadWholeFile(source);
    if (!text) {
        std::fprintf(stderr, "Script (stand-in): cannot read %s\n", standin::Display(source).c_str());
        return 1;
    }

    std::printf("Script.exe stand-in (Tessark demo): compiling %s\n", standin::Display(source.filename()).c_str());
    std::fflush(stdout);
    if (const int line = EnvironmentNumber("TESSARK_STANDIN_SCRIPT_ERROR_LINE")) {
        std::fprintf(stderr, "Error in line %d: unknown command\n", line);
        return 1;
    }
    const bool writeNothing = EnvironmentNumber("TESSARK_STANDIN_SCRIPT_WRITE_NOTHING") != 0;
    const Summary summary = Summarise(*text);
    char body[256];
    std::snprintf(body, sizeof body, "lines=%zu\r\nbytes=%zu\r\nlevels=%zu\r\nchecksum=%08X\r\n",
                  summary.lines, text->size(), summary.levels,
                  static_cast<unsigned>(standin::Fnv1a(*text)));

    standin::Bytes dat;
    standin::Append(dat, "TESSARK-STANDIN SCRIPT.DAT 1\r\nsource=");
    standin::Append(dat, standin::Display(source.filename()));
    standin::Append(dat, "\r\n");
    standin::Append(dat, body);

    const fs::path output = source.parent_path() / "script.dat";
    if (!writeNothing && !standin::WriteWholeFile(output, dat)) {
        std::fprintf(stderr, "Script (stand-in): cannot write %s\n", standin::Display(output).c_str());
        return 1;
    }
    for (const std::string& language : summary.languageFiles) {
        const fs::path languageDat = source.parent_path() / DatName(language);
        standin::Bytes bytes;
        standin::Append(bytes, "TESSARK-STANDIN LANGUAGE.DAT 1\r\nsource=" + language + "\r\n");
        standin::Append(bytes, body);
        if (!writeNothing && !standin::WriteWholeFile(languageDat, bytes)) {
            std::fprintf(stderr, "Script (stand-in): cannot write %s\n", standin::Display(languageDat).c_str());
            return 1;
        }
        std::printf("  %s -> %s\n", language.c_str(), DatName(language).c_str());
    }
    std::printf("Script.exe stand-in (Tessark demo): %s -> script.dat, %zu lines, %zu level(s)\n",
                standin::Display(source.filename()).c_str(), summary.lines, summary.levels);
    return 0;
}

STANDIN_ENTRY_POINT(Run)
