#include "sound/ReplacementConversion.h"

#include "ui/Dialogs.h"
#include "ui/ProgressWindow.h"
#include "sound/FileBytes.h"
#include "sound/WaveConversion.h"
#include "util/FileNames.h"
#include "util/Messages.h"

namespace tessark {
namespace {

bool NeedsConversion(const std::wstring& path)
{
    if (AsciiUpper(ExtractFileExt(path)) == L".MID")
        return false;
    const FileBytes file(path);
    if (!file.IsOpen())
        return false;  // the copy reports it
    const sound::SoundCheck check = sound::ReadWaveFile(file);
    return check.Good() && !sound::IsEngineFormat(check.wave);
}

std::wstring_view RefusalPattern(sound::ConversionFault fault)
{
    switch (fault) {
    case sound::ConversionFault::Compressed: return msg::CompressedNotConverted;
    case sound::ConversionFault::Unusual: return msg::UnusualNotConverted;
    case sound::ConversionFault::TooLong: return msg::TooLongToConvert;
    default: return msg::UnreadableNotConverted;
    }
}

sound::Conversion ConvertShowingProgress(IDialogs& dialogs, HWND owner, const std::wstring& replacement)
{
    ProgressWindow progress(dialogs, owner, msg::ConvertingCaption,
                            FormatMessageText(msg::ConvertingSample, ExtractFileName(replacement)));
    return sound::ConvertToEngineFormat(FileBytes(replacement), [&](double done) { return progress.Step(done); });
}

} // namespace

bool IsTooLargeForTheGame(const std::wstring& path)
{
    return FileBytes(path).Size() > sound::LargestSampleBytes;
}

ReplacementContent ChooseReplacementContent(IDialogs& dialogs, HWND owner, const std::wstring& replacement)
{
    if (!NeedsConversion(replacement))
        return {};
    const std::wstring name = ExtractFileName(replacement);
    const DialogButton answer =
        dialogs.MessageDlg(owner, FormatMessageText(msg::ConvertReplacement, name), DialogKind::Confirmation,
                           {DialogButton::Yes, DialogButton::No, DialogButton::Cancel});
    if (answer == DialogButton::No)
        return {};
    if (answer != DialogButton::Yes)
        return {.cancelled = true};
    sound::Conversion conversion = ConvertShowingProgress(dialogs, owner, replacement);
    if (conversion.fault == sound::ConversionFault::Cancelled)
        return {.cancelled = true};
    if (conversion.fault != sound::ConversionFault::None) {
        dialogs.MessageDlg(owner, FormatMessageText(RefusalPattern(conversion.fault), name), DialogKind::Error,
                           {DialogButton::Ok});
        return {.cancelled = true};
    }
    return {.converted = std::move(conversion.wav)};
}

} // namespace tessark
