// The sound area's restores: one sample, or every changed sample of the
// originals' folder, gets its kept original back.
#include "sound/SoundArea.h"

#include "ui/AreaHost.h"
#include "ui/Dialogs.h"
#include "sound/KeptOriginals.h"
#include "sound/SampleRestore.h"
#include "util/BackupReplacement.h"
#include "util/FileNames.h"
#include "util/Messages.h"

#include <algorithm>

namespace tessark {
namespace {

// More entries than this (each of a few lines) would push the question's
// buttons off the screen.
constexpr std::size_t EntriesListed = 8;

std::wstring ListedLines(const std::vector<std::wstring>& lines)
{
    std::wstring text;
    const std::size_t shown = std::min(lines.size(), EntriesListed);
    for (std::size_t i = 0; i < shown; ++i)
        text += L"\n" + lines[i];
    if (lines.size() > shown)
        text += L"\n" + FormatMessageText(msg::MoreSamplesNotListed, std::to_wstring(lines.size() - shown));
    return text;
}

} // namespace

// A selected row of the list is the user's explicit choice; otherwise the
// original last picked.
std::wstring SoundArea::SampleToRestore() const
{
    std::wstring sample = modifications_.SelectedSample();
    return sample.empty() ? fichierOriginal_ : sample;
}

void SoundArea::BtRestaurerClick()
{
    IDialogs& dialogs = host_.dialogs();
    const std::wstring sample = SampleToRestore();
    if (sample.empty() || !HasKeptOriginal(sample)) {
        dialogs.MessageDlg(host_.hwnd(), msg::NoKeptOriginal, DialogKind::Information, {DialogButton::Ok});
        return;
    }
    const std::wstring name = ExtractFileName(sample);
    if (!DiffersFromKeptOriginal(sample)) {
        dialogs.MessageDlg(host_.hwnd(), FormatMessageText(msg::SameAsKeptOriginal, name), DialogKind::Information,
                           {DialogButton::Ok});
        return;
    }
    if (dialogs.MessageDlg(host_.hwnd(), FormatMessageText(msg::RestoreOneQuestion, name), DialogKind::Confirmation,
                           {DialogButton::Yes, DialogButton::No}) != DialogButton::Yes)
        return;
    std::wstring refusal;
    if (!Restore(sample, &refusal))
        dialogs.MessageDlg(host_.hwnd(), refusal, DialogKind::Error, {DialogButton::Ok});
}

void SoundArea::BtRestaurerTousClick()
{
    IDialogs& dialogs = host_.dialogs();
    const std::wstring folder = originalFolders_.Directory();
    const std::vector<std::wstring> changed = ChangedSamplesIn(folder);
    if (changed.empty()) {
        dialogs.MessageDlg(host_.hwnd(), FormatMessageText(msg::NothingToRestore, folder), DialogKind::Information,
                           {DialogButton::Ok});
        return;
    }
    std::vector<std::wstring> lines;
    for (const std::wstring& sample : changed)
        lines.push_back(ChangedSampleLine(sample));
    const std::wstring question =
        FormatMessageText(msg::RestoreAllQuestion, std::to_wstring(changed.size())) + L"\n" + ListedLines(lines);
    if (dialogs.MessageDlg(host_.hwnd(), question, DialogKind::Confirmation, {DialogButton::Yes, DialogButton::No}) !=
        DialogButton::Yes)
        return;
    RestoreAll(changed);
}

// Each sample on its own: one that cannot be restored stops none of the others.
void SoundArea::RestoreAll(const std::vector<std::wstring>& samples)
{
    std::vector<std::wstring> failures;
    std::size_t restored = 0;
    for (const std::wstring& sample : samples) {
        std::wstring refusal;
        if (Restore(sample, &refusal))
            ++restored;
        else
            failures.push_back(ExtractFileName(sample) + L" : " + refusal);
    }
    IDialogs& dialogs = host_.dialogs();
    const std::wstring done = FormatMessageText(msg::AllRestored, std::to_wstring(restored));
    if (failures.empty()) {
        dialogs.MessageDlg(host_.hwnd(), done, DialogKind::Information, {DialogButton::Ok});
        return;
    }
    dialogs.MessageDlg(host_.hwnd(), done + L"\n\n" + std::wstring(msg::SomeNotRestored) + ListedLines(failures),
                       DialogKind::Error, {DialogButton::Ok});
}

// The preview may hold the sample open: it is closed first, as for a
// replacement, and the next replacement waits for a new pick.
bool SoundArea::Restore(const std::wstring& sample, std::wstring* refusal)
{
    preview_->StopAndClose();
    try {
        RestoreKeptOriginal(sample);
    } catch (const UserError& error) {
        *refusal = error.text();
        return false;
    }
    replacedSincePick_ = true;
    const std::wstring backup = ChangeFileExt(sample, L".bak");
    modifications_.AddModification(ExtractFileName(sample), msg::RestoredCell, ExtractFileName(backup), sample);
    if (sample == fichierOriginal_)
        RefreshOriginalShown();
    return true;
}

} // namespace tessark
