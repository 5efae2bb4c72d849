// UTF-8 among the Windows-1252 texts: recognised, converted, and what a save
// in Windows-1252 would lose, said line by line.
#include "script/SaveLoss.h"
#include "script/ScriptText.h"
#include "util/Text1252.h"
#include "util/Utf8.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace tessark;
using cp1252::LostCharacters;

TEST(Utf8, OnlyWellFormedSequencesDecode)
{
    EXPECT_EQ(utf8::DecodeAt("\xC3\xA9", 0)->character, U'\u00E9');
    EXPECT_EQ(utf8::DecodeAt("\xF0\x9F\x98\x80", 0)->length, 4u);
    for (const std::string_view bad : {"\xC0\x80", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xC3", "\xE9t",
                                       "\x80", "\xFF"})
        EXPECT_FALSE(utf8::DecodeAt(bad, 0)) << bad;
}

TEST(Utf8, TellsUtf8FromWindows1252ByTheFirstLineBeyondAscii)
{
    EXPECT_EQ(utf8::Utf8Line("[Level]\r\nName= x\r\nName= Cit\xC3\xA9\r\n"), 3);
    EXPECT_EQ(utf8::Utf8Line("a\rb\n\nNom= \xE2\x82\xAC"), 4) << "CR, LF and an empty line each end one";
    EXPECT_EQ(utf8::Utf8Line("\xEF\xBB\xBF[Level]\r\n"), 1) << "a mark alone";
    EXPECT_FALSE(utf8::Utf8Line("Name= Cit\xE9 \xC3\xA9")) << "a Windows-1252 accent makes it no UTF-8";
    EXPECT_FALSE(utf8::Utf8Line("[Level]\r\nName= plain\r\n"));
    EXPECT_FALSE(utf8::Utf8Line(""));
}

TEST(Text1252, Utf8IsConvertedAndEveryMissingCharacterListedWithItsLine)
{
    const auto converted = cp1252::FromUtf8("\xEF\xBB\xBFName= Cit\xC3\xA9 \xE2\x82\xAC\r\nLegend= \xD0\x96 et "
                                            "\xE9\x9F\xB3\nx \xF0\x9F\x98\x80 \xE9t\xE9\r");
    EXPECT_EQ(converted.bytes, "Name= Cit\xE9 \x80\r\nLegend= ? et ?\nx ? \xE9t\xE9\r")
        << "stray Windows-1252 bytes stay as they are";
    EXPECT_EQ(converted.lost, (LostCharacters{{U'\u0416', 2}, {U'\u97F3', 2}, {U'\U0001F600', 3}}));
    EXPECT_EQ(cp1252::LostInUtf8("a\r\n\r\n\xD0\x96"), (LostCharacters{{U'\u0416', 3}}));
    EXPECT_TRUE(cp1252::FromUtf8("").bytes.empty());
}

TEST(Text1252, AWideTextListsWhatItWouldLoseAndAPairOfSurrogatesIsOneCharacter)
{
    std::wstring text = L"Cit\u00E9 \u20AC\r\u0416\n";
    text += static_cast<wchar_t>(0xD83D);
    text += static_cast<wchar_t>(0xDE00);
    text += L"\r\n\u97F3";
    text += static_cast<wchar_t>(0xDC00); // a lone half
    EXPECT_EQ(cp1252::LostIn(text),
              (LostCharacters{{U'\u0416', 2}, {U'\U0001F600', 3}, {U'\u97F3', 4}, {char32_t{0xDC00}, 4}}));
}

TEST(Text1252, TheEditorsSaveListsExactlyWhatItWritesAsQuestionMarks)
{
    const std::string file = std::string("[Level]\r\nName= A\x01\x7F\r\n", 20);
    std::wstring text = script::DecodeScript(file).text + L"\u0416 ? \u97F3\r\u00E9\u0152";
    const LostCharacters lost = script::LostOnSaving(text);
    EXPECT_EQ(lost, (LostCharacters{{U'\u0416', 3}, {U'\u97F3', 3}}));
    const std::string saved = script::EncodeScript(text, script::LineEnd::CrLf);
    EXPECT_EQ(std::count(saved.begin(), saved.end(), '?'), 3) << "two lost and one typed";
    EXPECT_TRUE(saved.starts_with(file)) << "control bytes come back";
}

TEST(Text1252, TheLostCharactersAreToldLineByLineEachOnce)
{
    const LostCharacters lost{{U'\u0416', 2}, {U'\u97F3', 2}, {U'\u0416', 2}, {U'\U0001F600', 5}, {U'\u0416', 9}};
    std::wstring smiley = L"\xAB ";
    if constexpr (sizeof(wchar_t) == 2)
        smiley += L"\xD83D\xDE00";
    else
        smiley += static_cast<wchar_t>(0x1F600);
    smiley += L" \xBB";
    EXPECT_EQ(script::LostCharactersText(lost),
              L"Ligne 2 : \xAB \u0416 \xBB, \xAB \u97F3 \xBB\nLigne 5 : " + smiley + L"\nLigne 9 : \xAB \u0416 \xBB\n");
    EXPECT_EQ(script::LostCharactersText(lost, 1),
              L"Ligne 2 : \xAB \u0416 \xBB, \xAB \u97F3 \xBB\n... et 2 lignes de plus, non affich\xE9" L"es.\n");
    EXPECT_TRUE(script::LostCharactersText({}).empty());
}
