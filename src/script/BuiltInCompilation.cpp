#include "script/BuiltInCompilation.h"

#include "script/CompilerOutputs.h"
#include "script/ScriptArea.h"
#include "script/ScriptCompiler.h"
#include "script/ScriptDatReport.h"
#include "ui/AreaHost.h"
#include "util/FileErrors.h"
#include "util/FileIO.h"
#include "util/FileSet.h"
#include "util/FmxUtils.h"
#include "util/HourGlass.h"
#include "util/InstallLayout.h"
#include "util/Messages.h"
#include "util/Text1252.h"

#include <optional>

namespace tessark {
namespace {

std::optional<std::string> ReadIfPresent(const std::wstring& path)
{
    if (!FileExists(path))
        return std::nullopt;
    try {
        return ReadWholeFile(path);
    } catch (const UserError&) {
        return std::nullopt;
    }
}

script::CompileDate Today()
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wDay, now.wMonth, now.wYear};
}

std::wstring JoinedNames(const std::vector<script::CompiledFile>& files)
{
    std::wstring joined;
    for (const auto& file : files)
        if (file.name != script::StringsHeaderName)
            joined += (joined.empty() ? L"" : L", ") + cp1252::Decode(file.name);
    return joined;
}

void Refuse(IAreaHost& host, std::wstring_view pattern, std::wstring_view why)
{
    host.dialogs().MessageDlg(host.hwnd(), FormatMessageText(pattern, why), DialogKind::Error, {DialogButton::Ok});
}

} // namespace

void CompileWithTessark(IAreaHost& host, ScriptArea& area, const std::wstring& folder, const std::string& scriptText,
                        Report leading)
{
    HourGlass hourGlass;
    const auto languageFile = [&](std::string_view name) { return ReadIfPresent(folder + L"\\" + cp1252::Decode(name)); };
    const script::CompileResult result = script::CompileScript(scriptText, languageFile, {Today()});
    Report report = std::move(leading);
    if (result.error) {
        report.push_back(*result.error);
        report.push_back({cp1252::Encode(msg::BuiltInNothingWritten), 0, true});
        area.ShowReport(report, true);
        return Refuse(host, msg::BuiltInScriptError, cp1252::Decode(result.error->text));
    }
    std::vector<NewFile> files;
    for (const auto& file : result.files)
        files.push_back({folder + L"\\" + cp1252::Decode(file.name), file.bytes});
    try {
        WriteFilesTogether(files);
    } catch (const EStreamError& failure) {
        report.push_back({cp1252::Encode(failure.text()), 0, true});
        report.push_back({cp1252::Encode(msg::BuiltInNothingWritten), 0, true});
        area.ShowReport(report, true);
        return Refuse(host, msg::BuiltInFilesNotWritten, failure.text());
    }
    report.push_back({cp1252::Encode(FormatMessageText(msg::ScriptCompiledByTessark, JoinedNames(result.files))), 0, false});
    const std::optional<std::string_view> firstLanguage =
        result.files.size() > 1 && result.files[1].name != script::StringsHeaderName
            ? std::optional<std::string_view>(result.files[1].bytes)
            : std::nullopt;
    const Report held = script::DescribeScriptDat(result.files.front().bytes, firstLanguage);
    report.insert(report.end(), held.begin(), held.end());
    area.ShowReport(report);
}

void DescribeCompiledScript(IAreaHost& host, ScriptArea& area, const std::wstring& folder)
{
    const std::wstring path = folder + L"\\" + cp1252::Decode(script::ScriptDatName);
    const auto scriptDat = ReadIfPresent(path);
    if (!scriptDat)
        return Refuse(host, msg::NoCompiledScript, path);
    // The first language file of the script beside it gives the levels' names.
    std::optional<std::string> language;
    if (const auto text = ReadIfPresent(folder + L"\\" + std::wstring(layout::ScriptFile)))
        if (const auto languages = script::LanguageFilesOf(*text); !languages.empty())
            language = ReadIfPresent(folder + L"\\" + cp1252::Decode(languages.front().datName));
    Report report = language ? script::DescribeScriptDat(*scriptDat, *language) : script::DescribeScriptDat(*scriptDat);
    report.insert(report.begin(), {cp1252::Encode(FormatMessageText(msg::CompiledScriptHolds, path)), 0, false});
    area.ShowReport(report);
}

} // namespace tessark
