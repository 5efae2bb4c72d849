// Benchmark: the built-in compilation of a level script of about 200 KB with
// its language file (a title and as many levels as SCRIPT.DAT holds, in the
// shapes builders write, long comments included), best of several runs.
// tools/bench.sh runs it natively, optimised. It prints figures; it is not a
// pass/fail test.
//   script_compile_bench [KB] [runs]
#include "script/ScriptCompiler.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int LevelNames = 200;

std::string LevelBlock(int n)
{
    const std::string i = std::to_string(n);
    const std::string name = "Level " + std::to_string(n % LevelNames + 1);
    return ";------------------------------------------------------------------\r\n"
           "; " +
           name +
           ": the ruins, with the keys of the gate and the flooded halls\r\n"
           ";------------------------------------------------------------------\r\n"
           "[Level]\r\n"
           "Name=\t\t" +
           name +
           "\r\n"
           "Legend=\t\tSomewhere in Egypt...\r\n"
           "Horizon=\tENABLED\r\n"
           "Layer1=\t\t160,160,192,7\t; sky\r\n"
           "Lightning= ENABLED\r\n"
           "Fog = 0,0,0\r\n"
           "UVrotate= 4\r\n"
           "AnimatingMIP=\t1,5\r\n"
           "ResidentCut=\t1,3\r\n"
           "Puzzle=\t\t1,Scroll,\t$0000,$0400,$0000,$0000,$0000,$0002\r\n"
           "PuzzleCombo=\t1,1,Scroll piece,\t$0000,$0400,$0000,$0000,$0000,$0002\r\n"
           "Key=\t\t1,Gate key,\t$0000,$0400,$0000,$0000,$0000,$0002\r\n"
           "Key=\t\t2,Tomb Key,\t$0000,$0400,$0000,$c000,$0000,$0002\r\n"
           "Pickup=\t\t1,Torch,\t\t$0000,$0400,$0000,$0000,$0000,$0002\r\n"
           "Examine=\t1,Note,\t\t$0000,$0400,$0000,$0000,$0000,$0002\r\n"
           "LoadCamera=\t6565,-256,45418,6660,-384,45054,0\r\n"
           "Level=\t\tDATA\\LEVEL" +
           i + ",104\r\n\r\n";
}

std::string Script(std::size_t bytes)
{
    std::string text =
        "[PCExtensions]\r\nLevel= .TR4\r\nCut= .TR4\r\nFMV= .BIK\r\n\r\n"
        "[Language]\r\nFile= 0,ENGLISH.TXT\r\n\r\n"
        "[Options]\r\nLoadSave= ENABLED\r\nTitle= ENABLED\r\nInputTimeout= 9000\r\nSecurity= $55\r\n\r\n"
        "[Title]\r\nLevel= DATA\\TITLE,108\r\nLoadCamera= 82372,-2176,61165,82085,-2276,60313,34\r\n\r\n";
    for (int n = 1; text.size() < bytes; ++n)
        text += LevelBlock(n);
    return text;
}

std::string Language()
{
    std::string text = "[Strings]\r\nTitle Load Screen\r\n";
    for (int n = 1; n <= LevelNames; ++n)
        text += "Level " + std::to_string(n) + "\r\n";
    text += "Somewhere in Egypt...\r\nScroll\r\nScroll piece\r\nGate key\r\nTomb Key\r\nTorch\r\nNote\r\n";
    for (int n = 0; n < 150; ++n)
        text += "INVENTORY" + std::to_string(n) + ":Inventory string number " + std::to_string(n) + "\\n\r\n";
    return text + "[PSXStrings]\r\nPSX:Memory Card\r\n[PCStrings]\r\nSave Settings\r\nControl Method\r\n";
}

} // namespace

int main(int argc, char** argv)
{
    const long kb = argc > 1 ? std::atol(argv[1]) : 200;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 20;
    const std::string script = Script(static_cast<std::size_t>(kb) * 1024);
    const std::string language = Language();
    const auto source = [&](std::string_view) { return std::optional<std::string>(language); };
    double best = 1e9;
    tessark::script::CompileResult result;
    for (int r = 0; r < runs; ++r) {
        const auto start = std::chrono::steady_clock::now();
        result = tessark::script::CompileScript(script, source);
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    if (result.error) {
        std::printf("the benchmark's script did not compile: %s\n", result.error->text.c_str());
        return 1;
    }
    std::printf("compilation of a %zu-byte script (%ld KB) with a %zu-byte language file: best of %d %8.2f ms, "
                "SCRIPT.DAT %zu bytes, %s %zu bytes\n",
                script.size(), kb, language.size(), runs, best, result.files[0].bytes.size(),
                result.files[1].name.c_str(), result.files[1].bytes.size());
    return 0;
}
