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
inline constexpr std::wstring_view ScriptCompilerNotAProgram =
    L"Le compilateur de script n'est pas un programme :\n%s\n\nRemplacez-le par le Script.exe de l'éditeur de niveaux.";
inline constexpr std::wstring_view ScriptCompilerNeedsDosBox =
    L"Le compilateur de script est un programme DOS, que ce système ne sait pas lancer seul :\n%s\n\n"
    L"Installez DOSBox (www.dosbox.com) : Tessark s'en servira pour lancer le compilateur.";
inline constexpr std::wstring_view DosBoxFailed = L"DOSBox n'a pas pu lancer le compilateur de script :\n%s";
inline constexpr std::wstring_view ScriptToCompileMissing = L"Le script à compiler est introuvable :\n%s";
inline constexpr std::wstring_view ScriptFolderNotWritable =
    L"Le compilateur ne pourra pas écrire dans le dossier du script (lecture seule ?) :\n%s";
inline constexpr std::wstring_view LanguageFileOutside =
    L"Fichier de langue hors du dossier du script : %s";
inline constexpr std::wstring_view LanguageFilesOutsideNotCompiled =
    L"Le script nomme un fichier de langue hors de son dossier : il n'est pas compilé.\n%s";
inline constexpr std::wstring_view ScriptCompiled = L"Script compilé : %s";
inline constexpr std::wstring_view ScriptFilesNotMade = L"Le compilateur n'a pas produit : %s";
inline constexpr std::wstring_view ScriptNotCompiled =
    L"Le script n'a pas été compilé : le compilateur n'a pas produit %s.\n"
    L"Son texte est affiché sous l'éditeur.";
inline constexpr std::wstring_view CompilerSaidNothing = L"(le compilateur n'a rien écrit)";
inline constexpr std::wstring_view CompilerStillRunning =
    L"Le compilateur de script tourne depuis %s s sans avoir fini.\nL'arrêter ?";
inline constexpr std::wstring_view CompilerStopped = L"Compilation arrêtée : le compilateur ne finissait pas.";
inline constexpr std::wstring_view ScriptCheckFindings =
    L"La vérification du script a trouvé %s problème(s), listé(s) sous l'éditeur.\nCompiler quand même ?";
inline constexpr std::wstring_view ScriptCheckClean = L"Vérification du script : aucun problème trouvé.";
inline constexpr std::wstring_view ScriptCompiledByTessark = L"Script compilé par Tessark : %s";
inline constexpr std::wstring_view BuiltInNoCompiler =
    L"Script.exe est introuvable (%s) : Tessark compile le script lui-même.";
inline constexpr std::wstring_view BuiltInNoDosBox =
    L"Script.exe est un programme DOS et DOSBox est introuvable (%s) : Tessark compile le script lui-même.";
inline constexpr std::wstring_view BuiltInNothingWritten = L"Aucun fichier n'a été changé.";
inline constexpr std::wstring_view BuiltInScriptError =
    L"Le script n'a pas été compilé :\n%s\n\nAucun fichier n'a été changé.";
inline constexpr std::wstring_view BuiltInFilesNotWritten =
    L"Les fichiers compilés n'ont pas pu être écrits :\n%s\n\nAucun fichier n'a été changé.";
inline constexpr std::wstring_view NoCompiledScript = L"Aucun script compilé à lire :\n%s";
inline constexpr std::wstring_view CompiledScriptHolds = L"Contenu de %s :";
inline constexpr std::wstring_view TrngScriptWithoutNgCenter =
    L"Ce script est un script TRNG (ligne %s).\n"
    L"Script.exe et le compilateur de Tessark ignorent ses commandes NG : le script.dat n'aurait pas les données NG "
    L"dont le moteur TRNG a besoin.\n\n"
    L"Installez TRNG (NG Center, NG_Center.exe dans le dossier de l'éditeur) pour le compiler avec elles.\n\n"
    L"Compiler quand même, sans les données NG ?";
