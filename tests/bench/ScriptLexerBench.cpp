// Benchmark: colouring a 20 MB script, a field script repeated, line by line
// as an editor asks for it; and the section look-up at the end of such a text,
// with headers as often as a script has them and with none at all. Best of
// several runs. It prints figures; it is not a pass/fail test.
//   script_lexer_bench [script file, "-" for the field's TRNG template] [MB] [runs]
#include "script/CheckText.h"
#include "script/ScriptCompletion.h"
#include "script/ScriptLexer.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using tessark::script::TokenStyle;

std::string ReadFile(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string Repeated(const std::string& text, std::size_t bytes)
{
    std::string out;
    out.reserve(bytes + text.size());
    while (out.size() < bytes)
        out += text;
    return out;
}

template <typename Work>
double BestSeconds(int runs, Work work)
{
    double best = 1e9;
    for (int r = 0; r < runs; ++r) {
        const auto start = Clock::now();
        work();
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}

} // namespace

int main(int argc, char** argv)
{
    const bool named = argc > 1 && std::string_view(argv[1]) != "-";
    const char* path = named ? argv[1] : TESSARK_FIELD_DIR "/scripts/trng-template-Script.txt";
    const long mb = argc > 2 ? std::atol(argv[2]) : 20;
    const int runs = argc > 3 ? std::atoi(argv[3]) : 5;
    const std::string script = ReadFile(path);
    if (script.empty()) {
        std::fprintf(stderr, "cannot read %s\n", path);
        return 1;
    }
    const std::string text = Repeated(script, static_cast<std::size_t>(mb) * 1024 * 1024);
    std::vector<std::string_view> lines;
    tessark::script::check::LineReader reader(text);
    while (const auto line = reader.Next())
        lines.push_back(*line);
    std::vector<TokenStyle> styles;
    std::size_t comments = 0;
    const double styling = BestSeconds(runs, [&] {
        comments = 0;
        for (const std::string_view line : lines) {
            styles.resize(line.size());
            tessark::script::StyleLine(line, tessark::script::TextKind::Script, styles);
            comments += static_cast<std::size_t>(std::count(styles.begin(), styles.end(), TokenStyle::Comment));
        }
    });
    const double megabytes = static_cast<double>(text.size()) / (1024.0 * 1024.0);
    std::printf("StyleLine over %.1f MB (%zu lines of %s): best of %d %7.1f ms = %7.1f MB/s (%zu comment bytes)\n",
                megabytes, lines.size(), path, runs, styling * 1000, megabytes / styling, comments);

    std::size_t found = 0;
    const double near = BestSeconds(runs, [&] { found = tessark::script::SectionAt(text, text.size()).size(); });
    const std::string headerless = Repeated("Fog= 0,0,0 ; no header anywhere\r\n", text.size());
    const double worst = BestSeconds(runs, [&] { found += tessark::script::SectionAt(headerless, headerless.size()).size(); });
    std::printf("SectionAt at the end: %.3f ms with the script's headers, %.1f ms through %.1f MB without one (%zu)\n",
                near * 1000, worst * 1000, megabytes, found);
    return 0;
}
