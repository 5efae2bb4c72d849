#include "util/FileMask.h"

#include <gtest/gtest.h>

#include <string>

using tessark::MatchesMask;

TEST(FileMask, MatchesAnyPatternOfTheListIgnoringLetterCase)
{
    EXPECT_TRUE(MatchesMask(L"titre.bmp", L"*.bmp;*.raw"));
    EXPECT_TRUE(MatchesMask(L"CIEL.RAW", L"*.bmp;*.raw"));
    EXPECT_TRUE(MatchesMask(L"Explosion.Wav", L"*.wav"));
    EXPECT_FALSE(MatchesMask(L"titre.bmp.txt", L"*.bmp;*.raw"));
    EXPECT_FALSE(MatchesMask(L"titre.bm", L"*.bmp"));
    EXPECT_FALSE(MatchesMask(L"wav", L"*.wav"));
    EXPECT_TRUE(MatchesMask(L".wav", L"*.wav")) << "a name that is only an extension";
    EXPECT_TRUE(MatchesMask(L"a.b.wav", L"*.wav"));
    EXPECT_TRUE(MatchesMask(L"son1.wav", L"son?.wav"));
    EXPECT_FALSE(MatchesMask(L"son12.wav", L"son?.wav"));
    EXPECT_FALSE(MatchesMask(L"x.wav", L""));
    EXPECT_FALSE(MatchesMask(L"x.wav", L";;"));
    EXPECT_TRUE(MatchesMask(L"x.wav", L";*.WAV;"));
    EXPECT_FALSE(MatchesMask(L"\u00e9t\u00e9.WAV", L"\u00c9T\u00c9.wav")) << "only ASCII letters are folded";
}

TEST(FileMask, LongNamesWithManyStarsStayFast)
{
    const std::wstring name(5000, L'a');
    EXPECT_FALSE(MatchesMask(name, L"*a*a*a*a*a*a*a*a*b"));
    EXPECT_TRUE(MatchesMask(name + L".wav", L"*a*a*a*.wav"));
}
