#pragma once
// The argument layouts of the commands, as a call tip shows them:
// "Fog=rouge, vert, bleu". French, in Windows-1252 like the core's other texts.
#include "script/NgTables.h"
#include "script/ScriptCommands.h"

#include <string>

namespace tessark::script {

std::string ClassicLayout(const CommandRule& rule);
std::string NgLayout(const NgCommand& command);

} // namespace tessark::script
