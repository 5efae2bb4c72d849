#include "util/RtfDepth.h"

#include <gtest/gtest.h>

#include <string>

using tessark::rtf::BinaryData;
using tessark::rtf::GroupDepth;

namespace {
std::string Nested(int depth, std::string_view inside = "x")
{
    return std::string(static_cast<std::size_t>(depth), '{') + std::string(inside) +
           std::string(static_cast<std::size_t>(depth), '}');
}
} // namespace

TEST(RtfDepth, CountsTheDeepestNestingWithTheOuterGroup)
{
    EXPECT_EQ(GroupDepth(""), 0u);
    EXPECT_EQ(GroupDepth("texte sans groupe"), 0u);
    EXPECT_EQ(GroupDepth("{\\rtf1\\ansi Aide}"), 1u);
    EXPECT_EQ(GroupDepth("{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\b gras}{\\i {\\ul a}}}"), 3u);
    EXPECT_EQ(GroupDepth(Nested(40)), 40u);
    EXPECT_EQ(GroupDepth("{a}{b}{c}"), 1u) << "groups side by side do not add up";
    EXPECT_EQ(GroupDepth("}}}{{a}}"), 2u) << "stray closing braces open nothing";
    EXPECT_EQ(GroupDepth("{{{{"), 4u) << "a document cut short still counts its open groups";
}

TEST(RtfDepth, EscapedBracesAndBackslashesAreCharacters)
{
    EXPECT_EQ(GroupDepth("{\\rtf1 \\{\\{\\{ accolades \\}\\}}"), 1u);
    EXPECT_EQ(GroupDepth("{\\rtf1 \\\\{gras}}"), 2u) << "an escaped backslash does not escape the brace after it";
    EXPECT_EQ(GroupDepth("{\\rtf1 \\\\\\{}"), 1u);
    EXPECT_EQ(GroupDepth("{\\'7b\\'7d\\li-280{a}}"), 2u);
    EXPECT_EQ(GroupDepth("{a\\"), 1u) << "a backslash at the very end";
}

TEST(RtfDepth, BinaryDataIsSkippedOrReadAsTextOnRequest)
{
    const std::string data = "{\\rtf1{\\*\\pict\\bin6 {{{{{{}}";
    EXPECT_EQ(GroupDepth(data), 2u);
    EXPECT_EQ(GroupDepth(data, BinaryData::ReadAsText), 8u);
    EXPECT_EQ(GroupDepth("{\\bin3{{{{a}}"), 2u) << "without a space the data starts right after the number";
    EXPECT_EQ(GroupDepth("{\\bin0 {a}}"), 2u);
    EXPECT_EQ(GroupDepth("{\\bin99999999999999999999 {{{"), 1u) << "data running past the end";
    EXPECT_EQ(GroupDepth("{\\bin-3 {a}}"), 2u) << "a negative length skips nothing";
    EXPECT_EQ(GroupDepth("{\\binary3 {a}}"), 2u) << "only the word bin carries data";
}
