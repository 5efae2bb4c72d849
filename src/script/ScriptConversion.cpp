// "Convertir le Script": runs the level editor's script compiler on the
// installation's script.txt, a Windows compiler directly with its output
// captured, a DOS one through DOSBox, and Tessark's own where neither can
// run; then tells what it said and made.
#include "util/HourGlass.h"
#include "script/ScriptArea.h"
#include "ui/AreaHost.h"
#include "script/BuiltInCompilation.h"
#include "ui/PatienceQuestion.h"
#include "script/CompilerOutputs.h"
#include "script/CompilerText.h"
#include "script/DosBox.h"
#include "script/ProgramHeader.h"
#include "script/ScriptCheck.h"
#include "script/ScriptFileLookup.h"
#include "script/ScriptText.h"
#include "script/TrngScript.h"
#include "script/Utf8Offer.h"
#include "util/CapturedRun.h"
#include "util/CommandLine.h"
#include "util/FileIO.h"
#include "util/FmxUtils.h"
#include "util/InstallLayout.h"
#include "util/Messages.h"
#include "util/RunAndWait.h"
#include "util/Text1252.h"
#include "util/Win32Handle.h"

#include <optional>
#include <vector>

namespace tessark {
namespace {

// Lets the user see that the work is over before the window takes input again.
constexpr DWORD PauseAfterCompiler = 2000;

std::wstring JoinedNames(const std::vector<std::string>& names)
{
    std::wstring joined;
    for (const std::string& name : names)
        joined += (joined.empty() ? L"" : L", ") + cp1252::Decode(name);
    return joined;
}

std::optional<FILETIME> LastWriteOf(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    return data.ftLastWriteTime;
}

// A file the compiler should make, with its time before the run.
struct ExpectedFile {
    std::string name;  // as shown
    std::wstring path;
    std::optional<FILETIME> before;