inline constexpr std::wstring_view NgDataDropped = L"Script TRNG compilé sans ses données NG (%s).";
inline constexpr std::wstring_view Utf8TextQuestion =
    L"« %s » est en UTF-8 : le jeu en lirait les accents de travers.\n"
    L"L'enregistrer en Windows-1252, le texte UTF-8 gardé en .bak ?";
inline constexpr std::wstring_view Utf8CharactersLost =
    L"Ces caractères n'existent pas en Windows-1252 et deviendraient « ? » :";
inline constexpr std::wstring_view TextReadOnly = L"Le texte est en lecture seule, il n'a pas été converti :\n%s";
inline constexpr std::wstring_view TextOldBackupNotDeleted =
    L"L'ancienne sauvegarde ne peut pas être supprimée, le texte n'a pas été converti :\n%s";
inline constexpr std::wstring_view TextNotRenamed =
    L"Le texte ne peut pas être renommé en .bak, il n'a pas été converti :\n%s";
inline constexpr std::wstring_view TextBackupIsFolder =
    L"Un dossier porte le nom de la sauvegarde, le texte n'a pas été converti :\n%s";
inline constexpr std::wstring_view NgCenterRuns = L"Script TRNG (ligne %s) : NG Center le compile.";
inline constexpr std::wstring_view NgCenterStillRunning =
    L"NG Center tourne depuis %s s sans avoir fini.\nL'arrêter ?";
inline constexpr std::wstring_view NgCenterNotStarted = L"NG Center n'a pas pu être lancé :\n%s";
inline constexpr std::wstring_view NgCenterMadeNgData = L"NG Center a écrit %s avec ses données NG.";
inline constexpr std::wstring_view NgCenterMadeNoNgData = L"Le script.dat n'a pas de données NG : NG Center ne l'a pas compilé (%s).";
inline constexpr std::wstring_view ReportLinesLeftOut = L"... et %s lignes de plus, non affichées.";
inline constexpr std::wstring_view NotAnInteger = L"'%s' n'est pas une valeur entière correcte";
inline constexpr std::wstring_view TextChangedSave = L"Le texte a changé. Sauver %s?";
inline constexpr std::wstring_view OkToOverwrite = L"OK to overwrite %s";
inline constexpr std::wstring_view StreamLoadError = L"Erreur au chargement de flux";
inline constexpr std::wstring_view StreamSaveError = L"Erreur à l'enregistrement de flux";
// Before a save of the script editor's text (%s: one line per text line, "ligne 3 : Ж 音").
inline constexpr std::wstring_view CharactersLostOnSave =
    L"Ces caractères ne peuvent pas être enregistrés : le fichier est écrit en Windows-1252, "
    L"qui ne les connaît pas, et ils y deviendraient des « ? ».\n%s\nEnregistrer quand même ?";
// The script editor's "go to line" box (%s: the number of lines).
inline constexpr std::wstring_view GoToLineTitle = L"Aller à la ligne";
inline constexpr std::wstring_view GoToLinePrompt = L"Numéro de la ligne, de 1 à %s :";
// %s: the full path of the file an #INCLUDE line names.
inline constexpr std::wstring_view IncludedFileMissing =
    L"Le fichier que cette ligne inclut n'existe pas : %s";
// %s: the refused characters, each in guillemets.
inline constexpr std::wstring_view CharactersNotInWindows1252 =
    L"Ce fichier est écrit en Windows-1252, qui ne connaît pas %s : le texte n'a pas changé, "
    L"rien n'est devenu « ? ».";
// The about box's line under its title (%s: the program's version).
inline constexpr std::wstring_view AboutVersion = L"Version %s";
inline constexpr std::wstring_view HelpNestedTooDeep =
    L"Le document d'aide %s imbrique ses groupes trop profondément pour être mis en forme : "
    L"il est affiché en texte simple.";
