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

std::string To1252(std::wstring_view text)
{
    std::string bytes;
    for (wchar_t c : text)
        bytes += static_cast<char>(cp1252::FromUnicode(c).value_or('?'));
    return bytes;
}

std::wstring From1252(std::string_view bytes)
{
    std::wstring text;
    for (char c : bytes)
        text += cp1252::ToUnicode(static_cast<unsigned char>(c));
    return text;
}

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
            joined += (joined.empty() ? L"" : L", ") + From1252(file.name);
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
    const auto languageFile = [&](std::string_view name) { return ReadIfPresent(folder + L"\\" + From1252(name)); };
    const script::CompileResult result = script::CompileScript(scriptText, languageFile, {Today()});
    Report report = std::move(leading);
    if (result.error) {
        report.push_back(*result.error);
        report.push_back({To1252(msg::BuiltInNothingWritten), 0, true});
        area.ShowReport(report, true);
        return Refuse(host, msg::BuiltInScriptError, From1252(result.error->text));
    }
    std::vector<NewFile> files;
    for (const auto& file : result.files)
        files.push_back({folder + L"\\" + From1252(file.name), file.bytes});
    try {
        WriteFilesTogether(files);
    } catch (const EStreamError& failure) {
        report.push_back({To1252(failure.text()), 0, true});
        report.push_back({To1252(msg::BuiltInNothingWritten), 0, true});
        area.ShowReport(report, true);
        return Refuse(host, msg::BuiltInFilesNotWritten, failure.text());
    }
    report.push_back({To1252(FormatMessageText(msg::ScriptCompiledByTessark, JoinedNames(result.files))), 0, false});
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
    const std::wstring path = folder + L"\\" + From1252(script::ScriptDatName);
    const auto scriptDat = ReadIfPresent(path);
    if (!scriptDat)
        return Refuse(host, msg::NoCompiledScript, path);
    // The first language file of the script beside it gives the levels' names.
    std::optional<std::string> language;
    if (const auto text = ReadIfPresent(folder + L"\\" + std::wstring(layout::ScriptFile)))
        if (const auto languages = script::LanguageFilesOf(*text); !languages.empty())
            language = ReadIfPresent(folder + L"\\" + From1252(languages.front().datName));
    Report report = language ? script::DescribeScriptDat(*scriptDat, *language) : script::DescribeScriptDat(*scriptDat);
    report.insert(report.begin(), {To1252(FormatMessageText(msg::CompiledScriptHolds, path)), 0, false});
    area.ShowReport(report);
}

} // namespace tessark
