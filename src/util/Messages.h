#pragma once
// The texts of reported failures.
#include <stdexcept>
#include <string>
#include <string_view>

namespace tessark {

// Fills every "%s" of a message pattern with `argument`.
std::wstring FormatMessageText(std::wstring_view pattern, std::wstring_view argument);

// The default error display shows a failure's text followed by "." when its
// last character sorts after ".".
std::wstring ErrorDisplayText(std::wstring_view text);

// An expected kind of failure with a French text for the user; anything that
// ends a handler this way is shown by the default error display.
class UserError : public std::runtime_error {
public:
    explicit UserError(std::wstring text);
    const std::wstring& text() const noexcept { return text_; }

private:
    std::wstring text_;
};

namespace msg {
inline constexpr std::wstring_view CannotOpenFile = L"Impossible d'ouvrir le fichier %s";
inline constexpr std::wstring_view CannotCreateFile = L"Impossible de créer le fichier %s";
inline constexpr std::wstring_view CannotMoveFile = L"Cannot move file %s";
inline constexpr std::wstring_view ReadFailed = L"Erreur de lecture du fichier %s";
inline constexpr std::wstring_view WriteFailed = L"Erreur d'écriture dans le fichier %s";
inline constexpr std::wstring_view DiskFull = L"Disque plein";
inline constexpr std::wstring_view ScriptCompilerMissing = L"Le compilateur de script est introuvable :\n%s";
inline constexpr std::wstring_view ScriptCompilerNotStarted = L"Le compilateur de script n'a pas pu être lancé :\n%s";
inline constexpr std::wstring_view NotAnInteger = L"'%s' n'est pas une valeur entière correcte";
inline constexpr std::wstring_view TextChangedSave = L"Le texte a changé. Sauver %s?";
inline constexpr std::wstring_view OkToOverwrite = L"OK to overwrite %s";
inline constexpr std::wstring_view StreamLoadError = L"Erreur au chargement de flux";
inline constexpr std::wstring_view StreamSaveError = L"Erreur à l'enregistrement de flux";
inline constexpr std::wstring_view HelpNestedTooDeep =
    L"Le document d'aide %s imbrique ses groupes trop profondément pour être mis en forme : "
    L"il est affiché en texte simple.";
inline constexpr std::wstring_view FatalFault = L"Tessark a rencontré une erreur inattendue et doit se fermer.";
inline constexpr std::wstring_view FatalFaultTextRescued =
    L"Tessark a rencontré une erreur inattendue et doit se fermer.\n"
    L"Le texte non enregistré de l'éditeur de script a été écrit dans :\n%s";
inline constexpr std::wstring_view FatalFaultTextLost =
    L"Tessark a rencontré une erreur inattendue et doit se fermer.\n"
    L"Le texte non enregistré de l'éditeur de script n'a pu être écrit dans aucun de ces fichiers :\n%s";
// Sounds
inline constexpr std::wstring_view NoDefaultPrinter = L"Aucune imprimante par défaut sélectionnée";
inline constexpr std::wstring_view PrintFailed = L"L'impression n'a pas pu commencer";
inline constexpr std::wstring_view NoMciDevice = L"Aucun périphérique MCI ouvert";
inline constexpr std::wstring_view PreviewOpenFailed = L"Erreur de traitement";
inline constexpr std::wstring_view ReportSaved = L"La liste des modifications a été enregistré sous\r\n%s";
inline constexpr std::wstring_view OriginalReadOnly =
    L"Le son original est en lecture seule, il n'a pas été remplacé :\n%s";
inline constexpr std::wstring_view OldBackupNotDeleted =
    L"L'ancienne sauvegarde ne peut pas être supprimée, le son n'a pas été remplacé :\n%s";
inline constexpr std::wstring_view OriginalNotRenamed =
    L"Le son original ne peut pas être renommé en .bak, il n'a pas été remplacé :\n%s";
inline constexpr std::wstring_view SameFileReplacement = L"Un fichier ne peut pas se remplacer par lui-même !";
inline constexpr std::wstring_view WadFolderMissing = L"Le répertoire des fichiers WAD est introuvable";
inline constexpr std::wstring_view NoWadChosen = L"Pas de fichier WAD sélectionné !";
inline constexpr std::wstring_view SoundBuilderMissing =
    L"Impossible d'executer la construction des fichiers SFX!\r\nLe programme n'existe pas à l'endroit spécifié.\r\n\r\n%s";
inline constexpr std::wstring_view SoundBuilderNotStarted = L"Le constructeur des fichiers SFX n'a pas pu être lancé";
inline constexpr std::wstring_view CatalogueMissing = L"Le fichier spécifié %s est introuvable.";
inline constexpr std::wstring_view SaveCatalogueChanges = L"Sauver les modifications ?";
// Pictures
inline constexpr std::wstring_view InvalidBitmap = L"Image bitmap incorrecte";
inline constexpr std::wstring_view PictureTooLarge = L"Image trop grande : %s";
inline constexpr std::wstring_view InvalidPictureSize = L"Taille d'image incorrecte : %s";
inline constexpr std::wstring_view ChooseValidPicture = L"Vous devez choisir une image valide !";
inline constexpr std::wstring_view PackerNotStarted = L"Le Logo Packer n'a pas pu être lancé :\n%s";
inline constexpr std::wstring_view PackerLeftNoPak = L"Le Logo Packer n'a pas généré le fichier :\n%s";
inline constexpr std::wstring_view RawFilter = L"Fichier image RAW |*.raw";
} // namespace msg

} // namespace tessark
