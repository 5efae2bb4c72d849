// Benchmark: the check of a level script of about 200 KB (a title and many
// levels in the shapes builders write), best of several runs. tools/bench.sh
// runs it natively and under Wine. It prints figures; it is not a pass/fail test.
//   script_check_bench [KB] [runs]
#include "script/ScriptCheck.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string LevelBlock(int n)
{
    const std::string i = std::to_string(n);
    return "[Level]\r\n"
           "Name=\t\tLevel " + i + ", the ruins\r\n"
           "Legend=\t\tSomewhere in Egypt...\r\n"
           "Horizon=\tENABLED\r\n"
           "Layer1=\t\t160,160,192,7\t; sky\r\n"
           "Lightning= ENABLED\r\n"
           "Fog = 0,0,0\r\n"
           "UVRotate= 4\r\n"
           "Puzzle=\t\t1,Scroll,\t$0000,$0400,$0000,$0000,$0000,$0002\r\n"
           "PuzzleCombo=\t1,1,Scroll piece,\t$0000,$0400,$0000,$0000,$0000,$0002\r\n"
           "Key=\t\t1,Gate key,\t$0000,$0400,$0000,$0000,$0000,$0002\r\n"
           "Pickup=\t\t1,Torch,\t\t$0000,$0400,$0000,$0000,$0000,$0002\r\n"
           "LoadCamera=\t6565,-256,45418,6660,-384,45054,0\r\n"
           "Level=\t\tDATA\\LEVEL" + i + ",104\r\n\r\n";
}

std::string Script(std::size_t bytes)
{
    std::string text = "[PCExtensions]\r\nLevel= .TR4\r\nCut= .TR4\r\nFMV= .BIK\r\n\r\n"
                       "[Language]\r\nFile= 0,ENGLISH.TXT\r\n\r\n"
                       "[Options]\r\nLoadSave= ENABLED\r\nTitle= ENABLED\r\nInputTimeout= 9000\r\nSecurity= $55\r\n\r\n"
                       "[Title]\r\nLevel= DATA\\TITLE,108\r\nLoadCamera= 82372,-2176,61165,82085,-2276,60313,34\r\n\r\n";
    for (int n = 1; text.size() < bytes; ++n)
        text += LevelBlock(n);
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    const long kb = argc > 1 ? std::atol(argv[1]) : 200;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 10;
    const std::string text = Script(static_cast<std::size_t>(kb) * 1024);
    const auto exists = [](std::string_view) { return true; };
    double best = 1e9;
    std::size_t findings = 0;
    for (int r = 0; r < runs; ++r) {
        const auto start = std::chrono::steady_clock::now();
        findings = tessark::CheckScript(text, {exists, exists}).size();
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    std::printf("check of a %zu-byte script (%ld KB): best of %d %8.2f ms, %zu finding(s)\n", text.size(), kb, runs,
                best, findings);
    return findings == 0 ? 0 : 1;
}