inline constexpr std::wstring_view HelpTooLarge =
    L"Le document d'aide %s dépasse 4 Mo : il n'est pas affiché, la fenêtre d'aide mettrait trop longtemps à le "
    L"mettre en forme.";
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
inline constexpr std::wstring_view ReportReadOnly =
    L"Le rapport est en lecture seule, la liste des modifications n'a pas été enregistrée :\n%s";
inline constexpr std::wstring_view ReportOldBackupNotDeleted =
    L"L'ancienne sauvegarde du rapport ne peut pas être supprimée (lecture seule ?), la liste des modifications "
    L"n'a pas été enregistrée :\n%s";
inline constexpr std::wstring_view ReportNotRenamed =
    L"Le rapport ne peut pas être renommé en .bak, la liste des modifications n'a pas été enregistrée :\n%s";
inline constexpr std::wstring_view ReportBackupIsFolder =
    L"Un dossier porte le nom de la sauvegarde du rapport, la liste des modifications n'a pas été enregistrée :\n%s";
inline constexpr std::wstring_view OriginalReadOnly =
    L"Le son original est en lecture seule, il n'a pas été remplacé :\n%s";
inline constexpr std::wstring_view OldBackupNotDeleted =
    L"L'ancienne sauvegarde ne peut pas être supprimée, le son n'a pas été remplacé :\n%s";
inline constexpr std::wstring_view OriginalNotRenamed =
    L"Le son original ne peut pas être renommé en .bak, il n'a pas été remplacé :\n%s";
inline constexpr std::wstring_view BackupIsFolder =
    L"Un dossier porte le nom de la sauvegarde, le son n'a pas été remplacé :\n%s";
inline constexpr std::wstring_view PickBeforeReplacingAgain =
    L"Ce son vient d'être remplacé. Choisissez de nouveau un son dans une des listes avant un autre "
    L"remplacement : la sauvegarde .bak de l'original serait écrasée.";
inline constexpr std::wstring_view DamagedSound = L"Fichier son incorrect : %s";
// Putting kept originals back (%s: the sample's path, its name or a count).
inline constexpr std::wstring_view ModifiedKeptOriginal = L"modifié ; original conservé : %s";
inline constexpr std::wstring_view KeptSide = L"original : ";
inline constexpr std::wstring_view CurrentSide = L"actuel : ";
inline constexpr std::wstring_view SizeInBytes = L"%s octets";
inline constexpr std::wstring_view RestoredCell = L"original restauré";
inline constexpr std::wstring_view RestoreReadOnly =
    L"Le son est en lecture seule, son original n'a pas été remis :\n%s";
inline constexpr std::wstring_view RestoreOldBackupNotDeleted =
    L"L'ancienne sauvegarde ne peut pas être supprimée, l'original n'a pas été remis :\n%s";
inline constexpr std::wstring_view RestoreNotRenamed =
    L"Le son ne peut pas être renommé en .bak, son original n'a pas été remis :\n%s";
inline constexpr std::wstring_view RestoreBackupIsFolder =
    L"Un dossier porte le nom de la sauvegarde, l'original n'a pas été remis :\n%s";
inline constexpr std::wstring_view NoKeptOriginal =
    L"Aucun original conservé pour ce son. Choisissez un son déjà remplacé dans la liste des originaux, ou une "
    L"ligne de la liste des modifications.";
inline constexpr std::wstring_view SameAsKeptOriginal = L"%s est déjà identique à son original conservé.";
inline constexpr std::wstring_view RestoreOneQuestion =
    L"Remettre l'original conservé de %s ? Le contenu actuel sera gardé en .bak.";
inline constexpr std::wstring_view NothingToRestore =
    L"Aucun son de ce dossier ne diffère de son original conservé :\n%s";
inline constexpr std::wstring_view RestoreAllQuestion =
    L"Ces sons diffèrent de leur original conservé (%s). Remettre tous les originaux ? Le contenu actuel de chacun "
    L"sera gardé en .bak.";
