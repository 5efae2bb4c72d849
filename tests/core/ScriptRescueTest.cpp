#include "script/ScriptRescue.h"

#include <gtest/gtest.h>

using tessark::script::RescuePlacesFor;

TEST(ScriptRescue, ATextIsRescuedBesideItsDocumentThenInTheRoot)
{
    const auto places = RescuePlacesFor(L"D:\\Niveaux\\script.txt", false, L"C:\\TR\\");
    EXPECT_EQ(places.first, L"D:\\Niveaux\\script.txt.recupere");
    EXPECT_EQ(places.fallback, L"C:\\TR\\script.txt.recupere");
}

TEST(ScriptRescue, AnUntitledTextIsRescuedInTheScriptFolderThenInTheRoot)
{
    const auto places = RescuePlacesFor(L"Sans nom", true, L"C:\\");
    EXPECT_EQ(places.first, L"C:\\script\\Sans nom.txt.recupere");
    EXPECT_EQ(places.fallback, L"C:\\Sans nom.txt.recupere");
}
