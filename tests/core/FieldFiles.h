#pragma once
// The field's real files (scripts, compiler outputs, logos from real
// installations), read from the folder the build names. They are oracles:
// a test that needs one skips, saying so, when the folder is absent.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

namespace tessark::test {

inline std::string FieldPath(std::string_view relative)
{
    std::string path = TESSARK_FIELD_DIR;
    const char separator = path.find('\\') != std::string::npos ? '\\' : '/';
    path += separator;
    for (char c : relative)
        path += (c == '/' || c == '\\') ? separator : c;
    return path;
}

// The bytes of a field file, or nothing when it cannot be read.
inline std::optional<std::string> FieldFile(std::string_view relative)
{
    std::ifstream in(FieldPath(relative), std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

inline bool FieldPresent()
{
    return FieldFile("README.md").has_value();
}

} // namespace tessark::test

// Skips the running test when the field's files are absent.
#define TESSARK_SKIP_WITHOUT_FIELD()                                                        \
    do {                                                                                    \
        if (!::tessark::test::FieldPresent())                                               \
            GTEST_SKIP() << "the field's files are absent: " << TESSARK_FIELD_DIR           \
                         << " (shared/field beside the checkout)";                          \
    } while (0)
