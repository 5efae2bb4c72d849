#include "image/ExportTexts.h"

#include <gtest/gtest.h>

using namespace tessark;

TEST(ExportTexts, SizeQuestionsEndWithTheChosenSize)
{
    EXPECT_EQ(LogoSizeQuestion(256, 256),
              L"ATTENTION ! Une image pour un LOGO de titre\r\ndoit impérativement avoir un format 512 x 256.\r\n"
              L"Etes vous sure de vouloir enregistrer l'image\r\nau format 256 x 256 ?");
    EXPECT_EQ(SkySizeQuestion(512, 256),
              L"ATTENTION ! Les textures du ciel doivent\r\nimpérativement avoir un format 256 x 256.\r\n"
              L"Etes vous sure de vouloir enregistrer l'image\r\nau format 512 x 256 ?");
    const std::wstring other = LogoSizeQuestion(640, 480);
    EXPECT_EQ(other.substr(other.rfind(L'\n') + 1), L"au format 640 x 480 ?");
    EXPECT_EQ(PictureCaption(512, 256), L"Image 512 x 256");
}

TEST(ExportTexts, LogoReportsNameTheFilesAndTheirFolder)
{
    EXPECT_EQ(LogoFromBmpDone(L"C:\\img\\titre.raw"),
              L"Le fichier titre.raw  et le fichier titre.pak\r\nont été générés, et se trouve dans le répertoire C:\\img\\");
    EXPECT_EQ(LogoFromRawDone(L"C:\\img\\titre.raw"),
              L"Le fichier titre.pak  a été générés,\r\net se trouve dans le répertoire C:\\img\\");
    EXPECT_EQ(LogoFromRawDone(L"C:\\mes images.v2\\logo"),
              L"Le fichier logo.pak  a été générés,\r\net se trouve dans le répertoire C:\\mes images.v2\\");
}
