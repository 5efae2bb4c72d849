#pragma once
// What a save of the editor's text would lose: the characters that
// EncodeScript writes as "?" because Windows-1252 has none of them.
#include "util/Text1252.h"

#include <string>
#include <string_view>

namespace tessark::script {

// In text order, each with its 1-based line; the control pictures that stand
// for a file's control bytes are not lost (they go back to their bytes).
cp1252::LostCharacters LostOnSaving(std::wstring_view editorText);

// The lost characters for a message to the user, a text line per line:
// "Ligne 3 : « Ж », « 音 »", each character once a line; past `maxLines`
// lines, one more says how many are left out.
std::wstring LostCharactersText(const cp1252::LostCharacters& lost, std::size_t maxLines = 12);

} // namespace tessark::script
