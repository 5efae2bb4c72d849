#include "sound/WadNames.h"
#include "util/FileNames.h"

#include <gtest/gtest.h>

namespace tessark::wad {
namespace {

using Entries = std::vector<std::wstring>;

TEST(WadListTest, KeepsEveryLineAsItIsButForItsFirstDot)
{
    EXPECT_EQ(ShownEntries("tut1.wad\r\ncite\r\n  desert.wad  \r\n"),
              (Entries{L"tut1 wad", L"cite", L"  desert wad  "}));
    EXPECT_EQ(ShownEntries("a.b.c\r\n"), (Entries{L"a b.c"}));
    EXPECT_EQ(ShownEntries("sans fin"), (Entries{L"sans fin"}));
    // Empty lines are entries; only the break that ends the file starts none.
    EXPECT_EQ(ShownEntries("\r\n\r\nx\r\n\r\n"), (Entries{L"", L"", L"x", L""}));
    EXPECT_EQ(ShownEntries("unix\nmac\rdos\r\n"), (Entries{L"unix", L"mac", L"dos"}));
    EXPECT_EQ(ShownEntries("for\xEAt.wad"), (Entries{L"forêt wad"}));
    EXPECT_EQ(ShownEntries(std::string(5000, 'w')), (Entries{std::wstring(5000, L'w')}));
}

TEST(WadListTest, AnEmptyFileGivesOneEmptyEntry)
{
    EXPECT_EQ(ShownEntries(""), (Entries{L""}));
}

TEST(WadNameTest, TheFirstBlankBecomesTheDotAgainAndTheOutputsFollowTheLastDot)
{
    auto outputs = [](std::wstring_view line) {
        const std::wstring name = WadNameOf(ShownEntry(line));
        return std::pair{ChangeFileExt(name, L".sfx"), ChangeFileExt(name, L".sam")};
    };
    EXPECT_EQ(outputs(L"tut1.wad"), (std::pair<std::wstring, std::wstring>{L"tut1.sfx", L"tut1.sam"}));
    EXPECT_EQ(outputs(L"cite"), (std::pair<std::wstring, std::wstring>{L"cite.sfx", L"cite.sam"}));
    // A blank without a dot counts as the dot: what follows is an extension.
    EXPECT_EQ(outputs(L"ma cite"), (std::pair<std::wstring, std::wstring>{L"ma.sfx", L"ma.sam"}));
    EXPECT_EQ(outputs(L"a.b.wad"), (std::pair<std::wstring, std::wstring>{L"a.b.sfx", L"a.b.sam"}));
    EXPECT_EQ(WadNameOf(L"a b.wad"), L"a.b.wad");
    EXPECT_EQ(WadNameOf(L""), L"");
}

TEST(WadNameTest, OnlyANameWithoutFolderPartsOrDevicesIsPlain)
{
    for (std::wstring_view plain : {L"tut1.wad", L"ma cite.wad", L"..x", L"forêt", L"CONSOLE.wad", L"COM0"})
        EXPECT_TRUE(IsPlainFileName(plain)) << testing::PrintToString(std::wstring(plain));
    for (std::wstring_view outside : {L"..\\..\\data\\x.wad", L"C:\\x", L"a/b", L"C:x", L"x?.wad", L"a\tb",
                                      L"nul.wad", L"Com3", L"LPT1.wad", L"aux"})
        EXPECT_FALSE(IsPlainFileName(outside)) << testing::PrintToString(std::wstring(outside));
}

TEST(StartFailureTest, NamesTheTableCodesOnly)
{
    EXPECT_EQ(StartFailureName(2), L"ERRO_FILE_NOT_FOUND");
    EXPECT_EQ(StartFailureName(11), L"ERROR_BAD_FORMAT");
    EXPECT_EQ(StartFailureName(32), L"SE_ERR_DLLNOTFOUND");
    for (long long unnamed : {0LL, 1LL, 4LL, 25LL, 33LL, 42LL})
        EXPECT_FALSE(StartFailureName(unnamed)) << unnamed;
}

} // namespace
} // namespace tessark::wad
