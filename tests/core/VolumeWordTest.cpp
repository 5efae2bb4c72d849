#include "sound/VolumeWord.h"

#include <gtest/gtest.h>

namespace tessark {
namespace {

TEST(VolumeWord, TheLouderChannelIsFoundOnEitherSide)
{
    EXPECT_EQ(LouderChannel(3000u << 16 | 1000u), 3000);
    EXPECT_EQ(LouderChannel(1000u << 16 | 3000u), 3000);
    EXPECT_EQ(LouderChannel(0xFFFF0000u), 0xFFFF);
    EXPECT_EQ(LouderChannel(0x0000FFFFu), 0xFFFF);
}

TEST(VolumeWord, BothChannelsGetTheLevel)
{
    EXPECT_EQ(BothChannels(0), 0u);
    EXPECT_EQ(BothChannels(0x1234), 0x12341234u);
    EXPECT_EQ(BothChannels(0xFFFF), 0xFFFFFFFFu);
}

} // namespace
} // namespace tessark
