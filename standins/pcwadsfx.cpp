// pcwadsfx.exe stand-in: builds the sound set of one WAD entry.
//   pcwadsfx <entry name>      (several words are joined with single blanks)
// Writes <name>.sam and <name>.sfx beside this executable, where <name> is the
// entry with its first blank turned into '.' and its extension replaced:
//   .sam  the sample names found in Sounds.txt (same folder), one per line, CR LF;
//   .sfx  the sound map: 370 little-endian int16, slot n holding the details index of
//         the n-th sound line of Sounds.txt (-1 when unused); a u32 count; then per
//         sound 8 bytes: u16 first sample (its line in .sam), u8 volume (VOL:),
//         u8 range (RAD:), u8 chance (CH:), u8 pitch (PIT:), u16 flags (bits 0-1
//         loop mode: L gives 3, R gives 2; bits 2-7 the number of samples; N no
//         panning 0x1000, P random pitch 0x2000, V random volume 0x4000).
//         Sounds past slot 369 are left out of the map but keep their details.
// A sample NAME is looked for as NAME.wav in this folder, then in ..\Samples;
// one that is missing is reported on the standard output, not refused.
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
//   TESSARK_STANDIN_EXIT=n       exit with n after writing;
//   TESSARK_STANDIN_SFX_BYTES=n  write only the first n bytes of the .sfx.
#include "StandinCommon.h"

#include <algorithm>
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

constexpr std::size_t MapSize = 370;

// One sound line of Sounds.txt, with its details as the .sfx holds them.
struct Sound {
    std::vector<std::string> samples;
    std::uint8_t volume = 80;
    std::uint8_t range = 8;
    std::uint8_t chance = 0;
    std::uint8_t pitch = 0;
    std::uint16_t flags = 0;
};

std::uint8_t Byte(const std::string& value)
{
    return static_cast<std::uint8_t>(std::strtoul(value.c_str(), nullptr, 10));
}

void ReadKey(const std::string& word, Sound& sound)
{
    const std::size_t colon = word.find(':');
    const std::string key = word.substr(0, colon);
    const std::string value = word.substr(colon + 1);
    if (key == "VOL")
        sound.volume = Byte(value);
    else if (key == "RAD")
        sound.range = Byte(value);
    else if (key == "CH")
        sound.chance = Byte(value);
    else if (key == "PIT")
        sound.pitch = Byte(value);
}

void ReadFlag(char flag, Sound& sound)
{
    switch (flag) {
    case 'L': sound.flags |= 3; break;
    case 'R': sound.flags |= 2; break;
    case 'N': sound.flags |= 0x1000; break;
    case 'P': sound.flags |= 0x2000; break;
    case 'V': sound.flags |= 0x4000; break;
    default: break;
    }
}

// The sound of one Sounds.txt line; nothing for a blank or comment line.
std::optional<Sound> SoundOfLine(std::string_view line)
{
    const auto words = Words(line);
    if (words.empty() || words.front().front() == ';')
        return std::nullopt;
    Sound sound;
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) {
        sound.samples.push_back(words.front());
        return sound;
    }
    for (const std::string& word : Words(line.substr(colon + 1))) {
        if (word.find(':') != std::string::npos)
            ReadKey(word, sound);
        else if (word.size() == 1 && std::isupper(static_cast<unsigned char>(word[0])))
            ReadFlag(word[0], sound);
        else
            sound.samples.push_back(word);
    }
    return sound;
}

std::vector<Sound> SoundsOfList(const standin::Bytes& list)
{
    std::vector<Sound> sounds;
    const std::string_view text(reinterpret_cast<const char*>(list.data()), list.size());
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        if (auto sound = SoundOfLine(text.substr(start, end - start)))
            sounds.push_back(std::move(*sound));
        start = end + 1;
    }
    return sounds;
}

void AppendU16(standin::Bytes& bytes, std::uint16_t value)
{
    bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

standin::Bytes SfxOf(const std::vector<Sound>& sounds)
{
    standin::Bytes sfx;
    for (std::size_t slot = 0; slot < MapSize; ++slot)
        AppendU16(sfx, slot < sounds.size() ? static_cast<std::uint16_t>(slot) : 0xFFFF);
    standin::AppendU32(sfx, static_cast<std::uint32_t>(sounds.size()));
    std::size_t firstSample = 0;
    for (const Sound& sound : sounds) {
        const auto count = static_cast<std::uint16_t>(std::min<std::size_t>(sound.samples.size(), 0x3F));
        AppendU16(sfx, static_cast<std::uint16_t>(firstSample));
        sfx.insert(sfx.end(), {sound.volume, sound.range, sound.chance, sound.pitch});
        AppendU16(sfx, static_cast<std::uint16_t>(sound.flags | count << 2));
        firstSample += sound.samples.size();
    }
    return sfx;
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
    const std::vector<Sound> sounds = list ? SoundsOfList(*list) : std::vector<Sound>{};

    standin::Bytes sam;
    std::size_t listed = 0;
    std::uint32_t found = 0;
    for (const Sound& sound : sounds)
        for (const std::string& name : sound.samples) {
            standin::Append(sam, name);
            standin::Append(sam, "\r\n");
            ++listed;
            if (FindSample(folder, name))
                ++found;
            else
                std::printf("pcwadsfx (stand-in): sample missing: %s.wav\n", name.c_str());
        }
    standin::Bytes sfx = SfxOf(sounds);
    if (const char* kept = std::getenv("TESSARK_STANDIN_SFX_BYTES"); kept && *kept)
        sfx.resize(std::min<std::size_t>(sfx.size(), std::strtoul(kept, nullptr, 10)));
    const std::string entryUtf8 = standin::Display(fs::path(entry));

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
                entryUtf8.c_str(), listed, static_cast<unsigned>(found));

    if (const char* code = std::getenv("TESSARK_STANDIN_EXIT"); code && *code)
        return std::atoi(code);
    return 0;
}

STANDIN_ENTRY_POINT(Run)
