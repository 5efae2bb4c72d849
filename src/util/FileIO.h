#pragma once
// Reading and writing whole files through the wide Windows API.
#include <string>

namespace tessark {

// The file's bytes; UserError "Impossible d'ouvrir le fichier %s" when it cannot be read.
std::string ReadWholeFile(const std::wstring& path);

// Replaces the file's contents without ever leaving it truncated: the bytes go
// to a temporary file in the same folder, which takes the file's place only once
// it is complete. On failure the old file is untouched and UserError
// "Impossible de créer le fichier %s" is raised.
void WriteFileSafely(const std::wstring& path, const std::string& bytes);

} // namespace tessark