    bool Made() const
    {
        const auto now = LastWriteOf(path);
        return now && (!before || CompareFileTime(&*before, &*now) != 0);
    }
};

std::vector<ExpectedFile> ExpectedOutputs(const std::wstring& folder, const std::vector<script::LanguageFile>& languages)
{
    std::vector<ExpectedFile> files;
    auto expect = [&](const std::string& name) {
        const std::wstring path = folder + L"\\" + cp1252::Decode(name);
        files.push_back({name, path, LastWriteOf(path)});
    };
    expect(std::string(script::CompiledScriptName));
    for (const auto& language : languages)
        expect(language.datName);
    return files;
}

Report OutsideLanguageFiles(const std::vector<script::LanguageFile>& languages)
{
    Report report;
    for (const auto& language : languages)
        if (language.outsideFolder)
            report.push_back({cp1252::Encode(FormatMessageText(msg::LanguageFileOutside, cp1252::Decode(language.name))),
                              language.scriptLine, true});
    return report;
}

// A new file can be made in the folder (and is removed at once).
bool FolderTakesNewFiles(const std::wstring& folder)
{
    const std::wstring probe = UnusedNameBeside(folder + L"\\tessark-probe", L".tmp");
    Handle file(CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    return file.ok();
}

script::ProgramKind KindOfProgram(const std::wstring& path)
{
    return script::ProgramKindOf(std::string_view(ReadWholeFile(path)).substr(0, script::ProgramHeaderBytes));
}

// One run of the compiler on the script folder's script.txt.
class Compilation {
public:
    Compilation(IAreaHost& host, ScriptArea& area, DWORD patience)
        : host_(host), area_(area), patience_(patience),
          folder_(layout::InstallPath(host.InstallationRoot(), layout::ScriptFolder)),
          compiler_(folder_ + L"\\" + std::wstring(layout::ScriptCompiler)),
          script_(folder_ + L"\\" + std::wstring(layout::ScriptFile)),
          ngCenter_(layout::InstallPath(host.InstallationRoot(), layout::NgCenter)),
          ngCenterInstalled_(FileExists(ngCenter_))
    {
    }

    void Run()
    {
        if (!FileExists(script_))
            return Fail(msg::ScriptToCompileMissing, script_);
        const std::string text = ReadScriptOfferingWindows1252();
        const auto languages = script::LanguageFilesOf(text);
        if (const Report outside = OutsideLanguageFiles(languages); !outside.empty()) {
            area_.ShowReport(outside);
            return Fail(msg::LanguageFilesOutsideNotCompiled, cp1252::Decode(outside.front().text));
        }
        Report leading;
        if (IsTrng(text)) {
            if (ngCenterInstalled_)
                return RunNgCenter(text);
            if (!CompileWithoutNgData(text, leading))
                return;
        }
        // Where Script.exe cannot run, Tessark's own compiler does its work.
        std::optional<std::wstring> builtInBecause;
        std::optional<DosBoxProgram> dosBox;
        if (!FileExists(compiler_)) {
            builtInBecause = FormatMessageText(msg::BuiltInNoCompiler, compiler_);
        } else {
            const script::ProgramKind kind = KindOfProgram(compiler_);
            if (kind == script::ProgramKind::NotAProgram)
                return Fail(msg::ScriptCompilerNotAProgram, compiler_);
            if (kind == script::ProgramKind::Dos && !(dosBox = FindDosBox()))
                builtInBecause = FormatMessageText(msg::BuiltInNoDosBox, compiler_);
        }
        if (!FolderTakesNewFiles(folder_))
            return Fail(msg::ScriptFolderNotWritable, folder_);
        findings_ = CheckScript(text, InstallationFileLookup(host_.InstallationRoot()));
        if (!findings_.empty() && !CompileDespite())
            return;
        findings_.insert(findings_.end(), leading.begin(), leading.end());
        if (builtInBecause) {
            Report first = findings_;
            first.push_back({cp1252::Encode(*builtInBecause), 0, false});
            return CompileWithTessark(host_, area_, folder_, text, std::move(first));
        }

        const std::vector<ExpectedFile> expected = ExpectedOutputs(folder_, languages);
        const CapturedRun run = RunCompiler(dosBox);
        if (run.outcome == CapturedRun::Outcome::NotStarted)
            return dosBox ? Fail(msg::DosBoxFailed, dosBox->path) : Fail(msg::ScriptCompilerNotStarted, compiler_);
        ShowOutcome(run, expected);
    }

    // Tessark's compiler on demand, whatever Script.exe there is.
    void RunBuiltIn()
    {
        if (!FileExists(script_))
            return Fail(msg::ScriptToCompileMissing, script_);
        const std::string text = ReadScriptOfferingWindows1252();
        if (const Report outside = OutsideLanguageFiles(script::LanguageFilesOf(text)); !outside.empty()) {
            area_.ShowReport(outside);
            return Fail(msg::LanguageFilesOutsideNotCompiled, cp1252::Decode(outside.front().text));
        }
        Report leading;
        if (IsTrng(text) && !CompileWithoutNgData(text, leading))
            return;
        findings_ = CheckScript(text, InstallationFileLookup(host_.InstallationRoot()));
        if (!findings_.empty() && !CompileDespite())
            return;
        findings_.insert(findings_.end(), leading.begin(), leading.end());
        CompileWithTessark(host_, area_, folder_, text, findings_);
    }

    void Describe() { DescribeCompiledScript(host_, area_, folder_); }

private:
    // UTF-8 texts are offered a conversion first: the game reads bytes.
    std::string ReadScriptOfferingWindows1252()
    {
        std::vector<std::wstring> texts{script_};
        for (const auto& language : script::LanguageFilesOf(ReadWholeFile(script_)))
            if (!language.outsideFolder)
                texts.push_back(folder_ + L"\\" + cp1252::Decode(language.name));
        OfferWindows1252(host_, texts);
        return ReadWholeFile(script_);
    }

    // The SCRIPT.DAT of an earlier compilation, when it can be read: its NG
    // block tells a TRNG script. One held by another program is no TRNG sign.
    std::string EarlierScriptDat() const
    {
        const std::wstring dat = folder_ + L"\\" + cp1252::Decode(script::CompiledScriptName);
        if (!FileExists(dat) || FileSizeOf(dat) >= (16 << 20))
            return {};
        try {
            return ReadWholeFile(dat);
        } catch (const UserError&) {
            return {};
        }
    }

    bool IsTrng(const std::string& text) const
    {
        return script::IsTrngScript(text, EarlierScriptDat(), ngCenterInstalled_);
    }

    // What shows the script is a TRNG one, for the user: "22 : « Diagnostic »".
    static std::wstring SignText(const std::string& text)
    {
        const auto sign = script::TrngSignOf(text);
        if (!sign)
            return L"1";
        return std::to_wstring(sign->line) + L" : « " + cp1252::Decode(sign->what) + L" »";
    }

    // The classic compilers drop every NG command: only the user's yes lets
    // them, and the report says it.
    bool CompileWithoutNgData(const std::string& text, Report& leading)
    {
        if (host_.dialogs().MessageDlg(host_.hwnd(), FormatMessageText(msg::TrngScriptWithoutNgCenter, SignText(text)),
                                       DialogKind::Warning, {DialogButton::Yes, DialogButton::No}) != DialogButton::Yes)
            return false;
        leading.push_back({cp1252::Encode(FormatMessageText(msg::NgDataDropped, SignText(text))), 0, true});
        return true;
    }

    // NG Center compiles in the installation's root, where it lies; it is
    // waited for as Script.exe is, and its SCRIPT.DAT must carry the NG block.
    void RunNgCenter(const std::string& text)
    {
        findings_ = CheckScript(text, InstallationFileLookup(host_.InstallationRoot()), ScriptDialect::Trng);
        if (!findings_.empty() && !CompileDespite())
            return;
        findings_.push_back({cp1252::Encode(FormatMessageText(msg::NgCenterRuns, SignText(text))), 0, false});
        const std::wstring dat = folder_ + L"\\" + cp1252::Decode(script::CompiledScriptName);
        const std::vector<ExpectedFile> expected = ExpectedOutputs(folder_, script::LanguageFilesOf(text));
        CapturedRun run;
        {
            HourGlass hourGlass;
            const KeepWaiting keepWaiting =
                AskWhetherToStop(host_.dialogs(), host_.hwnd(), msg::NgCenterStillRunning, patience_);
            run = RunCapturingOutput(CommandLine(ngCenter_, {}), host_.InstallationRoot(), patience_, keepWaiting);
        }
        if (run.outcome == CapturedRun::Outcome::NotStarted)
            return Fail(msg::NgCenterNotStarted, ngCenter_);
        const bool ngData = FileExists(dat) && script::HasNgBlock(ReadWholeFile(dat));
        findings_.push_back({cp1252::Encode(FormatMessageText(ngData ? msg::NgCenterMadeNgData : msg::NgCenterMadeNoNgData, dat)),
                             0, !ngData});
        ShowOutcome(run, expected);
    }

    // The findings shown, the user says whether to compile all the same.
    bool CompileDespite()
    {
        area_.ShowCheckReport(findings_);
        return host_.dialogs().MessageDlg(host_.hwnd(),
                                          FormatMessageText(msg::ScriptCheckFindings, std::to_wstring(findings_.size())),
                                          DialogKind::Confirmation, {DialogButton::Yes, DialogButton::No}) ==
               DialogButton::Yes;
    }

    CapturedRun RunCompiler(const std::optional<DosBoxProgram>& dosBox)
    {
        HourGlass hourGlass;
        const KeepWaiting keepWaiting =
            AskWhetherToStop(host_.dialogs(), host_.hwnd(), msg::CompilerStillRunning, patience_);
        CapturedRun run =
            dosBox ? RunInDosBox(*dosBox, folder_, std::wstring(layout::ScriptCompiler), std::wstring(layout::ScriptFile),
                                 patience_, keepWaiting)
                   : RunCapturingOutput(CommandLine(compiler_, {layout::ScriptFile}), folder_, patience_, keepWaiting);
        if (run.outcome == CapturedRun::Outcome::Finished)
            WaitWhileRepainting(nullptr, PauseAfterCompiler);
        return run;
    }

    void ShowOutcome(const CapturedRun& run, const std::vector<ExpectedFile>& expected)
    {
        Report report = findings_;
        Report said = script::CompilerTextToReport(run.output);
        if (said.empty())
            said.push_back({cp1252::Encode(msg::CompilerSaidNothing), 0, false});
        report.insert(report.end(), said.begin(), said.end());
        std::vector<std::string> made, missing;
        for (const ExpectedFile& file : expected)
            (file.Made() ? made : missing).push_back(file.name);
        if (run.outcome == CapturedRun::Outcome::Stopped)
            report.push_back({cp1252::Encode(msg::CompilerStopped), 0, true});
        if (missing.empty())
            report.push_back({cp1252::Encode(FormatMessageText(msg::ScriptCompiled, JoinedNames(made))), 0, false});
        else
            report.push_back({cp1252::Encode(FormatMessageText(msg::ScriptFilesNotMade, JoinedNames(missing))), 0, true});
        area_.ShowReport(report, true);
        if (!missing.empty() && run.outcome == CapturedRun::Outcome::Finished)
            host_.dialogs().MessageDlg(host_.hwnd(), FormatMessageText(msg::ScriptNotCompiled, JoinedNames(missing)),
                                       DialogKind::Warning, {DialogButton::Ok});
    }

    void Fail(std::wstring_view pattern, std::wstring_view argument)
    {
        host_.dialogs().MessageDlg(host_.hwnd(), FormatMessageText(pattern, argument), DialogKind::Error,
                                   {DialogButton::Ok});
    }

    IAreaHost& host_;
    ScriptArea& area_;
    DWORD patience_;
    std::wstring folder_;
    std::wstring compiler_;
    std::wstring script_;
    std::wstring ngCenter_;
    bool ngCenterInstalled_;
    Report findings_;
};

} // namespace

void ScriptArea::BtConvertScriptClick()
{
    Compilation(host_, *this, compilerPatience_).Run();
}

void ScriptArea::CompileWithTessarkClick()
{
    Compilation(host_, *this, compilerPatience_).RunBuiltIn();
}

void ScriptArea::DescribeCompiledScriptClick()
{
    Compilation(host_, *this, compilerPatience_).Describe();
}

// The text on screen, saved or not, checked line by line.
void ScriptArea::BtVerifScriptClick()
{
    Report findings = CheckScript(DocumentBytes(), InstallationFileLookup(host_.InstallationRoot()));
    if (findings.empty())
        findings.push_back({cp1252::Encode(msg::ScriptCheckClean), 0, false});
    ShowCheckReport(findings);
}

} // namespace tessark
