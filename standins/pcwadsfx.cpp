// pcwadsfx.exe stand-in: builds the sound set of one WAD entry.
//   pcwadsfx <entry name>      (several words are joined with single blanks)
// Writes <name>.sam and <name>.sfx beside this executable, where <name> is the
// entry with its first blank turned into '.' and its extension replaced:
//   .sam  the sample names found in Sounds.txt (same folder), one per line, CR LF;
//   .sfx  "SFXSTANDIN", then little-endian u32s: samples listed, samples found as
//         WAV files, FNV-1a over the found WAVs' bytes in list order, byte length of
//         the entry name, followed by the entry name in UTF-8.
// A sample NAME is looked for as NAME.wav in this folder, then in ..\Samples.
//
// Sounds.txt: ';' starts a comment line. A sound line is
//   SOUND_ID:  sample [sample...]  [KEY:value...]  [one-letter flags]
// (a line without ':' names just one sample, its first word).
//
// Exit 0 when written; 2 without an entry name (or with '/' or '\' in it);
// 1 when an output cannot be written.
// Test hooks, read from the environment:
//   TESSARK_STANDIN_DELAY_MS=n   sleep n ms (at most 10 minutes) before writing;
//   TESSARK_STANDIN_SKIP=sam|sfx leave that output unwritten (still exit 0);
//   TESSARK_STANDIN_EXIT=n       exit with n after writing.
#include "StandinCommon.h"

#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::vector<std::string> Words(std::string_view text)
{
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsBlank(text[i]))
            ++i;
        const std::size_t start = i;
        while (i < text.size() && !IsBlank(text[i]))
            ++i;
        if (i > start)
            words.emplace_back(text.substr(start, i - start));
    }
    return words;
}

// Sample names of one Sounds.txt line, in order.
std::vector<std::string> SamplesOfLine(std::string_view line)
{
    const auto words = Words(line);
    if (words.empty() || words.front().front() == ';')
        return {};
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos)
        return {words.front()};

    std::vector<std::string> samples;
    for (const std::string& word : Words(line.substr(colon + 1))) {
        if (word.find(':') != std::string::npos)
            continue;  // VOL:80 and the like
        if (word.size() == 1 && std::isupper(static_cast<unsigned char>(word[0])))
            continue;  // flags
        samples.push_back(word);
    }
    return samples;
}

std::vector<std::string> SamplesOfList(const standin::Bytes& list)
{
    std::vector<std::string> samples;
    const std::string_view text(reinterpret_cast<const char*>(list.data()), list.size());
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        for (std::string& name : SamplesOfLine(text.substr(start, end - start)))
            samples.push_back(std::move(name));
        start = end + 1;
    }
    return samples;
}

std::optional<standin::Bytes> FindSample(const standin::fs::path& folder, const std::string& name)
{
    const standin::fs::path file = standin::fs::path(name + ".wav");
    if (auto here = standin::ReadWholeFile(folder / file))
        return here;
    return standin::ReadWholeFile(folder.parent_path() / "Samples" / file);
}

bool HasSeparator(const standin::NativeString& name)
{
    for (auto c : name)
        if (c == '/' || c == '\\')
            return true;
    return false;
}

bool Skipped(const char* which)
{
    const char* skip = std::getenv("TESSARK_STANDIN_SKIP");
    return skip && std::strcmp(skip, which) == 0;
}

} // namespace

int Run(int argc, const standin::fs::path::value_type* const* argv)
{
    namespace fs = standin::fs;
    const standin::NativeString entry = standin::JoinArguments(argc, argv);
    if (entry.empty() || HasSeparator(entry)) {
        std::fprintf(stderr, "pcwadsfx (stand-in): usage: pcwadsfx <WAD entry name>\n");
        return 2;
    }

    const fs::path folder = standin::ExecutableFolder(argc > 0 ? argv[0] : nullptr);
    const auto list = standin::ReadWholeFile(folder / "Sounds.txt");
    const std::vector<std::string> samples = list ? SamplesOfList(*list) : std::vector<std::string>{};

    standin::Bytes sam;
    std::uint32_t found = 0;
    std::uint32_t hash = 2166136261u;
    for (const std::string& name : samples) {
        standin::Append(sam, name);
        standin::Append(sam, "\r\n");
        if (const auto wav = FindSample(folder, name)) {
            ++found;
            hash = standin::Fnv1a(*wav, hash);
        }
    }

    const std::string entryUtf8 = standin::Display(fs::path(entry));
    standin::Bytes sfx;
    standin::Append(sfx, "SFXSTANDIN");
    standin::AppendU32(sfx, static_cast<std::uint32_t>(samples.size()));
    standin::AppendU32(sfx, found);
    standin::AppendU32(sfx, hash);
    standin::AppendU32(sfx, static_cast<std::uint32_t>(entryUtf8.size()));
    standin::Append(sfx, entryUtf8);

    standin::WaitIfAsked();

    // The entry is the WAD's name with its first '.' shown as a blank.
    standin::NativeString wadName = entry;
    if (const auto blank = wadName.find(static_cast<standin::NativeString::value_type>(' '));
        blank != standin::NativeString::npos)
        wadName[blank] = static_cast<standin::NativeString::value_type>('.');
    const fs::path base = folder / fs::path(wadName);
    const std::pair<const char*, const standin::Bytes*> outputs[] = {{"sfx", &sfx}, {"sam", &sam}};
    for (const auto& [ext, bytes] : outputs) {
        if (Skipped(ext))
            continue;
        fs::path file = base;
        file.replace_extension(fs::path(std::string(".") + ext));
        if (!standin::WriteWholeFile(file, *bytes)) {
            std::fprintf(stderr, "pcwadsfx (stand-in): cannot write %s\n", standin::Display(file).c_str());
            return 1;
        }
    }

    std::printf("pcwadsfx.exe stand-in (Tessark demo): %s.sfx/.sam, %zu sample(s) listed, %u found\n",
                entryUtf8.c_str(), samples.size(), static_cast<unsigned>(found));

    if (const char* code = std::getenv("TESSARK_STANDIN_EXIT"); code && *code)
        return std::atoi(code);
    return 0;
}

STANDIN_ENTRY_POINT(Run)
