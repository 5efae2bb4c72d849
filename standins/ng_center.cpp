// NG_Center.exe stand-in: "compiles" the TRNG script of the installation it
// is started in (its working folder): script\script.dat gets a classic part
// (a short text) followed by an NG block, "NG" ... "NGLE" + the block's size
// as the last 8 bytes, as NG Center's own output ends; each language file
// named by a "File=" line gets its .DAT with an NG block too.
// It prints what it did on its standard output.
// TESSARK_STANDIN_DELAY_MS=n: sleep n ms first.
// Exit 0 when written; 1 when the script cannot be read or script.dat written.
#include "StandinCommon.h"

namespace {

// Each "File= n,NAME.TXT" line gives NAME.DAT (its name up to the dot).
std::vector<std::string> LanguageDats(const standin::Bytes& script)
{
    std::vector<std::string> dats;
    const std::string text(script.begin(), script.end());
    for (std::size_t at = text.find("File="); at != std::string::npos; at = text.find("File=", at + 1)) {
        const std::size_t comma = text.find(',', at);
        const std::size_t dot = text.find('.', comma);
        if (comma == std::string::npos || dot == std::string::npos)
            break;
        std::string name = text.substr(comma + 1, dot - comma - 1);
        name.erase(0, name.find_first_not_of(" \t"));
        dats.push_back(name + ".DAT");
    }
    return dats;
}

standin::Bytes WithNgBlock(standin::Bytes dat)
{
    const std::size_t blockStart = dat.size();
    standin::Append(dat, "NG");
    standin::Append(dat, "ng data");
    standin::Append(dat, "NGLE");
    standin::AppendU32(dat, static_cast<std::uint32_t>(dat.size() + 4 - blockStart));
    return dat;
}

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
    for (const std::string& language : LanguageDats(*script)) {
        standin::Bytes strings;
        standin::Append(strings, "TESSARK-STANDIN NG STRINGS\r\n");
        standin::WriteWholeFile(folder / language, WithNgBlock(strings));
    }
    if (!standin::WriteWholeFile(folder / "script.dat", WithNgBlock(dat))) {
        std::printf("NG Center stand-in: script.dat not written\n");
        return 1;
    }
    std::printf("NG Center stand-in: script.dat written with its NG block\n");
    return 0;
}

} // namespace

STANDIN_ENTRY_POINT(Run)
