#include "util/FileNames.h"
#include "util/InstallLayout.h"

#include <gtest/gtest.h>

using namespace tessark;

TEST(InstallationRoot, IsTheProgramFolderWithOneTrailingBackslash)
{
    EXPECT_EQ(InstallationRootFrom(L"C:\\x.exe"), L"C:\\");
    EXPECT_EQ(InstallationRootFrom(L"C:\\TR\\x.exe"), L"C:\\TR\\");
    EXPECT_EQ(InstallationRootFrom(L"D:Tessark.exe"), L"D:\\");
    EXPECT_EQ(InstallationRootFrom(L"Z:\\Mes jeux\\Éditeur TR\\Tessark.exe"), L"Z:\\Mes jeux\\Éditeur TR\\");
}

TEST(FileNamePieces, ExtensionIsTakenAfterTheLastFolderOnly)
{
    EXPECT_EQ(ExtractFileExt(L"C:\\a.b\\script"), L"");
    EXPECT_EQ(ExtractFileExt(L"C:\\a\\logo.final.BMP"), L".BMP");
    EXPECT_EQ(ExtractFileExt(L"C:logo.raw"), L".raw");
    EXPECT_EQ(ExtractFileName(L"C:\\TR\\script\\script.txt"), L"script.txt");
    EXPECT_EQ(ExtractFileName(L"C:script.txt"), L"script.txt");
    EXPECT_EQ(ExtractFilePath(L"script.txt"), L"");
}

TEST(FileNamePieces, ChangingAnExtensionAppendsWhenThereIsNone)
{
    EXPECT_EQ(ChangeFileExt(L"C:\\TR\\logo.bmp", L".raw"), L"C:\\TR\\logo.raw");
    EXPECT_EQ(ChangeFileExt(L"C:\\T.R\\logo", L".raw"), L"C:\\T.R\\logo.raw");
    EXPECT_EQ(AsciiUpper(L"logo.bmp é"), L"LOGO.BMP é");
}

TEST(InstallLayout, JoinsTheRootAndARelativePathWithTheGivenSeparator)
{
    using namespace layout;
    EXPECT_EQ(InstallPath(L"C:\\TR\\", SoundBuilder), L"C:\\TR\\Sound\\VidedIRU Dovezev\\pcwadsfx.exe");
    EXPECT_EQ(InstallPath(L"/opt/tr/", WadFolder, L'/'), L"/opt/tr/graphics/wads");
    EXPECT_EQ(InstallPath(L"C:\\", ScriptFolder), L"C:\\script");
}
