// "Exécuter  Logo Packer": the chosen picture becomes the RAW title logo and
// the level editor's logo packer turns it into a .pak beside it, or Tessark
// itself when the packer cannot be started. Whoever wrote it, the .pak is
// checked, then offered for the game's data folder.
#include "ui/ControlIds.h"
#include "util/HourGlass.h"
#include "image/PictureArea.h"
#include "ui/AreaHost.h"
#include "ui/PatienceQuestion.h"
#include "image/ExportTexts.h"
#include "image/PictureFit.h"
#include "image/PictureMessages.h"
#include "image/LogoInstall.h"
#include "image/PakFile.h"
#include "image/RawFile.h"
#include "util/CommandLine.h"
#include "util/FileIO.h"
#include "util/FileNames.h"
#include "util/InstallLayout.h"
#include "util/Messages.h"
#include "util/RunAndWait.h"
#include "util/Text1252.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tessark {
namespace {

std::optional<ULONGLONG> LastWriteTime(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    return (static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
}

std::span<const std::uint8_t> AsBytes(const std::string& bytes)
{
    return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
}

// Empty when `pak` unpacks to exactly the bytes of `raw`; what is wrong otherwise.
std::wstring PakProblem(const std::string& raw, const std::string& pak)
{
    if (raw.size() > UINT32_MAX)
        return FormatMessageText(msg::PictureTooLarge, std::to_wstring(raw.size()));
    image::PakReading reading = image::ReadPak(AsBytes(pak), static_cast<std::uint32_t>(raw.size()));
    if (!reading.problem.empty()) {
        std::wstring problem;
        for (char c : reading.problem)
            problem += cp1252::ToUnicode(static_cast<unsigned char>(c));
        return problem;
    }
    if (!std::equal(reading.raw.begin(), reading.raw.end(), AsBytes(raw).begin()))
        return std::wstring(msg::PakOtherPicture);
    return {};
}

// Packs the RAW file into the .pak ourselves; the failure's text, if any.
std::optional<std::wstring> WriteOwnPak(const std::wstring& rawPath, const std::wstring& pakPath)
{
    try {
        const std::vector<std::uint8_t> pak = image::PackLogo(AsBytes(ReadWholeFile(rawPath)));
        WriteFileSafely(pakPath, std::string(pak.begin(), pak.end()));
    } catch (const UserError& failure) {
        return failure.text();
    }
    return std::nullopt;
}

// Who left the .pak beside the RAW, or why there is none.
struct PakOutcome {
    enum class Kind { ByPacker, ByTessark, PackerLeftNone, PackerStopped, TessarkFailed } kind;
    std::wstring failure;  // TessarkFailed: the write's error
};

// Runs the packer on the RAW and waits for it, the user asked after each
// `patience` whether to stop it; when it cannot be started, writes the .pak
// ourselves.
PakOutcome ProducePak(const std::wstring& packer, const std::wstring& raw, const std::wstring& pak, DWORD patience,
                      const KeepWaiting& keepWaiting)
{
    using Kind = PakOutcome::Kind;
    HourGlass hourGlass;
    const auto before = LastWriteTime(pak);
    const ToolRun run = RunWithPatience(CommandLine(packer, {raw}), {}, ProgramWindow::Hidden, patience, keepWaiting);
    if (run.outcome == ToolRun::Outcome::NotStarted) {
        if (auto failure = WriteOwnPak(raw, pak))
            return {Kind::TessarkFailed, std::move(*failure)};
        return {Kind::ByTessark, {}};
    }
    // Whatever a stopped packer left may be cut short.
    if (run.outcome == ToolRun::Outcome::Stopped)
        return {Kind::PackerStopped, {}};
    const auto after = LastWriteTime(pak);
    return {!after || after == before ? Kind::PackerLeftNone : Kind::ByPacker, {}};
}

} // namespace

void PictureArea::BtConvertLogoClick()
{
    PictureArea& area = *this;
    std::wstring& logoPath = area.LogoPath();
    if (logoPath.empty()) {
        host_.dialogs().MessageDlg(host_.hwnd(), msg::ChooseValidPicture, DialogKind::Error, {DialogButton::Ok});
        return;
    }
    const PictureSize size = area.ChosenSize();
    const FitOutcome fit = OfferFit(logoPath, image::LogoWidth, image::LogoHeight);
    if (fit == FitOutcome::Cancelled)
        return;
    if (fit == FitOutcome::KeptSize && (size.width != 512 || size.height != 256) &&
        host_.dialogs().MessageDlg(host_.hwnd(), LogoSizeQuestion(size.width, size.height), DialogKind::Warning,
                            {DialogButton::Yes, DialogButton::No}) == DialogButton::No)
        return;
    // Every decoded picture goes to the packer as the RAW it is written to.
    const bool fromBmp = IsPaintedPicture(logoPath);
    if (fromBmp) {
        image::Picture& picture = area.ShownPicture();
        std::wstring raw = logoPath;
        SaveRawImage(raw, picture, picture.width(), picture.height());
        // Only now: after a failed write the logo stays on the BMP, so that
        // the next click writes the RAW again instead of packing an old one.
        logoPath = raw;
        area.ShownPictureChanged();
    }
    const auto reportError = [&](const std::wstring& text) {
        host_.dialogs().MessageDlg(host_.hwnd(), text, DialogKind::Error, {DialogButton::Ok});
    };
    const std::wstring packer = layout::InstallPath(host_.InstallationRoot(), layout::LogoPacker);
    const std::wstring pak = ChangeFileExt(logoPath, L".pak");
    const PakOutcome outcome =
        ProducePak(packer, logoPath, pak, packerPatience_,
                   AskWhetherToStop(host_.dialogs(), host_.hwnd(), msg::PackerStillRunning, packerPatience_));
    area.Files().Update();
    if (outcome.kind == PakOutcome::Kind::TessarkFailed)
        return ShowFailure(host_.dialogs(), host_.hwnd(), outcome.failure);
    if (outcome.kind == PakOutcome::Kind::PackerLeftNone)
        return reportError(FormatMessageText(msg::PackerLeftNoPak, pak));
    if (outcome.kind == PakOutcome::Kind::PackerStopped)
        return reportError(FormatMessageText(msg::PackerStopped, pak));
    const std::string raw = ReadWholeFile(logoPath);
    const std::string packed = ReadWholeFile(pak);
    if (const std::wstring problem = PakProblem(raw, packed); !problem.empty())
        return reportError(FormatMessageText(msg::PakNotUsable, pak) + problem);
    std::wstring done = fromBmp ? LogoFromBmpDone(logoPath) : LogoFromRawDone(logoPath);
    if (outcome.kind == PakOutcome::Kind::ByTessark)
        done += L"\r\n\r\n" + FormatMessageText(msg::PackerNotStarted, packer) + L"\r\n" +
                std::wstring(msg::PakWrittenByTessark);
    // Only a logo of the game's size is offered to the game.
    const bool gameSize = raw.size() == image::LogoPakRawSize;
    const auto noDataFolder = gameSize ? MissingGameDataFolder(host_.InstallationRoot()) : std::nullopt;
    if (noDataFolder)
        done += L"\r\n\r\n" + *noDataFolder;
    host_.dialogs().MessageDlg(host_.hwnd(), done, DialogKind::Information, {DialogButton::Ok});
    if (gameSize && !noDataFolder)
        OfferLogoInstall(host_.dialogs(), host_.hwnd(), host_.InstallationRoot(), packed);
}

} // namespace tessark
