// NG_Center.exe stand-in: "compiles" the TRNG script of the installation it
// is started in (its working folder): script\script.dat gets a classic part
// (a short text) followed by an NG block, "NG" ... "NGLE" + the block's size
// as the last 8 bytes, as NG Center's own output ends.
// It prints what it did on its standard output.
// TESSARK_STANDIN_DELAY_MS=n: sleep n ms first.
// Exit 0 when written; 1 when the script cannot be read or script.dat written.
#include "StandinCommon.h"

namespace {

int Run(int, const standin::fs::path::value_type* const*)
{
    standin::WaitIfAsked();
    const standin::fs::path folder = standin::fs::current_path() / "script";
    const auto script = standin::ReadWholeFile(folder / "script.txt");
    if (!script) {
        std::printf("NG Center stand-in: no script\\script.txt here\n");
        return 1;
    }
    standin::Bytes dat;
    standin::Append(dat, "TESSARK-STANDIN NG CENTER\r\n");
    standin::AppendU32(dat, standin::Fnv1a(*script));
    const std::size_t blockStart = dat.size();
    standin::Append(dat, "NG");
    standin::Append(dat, "ng data");
    standin::Append(dat, "NGLE");
    standin::AppendU32(dat, static_cast<std::uint32_t>(dat.size() + 4 - blockStart));
    if (!standin::WriteWholeFile(folder / "script.dat", dat)) {
        std::printf("NG Center stand-in: script.dat not written\n");
        return 1;
    }
    std::printf("NG Center stand-in: script.dat written with its NG block\n");
    return 0;
}

} // namespace

STANDIN_ENTRY_POINT(Run)
