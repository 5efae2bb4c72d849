#include "util/Messages.h"
#include "util/Text1252.h"

#include <gtest/gtest.h>

using namespace tessark;

TEST(ErrorDisplay, AddsAFullStopOnlyAfterCharactersThatSortAfterIt)
{
    EXPECT_EQ(ErrorDisplayText(L"Disque plein"), L"Disque plein.");
    EXPECT_EQ(ErrorDisplayText(L"Fini."), L"Fini.");
    EXPECT_EQ(ErrorDisplayText(L"Vraiment ?"), L"Vraiment ?.");  // '?' sorts after '.'
    EXPECT_EQ(ErrorDisplayText(L"Attention !"), L"Attention !"); // '!' sorts before '.'
    EXPECT_EQ(ErrorDisplayText(L"fichier a-"), L"fichier a-");
    EXPECT_EQ(ErrorDisplayText(L""), L"");
}

TEST(MessageText, FillsEveryPlaceholderAndKeepsOtherPercentSigns)
{
    EXPECT_EQ(FormatMessageText(msg::CannotOpenFile, L"C:\\a b\\é.txt"),
              L"Impossible d'ouvrir le fichier C:\\a b\\é.txt");
    EXPECT_EQ(FormatMessageText(L"%s et %s à 100%", L"x"), L"x et x à 100%");
    EXPECT_EQ(FormatMessageText(msg::NotAnInteger, L""), L"'' n'est pas une valeur entière correcte");
}

TEST(Windows1252, EveryByteRoundTripsAndOnlyItsCharactersMapBack)
{
    for (int b = 0; b < 256; ++b) {
        const wchar_t c = cp1252::ToUnicode(static_cast<unsigned char>(b));
        const auto back = cp1252::FromUnicode(c);
        ASSERT_TRUE(back.has_value()) << b;
        EXPECT_EQ(*back, b);
    }
    EXPECT_EQ(cp1252::ToUnicode(0x80), L'\u20AC');
    EXPECT_EQ(cp1252::ToUnicode(0x9C), L'\u0153');
    EXPECT_EQ(cp1252::ToUnicode(0xE9), L'é');
    EXPECT_FALSE(cp1252::FromUnicode(L'\u0410').has_value()); // Cyrillic A
    EXPECT_FALSE(cp1252::FromUnicode(L'\u0080').has_value()); // 0x80 holds the euro sign
}