inline constexpr std::wstring_view MoreSamplesNotListed = L"… et %s autres sons.";
inline constexpr std::wstring_view AllRestored = L"Originaux remis : %s.";
inline constexpr std::wstring_view SomeNotRestored =
    L"Ces sons n'ont pas pu être remis à leur original et sont restés tels quels :";
// The copy of a sample kept in "Originaux" before its first replacement (%s: the path concerned).
inline constexpr std::wstring_view KeptOriginalNotRead =
    L"Le son original n'a pas pu être lu pour en garder une copie dans « Originaux », il n'a pas été remplacé :\n%s";
inline constexpr std::wstring_view KeptFolderIsAFile =
    L"Un fichier porte le nom du dossier « Originaux » où la copie de l'original doit être gardée, le son n'a pas "
    L"été remplacé :\n%s";
inline constexpr std::wstring_view KeptFolderNotCreated =
    L"Le dossier « Originaux » où la copie de l'original doit être gardée n'a pas pu être créé, le son n'a pas été "
    L"remplacé :\n%s";
inline constexpr std::wstring_view KeptFolderReadOnly =
    L"Le dossier « Originaux » est en lecture seule : la copie de l'original ne peut pas y être gardée, le son n'a "
    L"pas été remplacé :\n%s";
inline constexpr std::wstring_view KeptCopyIsAFolder =
    L"Un dossier porte le nom de la copie de l'original, le son n'a pas été remplacé :\n%s";
inline constexpr std::wstring_view KeptCopyNotWritten =
    L"La copie de l'original n'a pas pu être écrite dans « Originaux », le son n'a pas été remplacé :\n%s";
inline constexpr std::wstring_view KeptCopyDiskFull =
    L"Disque plein : la copie de l'original n'a pas pu être écrite dans « Originaux », le son n'a pas été "
    L"remplacé :\n%s";
inline constexpr std::wstring_view KeptOriginalNotReplaced =
    L"Ce son est une copie gardée d'un original : il ne peut pas être remplacé.\n%s";
// Replacing with a sample the game would play wrongly (%s: the replacement's name).
inline constexpr std::wstring_view ConvertReplacement =
    L"Le son %s n'est pas au format que le jeu lit correctement : PCM 22 050 Hz, 16 bits, mono, sans autre "
    L"bloc que « fmt » et « data ».\n\nOui : l'original est remplacé par une version convertie à ce format "
    L"(le fichier choisi ne change pas).\nNon : l'original est remplacé par le fichier tel quel.\n"
    L"Annuler : rien n'est remplacé.";
inline constexpr std::wstring_view CompressedNotConverted =
    L"Le son %s est compressé (ADPCM, MP3...) : il ne peut pas être converti, rien n'a été remplacé. "
    L"Répondez Non pour le mettre tel quel.";
inline constexpr std::wstring_view UnusualNotConverted =
    L"Le son %s a une taille d'échantillon ou une fréquence inhabituelle : il ne peut pas être converti, "
    L"rien n'a été remplacé. Répondez Non pour le mettre tel quel.";
inline constexpr std::wstring_view TooLongToConvert =
    L"Le son %s converti ferait plus de 64 Mo, bien plus que ce que le jeu peut jouer : rien n'a été remplacé.";
inline constexpr std::wstring_view SampleTooLarge =
    L"Le son %s fait plus de 64 Mo, bien plus que ce que le jeu peut jouer : rien n'a été remplacé.";
inline constexpr std::wstring_view ConvertingCaption = L"Conversion du son";
inline constexpr std::wstring_view ConvertingSample = L"Conversion de %s au format du jeu…";
inline constexpr std::wstring_view UnreadableNotConverted =
    L"Le son %s n'a pas pu être lu pour être converti : rien n'a été remplacé.";
