#pragma once
// What kind of program a file is, told by its first bytes: a Windows program
// (an MZ stub followed by a PE header), a DOS program (MZ without one, DOS
// extender programs included), or no program at all.
#include <cstddef>
#include <string_view>

namespace tessark::script {

enum class ProgramKind { Windows, Dos, NotAProgram };

// How many bytes of the file's start ProgramKindOf needs at most: a PE header
// placed further than this is not looked for.
inline constexpr std::size_t ProgramHeaderBytes = 64 * 1024;

// `start`: the file's first bytes (all of them when it is shorter).
ProgramKind ProgramKindOf(std::string_view start);

} // namespace tessark::script
