#pragma once
// The texts of the picture tools: the title logo and the sky, the picture
// files they read and write, and the logo's .pak and its install in the game.
#include <string_view>

namespace tessark::msg {

inline constexpr std::wstring_view InvalidBitmap = L"Image bitmap incorrecte";
inline constexpr std::wstring_view RawShorterThanOneRow =
    L"Le fichier %s est plus court qu'une ligne de l'image à la largeur choisie";
inline constexpr std::wstring_view PictureTooLarge = L"Image trop grande : %s";
inline constexpr std::wstring_view InvalidPictureSize = L"Taille d'image incorrecte : %s";
inline constexpr std::wstring_view ChooseValidPicture = L"Vous devez choisir une image valide !";
inline constexpr std::wstring_view PackerNotStarted = L"Le Logo Packer n'a pas pu être lancé :\n%s";
inline constexpr std::wstring_view PackerLeftNoPak = L"Le Logo Packer n'a pas généré le fichier :\n%s";
inline constexpr std::wstring_view PackerStillRunning =
    L"Le Logo Packer tourne depuis %s s sans avoir fini.\nL'arrêter ?";
inline constexpr std::wstring_view PackerStopped =
    L"Le Logo Packer ne finissait pas et a été arrêté : le fichier qu'il a pu laisser n'est ni vérifié ni "
    L"installé :\n%s";
inline constexpr std::wstring_view RawFilter = L"Fichier image RAW |*.raw";
inline constexpr std::wstring_view BlackPixels = L"%s pixels noirs : transparents dans le jeu";
inline constexpr std::wstring_view OneBlackPixel = L"%s pixel noir : transparent dans le jeu";
inline constexpr std::wstring_view ShowAsInGame = L"Transparence du jeu";
// Transparency turned to black for the logo (%s: the count, thousands grouped).
inline constexpr std::wstring_view PixelsMadeTransparent = L"%s pixels rendus transparents";
inline constexpr std::wstring_view OnePixelMadeTransparent = L"%s pixel rendu transparent";
// Fitting a picture to the game's size before an export (%s: a size, "512 x 256").
inline constexpr std::wstring_view FitPictureSize = L"L'image fait %s pixels.";
inline constexpr std::wstring_view FitGameSize = L"Le jeu attend une image de %s : comment l'ajuster ?";
inline constexpr std::wstring_view FitStretch = L"Étirer à %s";
inline constexpr std::wstring_view FitStretchDetail = L"Toute l'image, déformée si ses proportions ne sont pas celles du jeu";
inline constexpr std::wstring_view FitInside = L"Toute l'image, avec des bordures";
inline constexpr std::wstring_view FitInsideLogoDetail =
    L"Sans déformation ; les bordures sont noires, donc transparentes dans le jeu";
inline constexpr std::wstring_view FitInsideSkyDetail =
    L"Sans déformation ; les bordures prennent la couleur des bords de l'image";
inline constexpr std::wstring_view FitFill = L"Remplir et rogner";
inline constexpr std::wstring_view FitFillDetail =
    L"Sans déformation ni bordure : le milieu de l'image est gardé, ce qui dépasse est coupé";
inline constexpr std::wstring_view FitKeep = L"Garder la taille";
inline constexpr std::wstring_view FitKeepDetail = L"Enregistrer l'image sans l'ajuster";
inline constexpr std::wstring_view FittedLogoShown =
    L"L'image ajustée est affichée telle que le jeu la montrera.\r\nEnregistrer ce logo ?";
inline constexpr std::wstring_view FittedSkyShown = L"L'image ajustée est affichée.\r\nEnregistrer cette texture du ciel ?";
// A damaged or unusual TGA picture.
inline constexpr std::wstring_view TgaTooShort = L"Image TGA incorrecte : le fichier est trop court";
inline constexpr std::wstring_view TgaEmpty = L"Image TGA incorrecte : sa largeur ou sa hauteur est nulle";
inline constexpr std::wstring_view TgaUnsupported =
    L"Image TGA non prise en charge (%s) : seules les images en couleurs de 24 ou 32 bits, compressées ou non, "
    L"sont lues";
inline constexpr std::wstring_view TgaDataCut = L"Image TGA incorrecte : les données de l'image sont tronquées";
inline constexpr std::wstring_view TgaRunPastEnd =
    L"Image TGA incorrecte : une répétition de pixels (RLE) dépasse la fin de l'image";
// Pictures read and written through the Windows Imaging Component (%s: the file).
inline constexpr std::wstring_view ImagingUnavailable =
    L"Le composant d'images de Windows (WIC) n'a pas pu être démarré";
inline constexpr std::wstring_view PictureFormatUnknown = L"Format d'image non reconnu : %s";
inline constexpr std::wstring_view PictureDamaged = L"Image incorrecte ou endommagée : %s";
inline constexpr std::wstring_view PngNotWritten = L"L'image n'a pas pu être enregistrée en PNG : %s";
inline constexpr std::wstring_view SaveAsPng = L"Enregistrer en PNG";
inline constexpr std::wstring_view PngFilter = L"Image PNG|*.png";
// A damaged ".pak" title logo.
inline constexpr std::wstring_view PakTooShort = L"Logo .pak incorrect : le fichier est trop court";
// The two halves of one text: the size the file gives, the size expected.
inline constexpr std::wstring_view PakWrongSize = L"Logo .pak incorrect : il annonce %s octets";
inline constexpr std::wstring_view PakExpectedSize = L" au lieu de %s";
inline constexpr std::wstring_view PakStreamCut = L"Logo .pak incorrect : les données compressées sont tronquées";
inline constexpr std::wstring_view PakStreamCorrupt = L"Logo .pak incorrect : les données compressées sont endommagées";
inline constexpr std::wstring_view PakTooLittleData =
    L"Logo .pak incorrect : les données décompressées n'atteignent pas la taille annoncée";
inline constexpr std::wstring_view PakTooMuchData =
    L"Logo .pak incorrect : les données décompressées dépassent la taille annoncée";
inline constexpr std::wstring_view PakTrailingBytes = L"Logo .pak incorrect : des octets suivent les données compressées";
// The title logo's .pak when Tessark writes it, its check, and its install in the game.
inline constexpr std::wstring_view PakOtherPicture = L"Logo .pak incorrect : il ne contient pas l'image du fichier RAW";
inline constexpr std::wstring_view PakWrittenByTessark = L"Tessark a écrit lui-même le fichier .pak.";
inline constexpr std::wstring_view PakNotUsable = L"Le fichier %s n'est pas utilisable par le jeu :\n";
inline constexpr std::wstring_view InstallLogoQuestion = L"Installer ce logo dans le jeu ?\r\nIl sera copié en %s";
inline constexpr std::wstring_view InstallLogoKeepsOld = L"\r\nLe logo actuel sera gardé sous uklogo.bak.";
inline constexpr std::wstring_view LogoInstalled = L"Le logo a été installé dans le jeu :\r\n%s";
inline constexpr std::wstring_view OldLogoKept = L"\r\nL'ancien logo est gardé sous uklogo.bak.";
inline constexpr std::wstring_view GameDataFolderMissing =
    L"Le dossier data du jeu est introuvable, le logo ne peut pas y être installé :\r\n%s";
inline constexpr std::wstring_view LogoNotInstalled =
    L"Le logo n'a pas été installé, le logo du jeu est resté tel quel :\n";
inline constexpr std::wstring_view GameLogoIsFolder =
    L"Un dossier porte le nom du logo du jeu, le logo n'a pas été installé :\n%s";
inline constexpr std::wstring_view GameLogoReadOnly =
    L"Le logo du jeu est en lecture seule, il n'a pas été remplacé :\n%s";
inline constexpr std::wstring_view GameLogoOldBackupNotDeleted =
    L"L'ancienne sauvegarde du logo ne peut pas être supprimée, le logo n'a pas été remplacé :\n%s";
inline constexpr std::wstring_view GameLogoNotRenamed =
    L"Le logo du jeu ne peut pas être renommé en .bak, il n'a pas été remplacé :\n%s";
inline constexpr std::wstring_view GameLogoBackupIsFolder =
    L"Un dossier porte le nom de la sauvegarde du logo, le logo n'a pas été remplacé :\n%s";

} // namespace tessark::msg