// Why a sound file is refused, shown after its name.
inline constexpr std::wstring_view SoundUnreadable = L"lecture impossible";
inline constexpr std::wstring_view NoRiffHeader = L"en-tête RIFF absent";
inline constexpr std::wstring_view NotWave = L"ce n'est pas un fichier WAVE";
inline constexpr std::wstring_view BadRiffSize = L"taille RIFF incorrecte";
inline constexpr std::wstring_view ChunkHeaderCut = L"en-tête de bloc tronqué";
inline constexpr std::wstring_view BadChunkSize = L"taille de bloc %s incorrecte";
inline constexpr std::wstring_view TooManyChunks = L"trop de blocs";
inline constexpr std::wstring_view NoFmtChunk = L"bloc fmt absent";
inline constexpr std::wstring_view DataBeforeFmt = L"bloc data placé avant le bloc fmt";
inline constexpr std::wstring_view NoDataChunk = L"bloc data absent";
inline constexpr std::wstring_view NoChannels = L"nombre de canaux nul";
inline constexpr std::wstring_view NoSampleRate = L"fréquence d'échantillonnage nulle";
inline constexpr std::wstring_view NoByteRate = L"nombre d'octets par seconde nul";
inline constexpr std::wstring_view NoBlockAlign = L"alignement de bloc nul";
inline constexpr std::wstring_view NoBitsPerSample = L"nombre de bits par échantillon nul";
inline constexpr std::wstring_view ExtraFormatPastFmt = L"taille des données de format supplémentaires incorrecte";
inline constexpr std::wstring_view NoMidiHeader = L"en-tête MThd absent";
inline constexpr std::wstring_view ShortMidiHeader = L"taille de l'en-tête MThd incorrecte";
// A sample's format beside its size, and what the game would play wrongly.
inline constexpr std::wstring_view Mono = L"mono";
inline constexpr std::wstring_view Stereo = L"stéréo";
inline constexpr std::wstring_view Channels = L"%s canaux";
inline constexpr std::wstring_view FloatEncoding = L"virgule flottante";
inline constexpr std::wstring_view ExtensibleEncoding = L"format extensible";
inline constexpr std::wstring_view OtherEncoding = L"format %s";
inline constexpr std::wstring_view WrongSpeed = L"%s Hz : joué à la mauvaise vitesse";
inline constexpr std::wstring_view CompressedSample = L"compressé (%s)";
inline constexpr std::wstring_view LongFmt = L"fmt de %s octets";
inline constexpr std::wstring_view ExtraChunk = L"bloc %s en trop";
inline constexpr std::wstring_view NoSoundData = L"aucune donnée sonore";
inline constexpr std::wstring_view SampleTooBig = L"plus de 256 Ko";
inline constexpr std::wstring_view DamagedSoundShort = L"Fichier son incorrect";
inline constexpr std::wstring_view SampleNotRead = L"Fichier son illisible";
inline constexpr std::wstring_view SameFileReplacement = L"Un fichier ne peut pas se remplacer par lui-même !";
inline constexpr std::wstring_view WadFolderMissing = L"Le répertoire des fichiers WAD est introuvable";
inline constexpr std::wstring_view NoWadChosen = L"Pas de fichier WAD sélectionné !";
inline constexpr std::wstring_view SoundBuilderMissing =
    L"Impossible d'executer la construction des fichiers SFX!\r\nLe programme n'existe pas à l'endroit spécifié.\r\n\r\n%s";
inline constexpr std::wstring_view SoundBuilderNotStarted = L"Le constructeur des fichiers SFX n'a pas pu être lancé";
inline constexpr std::wstring_view WadNameNotPlain =
    L"Le nom du WAD « %s » de ListeWadSfx.lws n'est pas un simple nom de fichier (il contient un dossier, un "
    L"lecteur, un nom de périphérique ou un caractère interdit) : la construction n'a pas été lancée.";
