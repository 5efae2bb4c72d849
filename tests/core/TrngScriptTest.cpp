// Telling a TRNG script from a classic one, by its text and by the NG block
// of what NG Center compiled.
#include "script/NgTables.h"
#include "script/TrngScript.h"

#include <gtest/gtest.h>

#include <string>

using namespace tessark;

TEST(TrngScript, TheTablesHoldTheNgCommandsAndConstantsFoundInAnyCase)
{
    EXPECT_EQ(script::NgCommands().size(), 54u);
    const auto* organizer = script::FindNgCommand("organizer");
    ASSERT_TRUE(organizer);
    EXPECT_EQ(organizer->name, "Organizer");
    EXPECT_FALSE(organizer->optionsOnly);
    EXPECT_EQ(organizer->perSection, 499);
    EXPECT_EQ(organizer->arguments.count, 6u);
    EXPECT_EQ(organizer->arguments.kinds[5], script::NgArgument::Array);
    EXPECT_TRUE(script::FindNgCommand("PLUGIN")->optionsOnly);
    EXPECT_EQ(script::FindNgCommand("TriggerGroup")->arguments.count, 5u) << "its first shape, not the internal one";
    EXPECT_FALSE(script::FindNgCommand("Horizon")) << "a classic command";
    EXPECT_FALSE(script::FindNgCommand(""));

    EXPECT_EQ(script::FindNgConstant("cust_flare")->value, 40);
    EXPECT_EQ(script::FindNgConstant("IGNORE")->value, -1);
    EXPECT_EQ(script::FindNgConstant("FO_LOOP")->value, 2);
    EXPECT_FALSE(script::FindNgConstant("FO_LOOPS"));
    EXPECT_FALSE(script::FindNgConstant("ZZZZ"));
}

TEST(TrngScript, AnNgCommandOrDirectiveMakesTheScriptTrngAndNothingElseDoes)
{
    const auto sign = script::TrngSignOf("\xEF\xBB\xBF[Options]\r\nLoadSave= ENABLED\r\n ; Snow= 1\r\ndiagnostic = ENABLED\r\n");
    ASSERT_TRUE(sign);
    EXPECT_EQ(sign->line, 4);
    EXPECT_EQ(sign->what, "diagnostic");
    EXPECT_EQ(script::TrngSignOf("[Level]\n#include \"a.txt\"\n")->what, "#include");
    EXPECT_FALSE(script::TrngSignOf("[Level]\nName= Snow\nRain\nHorizon= ENABLED\n#pragma\n"));

    EXPECT_TRUE(script::IsTrngScript("[Level]\n", "", true));
    EXPECT_FALSE(script::IsTrngScript("[Level]\n", "", false));
}

TEST(TrngScript, TheNgBlockIsFoundOnlyWhereItsTrailerAndStartAgree)
{
    const std::string block = std::string("NG\x06\x00", 4) + "data" + "NGLE" + std::string("\x10\x00\x00\x00", 4);
    EXPECT_TRUE(script::HasNgBlock("classic part" + block));
    EXPECT_TRUE(script::HasNgBlock(block));
    std::string tooLong = block;
    tooLong[tooLong.size() - 4] = 0x20;
    EXPECT_FALSE(script::HasNgBlock(tooLong));
    EXPECT_FALSE(script::HasNgBlock("xx" + block.substr(2)));
    EXPECT_FALSE(script::HasNgBlock("NGLE"));
    EXPECT_FALSE(script::HasNgBlock(""));
    EXPECT_TRUE(script::IsTrngScript("[Level]\n", "classic part" + block, false));
}
