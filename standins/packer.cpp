// packer.exe stand-in: packs a RAW title logo.
//   packer <picture.raw>       (several words are joined with single blanks)
// Writes <picture>.pak beside it as the game reads it: the RAW's byte size as
// a little-endian u32, then one zlib stream of the RAW bytes.
// Exit 0 when written; 1 without an argument, when the RAW cannot be read
// or the .pak cannot be written (then nothing is left behind).
// TESSARK_STANDIN_PACKER_FAULT=cut: the zlib stream is cut in half, as a
// packer that fails part way would leave it (still exit 0).
// TESSARK_STANDIN_DELAY_MS=n: sleeps n ms first, see WaitIfAsked.
// TESSARK_STANDIN_STARTUP_LOG=<file>: how it was asked to show itself, see
// RecordStartupIfAsked.
#include "StandinCommon.h"

#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <limits>

int Run(int argc, const standin::fs::path::value_type* const* argv)
{
    namespace fs = standin::fs;
    standin::RecordStartupIfAsked();
    standin::WaitIfAsked();
    const standin::NativeString argument = standin::JoinArguments(argc, argv);
    if (argument.empty()) {
        std::fprintf(stderr, "packer (stand-in): usage: packer <picture.raw>\n");
        return 1;
    }

    const fs::path raw(argument);
    const auto bytes = standin::ReadWholeFile(raw);
    if (!bytes || bytes->size() > std::numeric_limits<std::uint32_t>::max()) {
        std::fprintf(stderr, "packer (stand-in): cannot read %s\n", standin::Display(raw).c_str());
        return 1;
    }

    // Sized once, then shrunk: the size field, then the zlib stream.
    const auto rawSize = static_cast<std::uint32_t>(bytes->size());
    uLongf packedSize = compressBound(static_cast<uLong>(rawSize));
    standin::Bytes pak(std::size_t{4} + packedSize);
    for (int i = 0; i < 4; ++i)
        pak[i] = static_cast<std::uint8_t>(rawSize >> (8 * i));
    if (compress2(pak.data() + 4, &packedSize, bytes->data(), static_cast<uLong>(rawSize), 9) != Z_OK) {
        std::fprintf(stderr, "packer (stand-in): zlib failed\n");
        return 1;
    }
    pak.resize(std::size_t{4} + packedSize);
    const char* fault = std::getenv("TESSARK_STANDIN_PACKER_FAULT");
    if (fault && std::strcmp(fault, "cut") == 0)
        pak.resize(4 + packedSize / 2);

    fs::path output = raw;
    output.replace_extension(".pak");
    if (!standin::WriteWholeFile(output, pak)) {
        std::error_code ec;
        fs::remove(output, ec);
        std::fprintf(stderr, "packer (stand-in): cannot write %s\n", standin::Display(output).c_str());
        return 1;
    }
    std::printf("packer.exe stand-in (Tessark demo): %s -> %s, %zu bytes\n",
                standin::Display(raw.filename()).c_str(), standin::Display(output.filename()).c_str(),
                bytes->size());
    return 0;
}

STANDIN_ENTRY_POINT(Run)
