#include "script/LostCharacters.h"
#include "script/ScriptText.h"
#include "util/Text1252.h"

#include <gtest/gtest.h>

using namespace tessark::script;

namespace tessark::script {

void PrintTo(const LostOnLine& lost, std::ostream* out)
{
    *out << "line " << lost.line << ": " << testing::PrintToString(lost.characters);
}

} // namespace tessark::script

TEST(LostCharacters, EveryCharacterWindows1252HoldsIsKept)
{
    std::wstring all;
    for (int b = 0; b < 256; ++b)
        all += tessark::cp1252::ToUnicode(static_cast<unsigned char>(b));
    all += L"\u20ac\u0160\u2122\u0178\u2026";   // some of 0x80..0x9F
    all += L"\u2400\u241f\u2421";             // control pictures go back to their bytes
    EXPECT_TRUE(CharactersLostIn1252(all).empty());
    EXPECT_TRUE(CharactersLostIn1252(L"").empty());
}

TEST(LostCharacters, ListsEachLostCharacterOncePerLineWithItsLine)
{
    const std::wstring text = L"[Level]\rName= \u0416\u0416ar\u0416\r\rLegend= \u97f3 et \u0416\r\nfin\n\u20bd";
    const std::vector<LostOnLine> expected = {{2, L"\u0416"}, {4, L"\u97f3\u0416"}, {6, L"\u20bd"}};
    EXPECT_EQ(CharactersLostIn1252(text), expected);
    // The same characters EncodeScript writes as '?'.
    EXPECT_EQ(EncodeScript(text, LineEnd::CrLf),
              "[Level]\r\nName= ??ar?\r\n\r\nLegend= ? et ?\r\nfin\r\n?");
}

TEST(LostCharacters, APairOfSurrogatesIsOneCharacterAndAHalfOneIsShownAsAReplacement)
{
    std::wstring text = L"a";
    if constexpr (sizeof(wchar_t) == 2) {
        text += L"\xD83D\xDE00\xD83D\xDE00";   // the same emoji twice
        text += static_cast<wchar_t>(0xDC00);  // half of a pair, alone
    } else {
        text += static_cast<wchar_t>(0x1F600);
        text += static_cast<wchar_t>(0x1F600);
        text += static_cast<wchar_t>(0xFFFD);
    }
    const auto lost = CharactersLostIn1252(text);
    ASSERT_EQ(lost.size(), 1u);
    EXPECT_EQ(lost[0].line, 1);
    const std::wstring emoji = sizeof(wchar_t) == 2 ? std::wstring(L"\xD83D\xDE00") : std::wstring(1, wchar_t(0x1F600));
    EXPECT_EQ(lost[0].characters, emoji + L"\uFFFD");
    EXPECT_EQ(DescribeLostCharacters(lost), L"ligne 1 : " + emoji + L" \uFFFD\n");
}

TEST(LostCharacters, TheDescriptionKeepsToAFewLinesAndAFewCharactersEach)
{
    std::vector<LostOnLine> lost;
    for (int line = 1; line <= 14; ++line)
        lost.push_back({line * 2, L"\u0416"});
    lost[0].characters = L"\u0410\u0411\u0412\u0413\u0414";
    const std::wstring text = DescribeLostCharacters(lost, 3, 4);
    EXPECT_EQ(text, L"ligne 2 : \u0410 \u0411 \u0412 \u0413 ...\n"
                    L"ligne 4 : \u0416\n"
                    L"ligne 6 : \u0416\n"
                    L"... et 11 lignes de plus.\n");
    EXPECT_EQ(DescribeLostCharacters({lost[0], lost[1]}, 1), L"ligne 2 : \u0410 \u0411 \u0412 \u0413 \u0414\n"
                                                             L"... et 1 ligne de plus.\n");
}
