// Script.exe stand-in: "compiles" a level script into script.dat.
//   Script [script-path]        (default: script.txt in the working folder)
// script.dat goes into the script's own folder. It is a short text summary:
//   TESSARK-STANDIN SCRIPT.DAT 1
//   source=<file name>  lines=<n>  bytes=<n>  levels=<number of [Level] sections>
//   checksum=<FNV-1a of the script bytes, 8 hex digits>
// TESSARK_STANDIN_DELAY_MS=n: sleep n ms first.
// Exit 0 when written; 1 when the script cannot be read or script.dat cannot be written.
#include "StandinCommon.h"

#include <cctype>
#include <cstdio>

namespace {

struct Summary {
    std::size_t lines = 0;
    std::size_t levels = 0;
};

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

    standin::WaitIfAsked();
    const auto text = standin::ReadWholeFile(source);
    if (!text) {
        std::fprintf(stderr, "Script (stand-in): cannot read %s\n", standin::Display(source).c_str());
        return 1;
    }

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
    if (!standin::WriteWholeFile(output, dat)) {
        std::fprintf(stderr, "Script (stand-in): cannot write %s\n", standin::Display(output).c_str());
        return 1;
    }
    std::printf("Script.exe stand-in (Tessark demo): %s -> script.dat, %zu lines, %zu level(s)\n",
                standin::Display(source.filename()).c_str(), summary.lines, summary.levels);
    return 0;
}

STANDIN_ENTRY_POINT(Run)
