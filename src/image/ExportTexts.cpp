#include "image/ExportTexts.h"

#include "util/FileNames.h"

namespace tessark {
namespace {

std::wstring SizeText(std::int32_t width, std::int32_t height)
{
    return std::to_wstring(width) + L" x " + std::to_wstring(height);
}

std::wstring SaveQuestion(std::wstring_view rule, std::int32_t width, std::int32_t height)
{
    return std::wstring(rule) + L"\r\nEtes vous sure de vouloir enregistrer l'image\r\nau format " +
           SizeText(width, height) + L" ?";
}

} // namespace

std::wstring PictureCaption(std::int32_t width, std::int32_t height)
{
    return L"Image " + SizeText(width, height);
}

std::wstring LogoSizeQuestion(std::int32_t width, std::int32_t height)
{
    return SaveQuestion(L"ATTENTION ! Une image pour un LOGO de titre\r\ndoit impérativement avoir un format 512 x 256.",
                        width, height);
}

std::wstring SkySizeQuestion(std::int32_t width, std::int32_t height)
{
    return SaveQuestion(L"ATTENTION ! Les textures du ciel doivent\r\nimpérativement avoir un format 256 x 256.", width,
                        height);
}

std::wstring LogoFromBmpDone(std::wstring_view rawPath)
{
    return L"Le fichier " + ExtractFileName(rawPath) + L"  et le fichier " +
           ExtractFileName(ChangeFileExt(rawPath, L".pak")) + L"\r\nont été générés, et se trouve dans le répertoire " +
           ExtractFilePath(rawPath);
}

std::wstring LogoFromRawDone(std::wstring_view rawPath)
{
    return L"Le fichier " + ExtractFileName(ChangeFileExt(rawPath, L".pak")) +
           L"  a été générés,\r\net se trouve dans le répertoire " + ExtractFilePath(rawPath);
}

} // namespace tessark
