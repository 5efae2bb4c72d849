#include "sound/ModificationReport.h"

#include <gtest/gtest.h>

using namespace tessark::report;

namespace {

Grid ListOf(int replacements)
{
    Grid grid{{L"Indice", L"    Sons origineaux", L"    Remplacés par", L"  Anciens fichiers renomés en"}};
    for (int n = 1; n <= replacements; ++n)
        grid.push_back({std::to_wstring(n), L"DOOR" + std::to_wstring(n) + L".wav", L"grincé.wav",
                        L"DOOR" + std::to_wstring(n) + L".bak"});
    return grid;
}

} // namespace

TEST(ModificationReport, TheFileNameTakesTheDateWithSlashesTurnedToUnderscores)
{
    EXPECT_EQ(ReportFileName(L"06/12/2026"), L"ModifSFX_06_12_2026.txt");
    EXPECT_EQ(ReportFileName(L"06-12-2026"), L"ModifSFX_06-12-2026.txt");
    EXPECT_EQ(ReportFileName(L"06.12.2026"), L"ModifSFX_06.12.2026.txt");
}

TEST(ModificationReport, TheTextHasOneLinePerRowWithoutATrailingSeparator)
{
    EXPECT_EQ(GridAsText(ListOf(1), L'\t'),
              "Indice\t    Sons origineaux\t    Remplac\xE9s par\t  Anciens fichiers renom\xE9s en\r\n"
              "1\tDOOR1.wav\tgrinc\xE9.wav\tDOOR1.bak\r\n");
    const Grid withEmpty{{L"a", L"", L"c"}, {L"", L"", L""}};
    EXPECT_EQ(GridAsText(withEmpty, L'\t'), "a\t \tc\r\n \t \t \r\n");
    EXPECT_EQ(GridAsText(withEmpty, L' '), "a _ c\r\n_ _ _\r\n");
    EXPECT_EQ(GridAsText({{L"seul"}, {L"x"}}, L'\t'), "seul\r\nx\r\n") << "one column: no separator";
    EXPECT_EQ(GridAsText({{L"\u65e5.wav"}}, L'\t'), "?.wav\r\n") << "outside the code page";
}

TEST(ModificationReport, At600DotsPerInchTheTableHasTheExpectedMeasures)
{
    const PrintUnits units = PrintUnits::For(600, 600);
    EXPECT_EQ(units.charHeight, 67);
    EXPECT_EQ(units.ux, 6);
    EXPECT_EQ(units.uy, 6);
    EXPECT_EQ(units.charWidth, 37);

    const auto pages = LayOutGridReport(ListOf(2), L"Tessark", L"Modifications du   08/12/2026", units);
    ASSERT_EQ(pages.size(), 1u);
    const PrintedPage& page = pages[0];
    ASSERT_EQ(page.size(), 3u + 3 * 4);
    EXPECT_EQ(page[0].text, L"Modifications du   08/12/2026");
    EXPECT_EQ(page[0].top, 250);
    EXPECT_EQ(page[0].bottom - page[0].top, 97);
    EXPECT_EQ(page[1].text, L"Identification : Tessark");
    EXPECT_EQ(page[1].top, page[0].bottom);
    EXPECT_TRUE(page[2].filled);
    EXPECT_TRUE(page[2].text.empty());
    EXPECT_EQ(page[2].right - page[2].left, page[1].right - page[1].left) << "the bar is as long as the identification";

    const PrintedCell& index = page[3];
    EXPECT_EQ(index.left, 100);
    EXPECT_EQ(index.top, page[2].bottom);
    EXPECT_EQ(index.right - index.left, 222);
    EXPECT_EQ(index.text, L" Indice          ");
    EXPECT_EQ(page[6].right - page[3].left, 2627) << "the table's width";
    EXPECT_EQ(page[7].top, page[3].bottom) << "the next row starts below";
    EXPECT_EQ(page[8].text, L" DOOR1.wav          ");
}

TEST(ModificationReport, FortyRowsAPageAndAFullLastPageIsFollowedByAnEmptyOne)
{
    const PrintUnits units = PrintUnits::For(600, 600);
    const auto full = LayOutGridReport(ListOf(39), L"x", L"t", units);
    ASSERT_EQ(full.size(), 2u);
    EXPECT_EQ(full[0].size(), 3u + 40 * 4);
    EXPECT_TRUE(full[1].empty());

    const auto spill = LayOutGridReport(ListOf(40), L"x", L"t", units);
    ASSERT_EQ(spill.size(), 2u);
    ASSERT_EQ(spill[1].size(), 4u);
    EXPECT_EQ(spill[1][0].top, 250) << "alone at the top of page 2, without title or header";
    EXPECT_EQ(spill[1][0].text, L" 40          ");

    const auto three = LayOutGridReport(ListOf(100), L"x", L"t", units);
    ASSERT_EQ(three.size(), 3u);
    EXPECT_EQ(three[1].size(), 40u * 4);
    EXPECT_EQ(three[2].size(), 21u * 4);
}
