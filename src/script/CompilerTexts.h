#pragma once
// The texts of the built-in script compiler and of the description of a
// compiled script. Patterns take %1, %2, ... filled in order.
#include <initializer_list>
#include <string>
#include <string_view>

namespace tessark {

namespace msg {
inline constexpr std::wstring_view CompileLine = L"Ligne %1 : ";
inline constexpr std::wstring_view CompileNotInStrings = L"« %1 » n'est pas dans %2";
inline constexpr std::wstring_view CompileNoLanguageZero =
    L"« %1 » n'est cherché que dans le fichier de langue numéro 0, et aucune ligne File= ne le donne";
inline constexpr std::wstring_view CompileIndexTooHigh =
    L"« %1 » est la chaîne numéro %2 de %3 : Name= et Legend= ne désignent que les 256 premières";
inline constexpr std::wstring_view CompileLevelWithoutName =
    L"cette section [Level] n'a pas de ligne Name= : le nom du niveau est obligatoire";
inline constexpr std::wstring_view CompileLanguageUnreadable =
    L"le fichier de langue « %1 » est introuvable ou illisible";
inline constexpr std::wstring_view CompileLanguageTooLong =
    L"%1 a trop de texte : ses chaînes dépassent les 65 536 octets que permet son .DAT";
inline constexpr std::wstring_view CompileLanguageNumber = L"« File= » prend un numéro de 0 à 7 (ici %1)";
inline constexpr std::wstring_view CompileLanguageUnnamed = L"« File= » ne nomme aucun fichier de langue";
inline constexpr std::wstring_view CompileTooFewValues = L"« %1 » demande %2 valeurs (trouvé : %3)";
inline constexpr std::wstring_view CompileNumberRange = L"« %1 » prend un numéro de 1 à %2 (ici %3)";
inline constexpr std::wstring_view CompileTooManyLevels =
    L"trop de niveaux : SCRIPT.DAT n'en compte que 255, titre compris";
inline constexpr std::wstring_view CompileTooManyPaths =
    L"trop de fichiers de niveau différents : SCRIPT.DAT n'en compte que 255";
inline constexpr std::wstring_view CompileTooLong = L"les niveaux compilés dépassent les 65 535 octets de SCRIPT.DAT";
} // namespace msg

// The pattern in Windows-1252 with %1, %2, ... replaced by the values (already Windows-1252).
std::string FillCompilerText(std::wstring_view pattern, std::initializer_list<std::string_view> values);

} // namespace tessark
