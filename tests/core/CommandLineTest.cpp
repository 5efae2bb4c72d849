#include "util/CommandLine.h"
#include "util/Messages.h"
#include "util/TextUtils.h"

#include <gtest/gtest.h>

#include <cstdint>

using namespace tessark;

TEST(QuoteArgument, QuotesOnlyWhatTheParsingWouldSplitOrLose)
{
    EXPECT_EQ(QuoteArgument(L"script.txt"), L"script.txt");
    EXPECT_EQ(QuoteArgument(L"C:\\a\\b.exe"), L"C:\\a\\b.exe") << "backslashes alone stay as they are";
    EXPECT_EQ(QuoteArgument(L""), L"\"\"");
    EXPECT_EQ(QuoteArgument(L"C:\\Mes jeux\\TRLE\\script\\Script.exe"), L"\"C:\\Mes jeux\\TRLE\\script\\Script.exe\"");
    EXPECT_EQ(QuoteArgument(L"dit \"oui\""), L"\"dit \\\"oui\\\"\"");
    EXPECT_EQ(QuoteArgument(L"a\\\"b"), L"\"a\\\\\\\"b\"");
    EXPECT_EQ(QuoteArgument(L"C:\\dossier avec blanc\\"), L"\"C:\\dossier avec blanc\\\\\"")
        << "a trailing backslash must not escape the closing quote";
}

TEST(QuoteArgument, CommandLineJoinsTheQuotedPiecesWithOneBlank)
{
    EXPECT_EQ(CommandLine(L"C:\\Mes jeux\\Script.exe", {L"script.txt"}), L"\"C:\\Mes jeux\\Script.exe\" script.txt");
    EXPECT_EQ(CommandLine(L"packer", {L"C:\\img\\titre.raw", L"a b"}), L"packer C:\\img\\titre.raw \"a b\"");
}

TEST(ReplaceChar, TurnsEveryOldCharacterAndLeavesTheRest)
{
    EXPECT_EQ(ReplaceChar(L"08/12/2026", L'/', L'_'), L"08_12_2026");
    EXPECT_EQ(ReplaceChar(L"", L'/', L'_'), L"");
    EXPECT_EQ(ReplaceChar(L"sans barre", L'/', L'_'), L"sans barre");
    const std::wstring long_text(300, L'/');
    EXPECT_EQ(ReplaceChar(long_text, L'/', L'_'), std::wstring(300, L'_')) << "no length limit";
}

TEST(StrToInt, ReadsTypedDecimalsAndNamesTheTextItRefuses)
{
    EXPECT_EQ(StrToInt(L"320"), 320);
    EXPECT_EQ(StrToInt(L"  -12 "), -12);
    EXPECT_EQ(StrToInt(L"2147483647"), 2147483647);
    EXPECT_EQ(StrToInt(L"-2147483648"), INT32_MIN);
    for (const wchar_t* bad : {L"", L"  ", L"12a", L"2147483648", L"99999999999999999999", L"1 2"}) {
        try {
            StrToInt(bad);
            ADD_FAILURE() << "accepted a bad number";
        } catch (const UserError& error) {
            EXPECT_EQ(error.text(), L"'" + std::wstring(bad) + L"' n'est pas une valeur entière correcte");
        }
    }
}