inline constexpr std::wstring_view SoundBuilderStillRunning =
    L"Le constructeur des fichiers SFX tourne depuis %s s sans avoir fini.\nL'arrêter ?";
inline constexpr std::wstring_view SoundBuilderStopped =
    L"Construction arrêtée : le constructeur des fichiers SFX ne finissait pas. Rien n'a été installé dans le "
    L"répertoire des WAD.";
inline constexpr std::wstring_view SoundBuilderFailed =
    L"La construction a échoué : le constructeur des fichiers SFX s'est terminé avec le code %s. Rien n'a été "
    L"installé dans le répertoire des WAD.";
inline constexpr std::wstring_view EarlierOutputNotSetAside =
    L"Le fichier laissé par une construction précédente ne peut pas être mis de côté, la construction n'a pas été "
    L"lancée :\n%s";
inline constexpr std::wstring_view SoundBuilderOutputMissing =
    L"La construction a échoué : le fichier n'a pas été créé, rien n'a été installé dans le répertoire des WAD :\n%s";
inline constexpr std::wstring_view WadTargetIsFolder =
    L"Un dossier porte le nom du fichier à remplacer, rien n'a été installé :\n%s";
inline constexpr std::wstring_view WadTargetReadOnly =
    L"Le fichier à remplacer est en lecture seule, rien n'a été installé :\n%s";
inline constexpr std::wstring_view WadOutputNotCopied =
    L"Le fichier n'a pas pu être copié dans le répertoire des WAD, rien n'a été installé :\n%s";
inline constexpr std::wstring_view WadTargetNotReplaced =
    L"Le fichier ne peut pas être remplacé, il est peut-être ouvert dans un autre programme ; rien n'a été "
    L"installé :\n%s";
// The summary of a built sound set.
inline constexpr std::wstring_view SoundSetSummaryTitle = L"Fichiers SFX/SAM construits :";
inline constexpr std::wstring_view SoundSetSlots = L"Sons du jeu utilisés : %s";
inline constexpr std::wstring_view SoundSetSounds = L"Sons décrits : %s";
inline constexpr std::wstring_view SoundSetSamples = L"Échantillons : %s";
inline constexpr std::wstring_view SoundSetOverLimit = L"Plus de 256 échantillons : le jeu risque de ne pas tous les charger.";
inline constexpr std::wstring_view SoundSetSearched = L"Échantillons cherchés là où le constructeur les prend :%s";
inline constexpr std::wstring_view SoundSetMissing = L"Échantillons introuvables : %s";
inline constexpr std::wstring_view SoundSetWrongFormat =
    L"Échantillons hors du format du jeu (PCM 22 050 Hz, 16 bits, mono, bloc fmt de 16 octets) : %s";
inline constexpr std::wstring_view SoundSetAllGood = L"Tous les échantillons sont présents et au format du jeu.";
inline constexpr std::wstring_view SoundSetDamaged =
    L"Le fichier construit est incorrect, rien n'a été installé dans le répertoire des WAD :\n%s";
inline constexpr std::wstring_view SoundSetUnreadable = L"Les fichiers SFX/SAM construits ne peuvent pas être lus :\n%s";
inline constexpr std::wstring_view SfxShortMap = L"fichier .sfx trop court pour sa table des sons";
inline constexpr std::wstring_view SfxDetailsPastEnd = L"le fichier .sfx annonce plus de sons qu'il n'en contient";
inline constexpr std::wstring_view SfxSlotPastDetails = L"la table des sons du fichier .sfx désigne un son absent";
inline constexpr std::wstring_view SfxSamplePastSam = L"un son désigne des échantillons au-delà des lignes du fichier .sam";
inline constexpr std::wstring_view CatalogueMissing = L"Le fichier spécifié %s est introuvable.";
inline constexpr std::wstring_view SaveCatalogueChanges = L"Sauver les modifications ?";
// The check of the level script: each finding is ScriptCheckLine (%1: the line
// number) followed by one of these, %1, %2, %3 filled in order.
inline constexpr std::wstring_view ScriptCheckLine = L"Ligne %1 : ";
inline constexpr std::wstring_view ScriptUnknownSection = L"section inconnue %1";
inline constexpr std::wstring_view ScriptUnknownCommand = L"commande inconnue « %1 »";
inline constexpr std::wstring_view ScriptCommandNotInSection = L"la section [%1] ne prend pas la commande « %2 »";
inline constexpr std::wstring_view ScriptWrongValueCount =
    L"nombre de valeurs incorrect pour « %1 » (attendu : %2, trouvé : %3)";
