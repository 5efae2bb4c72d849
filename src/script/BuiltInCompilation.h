#pragma once
// The script folder's script.txt compiled by Tessark itself: SCRIPT.DAT, one
// .DAT per language file and STRINGS.H, written together or not at all, and
// what they hold told in the report under the editor.
#include "script/ReportLine.h"

#include <string>

namespace tessark {

class IAreaHost;
class ScriptArea;

// `scriptText` is script.txt as read from `folder` (no final '\'); `leading`
// goes at the head of the report: the check's findings, and why Tessark
// compiles rather than Script.exe. A script error or a file that cannot be
// written is reported, in the report and in a message, and changes no file.
void CompileWithTessark(IAreaHost& host, ScriptArea& area, const std::wstring& folder, const std::string& scriptText,
                        Report leading);

// What the folder's SCRIPT.DAT holds, with the texts of its first language
// file, in the report; a message when there is no SCRIPT.DAT to read.
void DescribeCompiledScript(IAreaHost& host, ScriptArea& area, const std::wstring& folder);

} // namespace tessark