inline constexpr std::wstring_view ScriptValueRange = L"%1 à %2";
inline constexpr std::wstring_view ScriptRepeatedCommand = L"« %1 » est déjà donné dans cette section";
inline constexpr std::wstring_view ScriptCommandBeforeSection = L"commande « %1 » placée avant toute section";
inline constexpr std::wstring_view ScriptLanguageFileMissing =
    L"le fichier de langue « %1 » est introuvable dans le dossier du script";
inline constexpr std::wstring_view ScriptLanguageFileOutside =
    L"le fichier de langue « %1 » doit se trouver dans le dossier du script (ni lecteur, ni chemin absolu, ni « .. »)";
inline constexpr std::wstring_view ScriptLevelFileMissing = L"le fichier du niveau « %1 » est introuvable";
inline constexpr std::wstring_view ScriptMoreFindings = L"… et %1 autres erreurs, non listées";
// Next Generation (TRNG) scripts, included files and language files.
inline constexpr std::wstring_view ScriptValueAtLeast = L"au moins %1";
inline constexpr std::wstring_view ScriptTooManyCommands = L"« %1 » est donné plus de %2 fois dans cette section";
inline constexpr std::wstring_view ScriptNgUnknownValue = L"valeur inconnue « %1 » pour « %2 »";
inline constexpr std::wstring_view ScriptNgWrongFamily = L"« %1 » n'est pas une constante %3 : « %2 » en attend une";
inline constexpr std::wstring_view ScriptUnknownDirective = L"directive inconnue « %1 »";
inline constexpr std::wstring_view ScriptDirectiveMalformed = L"« %1 » mal écrit : attendu « %2 »";
inline constexpr std::wstring_view ScriptPluginInInclude = L"« %1 » ne peut pas être donné dans un fichier inclus";
inline constexpr std::wstring_view ScriptIncludeMissing =
    L"le fichier inclus « %1 » est introuvable dans le dossier du script";
inline constexpr std::wstring_view ScriptIncludeOutside =
    L"le fichier inclus « %1 » doit se trouver dans le dossier du script (ni lecteur, ni chemin absolu, ni « .. »)";
inline constexpr std::wstring_view ScriptIncludeLoop =
    L"« %1 » s'inclut lui-même, par une boucle d'inclusions : il n'est pas suivi une seconde fois";
inline constexpr std::wstring_view ScriptIncludesTooDeep = L"trop d'inclusions : « %1 » n'est pas suivi";
// Before a finding in an included file or a language file: %1 the file, %2 its line.
inline constexpr std::wstring_view ScriptInFile = L"dans « %1 », ligne %2 : ";
inline constexpr std::wstring_view ScriptFileInUtf8 =
    L"fichier enregistré en UTF-8 : ses lettres accentuées seront fausses dans le jeu, qui lit le Windows-1252";
inline constexpr std::wstring_view ExtraNgMalformed =
    L"ligne de [ExtraNG] mal écrite : attendu « numéro: texte », numéro de 0 à 4095";
inline constexpr std::wstring_view ExtraNgRepeated = L"le numéro %1 est déjà donné dans [ExtraNG]";
// The characters a save in Windows-1252 would lose, one line of the text per line.
inline constexpr std::wstring_view LostCharactersOnLine = L"Ligne %s : ";
} // namespace msg

} // namespace tessark
