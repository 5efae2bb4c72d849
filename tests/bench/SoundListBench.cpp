// Benchmark: the sound area on a folder of many WAV files. Times listing the
// folder in the originals' list, reading the format of every listed sample
// (what a pick shows beside the size), and picking one sample (size, format,
// preview open, duration). Prints the figures; it is not a pass/fail test.
//   sound_list_bench FOLDER [COUNT]   (the WAV files are made when missing)
#include "BenchClock.h"
#include "ui/ControlIds.h"
#include "app/MainForm.h"
#include "ui/MessageLoop.h"
#include "util/Win32.h"
#include "sound/SoundFileCheck.h"

#include <commctrl.h>

#include <cstdio>
#include <string>

namespace {

using namespace tessark;

class Silent final : public IDialogs {
public:
    DialogButton MessageDlg(HWND, std::wstring_view text, DialogKind, const std::vector<DialogButton>&) override
    {
        Report(text);
        return DialogButton::Ok;
    }
    void ShowMessage(HWND, std::wstring_view text) override { Report(text); }
    void ShowError(HWND, std::wstring_view text) override { Report(text); }
    std::optional<std::size_t> ChooseAmong(HWND, std::wstring_view, DialogKind,
                                           const std::vector<DialogChoice>&) override
    {
        return std::nullopt;
    }
    std::optional<std::wstring> OpenFile(HWND, const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::wstring> SaveFile(HWND, const FileDialogRequest&) override { return std::nullopt; }
    ModalResult ShowModal(HWND, IModalForm&) override { return ModalResult::Cancel; }
    std::optional<int> AskNumber(HWND, const NumberRequest&) override { return std::nullopt; }

private:
    static void Report(std::wstring_view text)
    {
        std::fwprintf(stderr, L"message: %.*ls\n", static_cast<int>(text.size()), text.data());
    }
};

using tessark::bench::Now;

// 50 ms of 8-bit mono silence at 11025 Hz.
std::string SmallWav()
{
    const std::uint32_t samples = 551;
    std::string wav = "RIFF";
    auto put = [&](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            wav.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    };
    put(36 + samples, 4);
    wav += "WAVEfmt ";
    put(16, 4), put(1, 2), put(1, 2), put(11025, 4), put(11025, 4), put(1, 2), put(8, 2);
    wav += "data";
    put(samples, 4);
    wav.append(samples, '\x80');
    return wav;
}

void MakeSamples(const std::wstring& folder, int count)
{
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::string wav = SmallWav();
    for (int i = 0; i < count; ++i) {
        wchar_t name[32];
        swprintf(name, 32, L"\\son_%05d.wav", i);
        const std::wstring path = folder + name;
        if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
            continue;
        HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, wav.data(), static_cast<DWORD>(wav.size()), &written, nullptr);
        CloseHandle(file);
    }
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        std::fwprintf(stderr, L"usage: sound_list_bench FOLDER [COUNT]\n");
        return 2;
    }
    const std::wstring folder = argv[1];
    const int count = argc > 2 ? _wtoi(argv[2]) : 5000;
    MakeSamples(folder, count);

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    Silent dialogs;
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    TMainForm form(dialogs, StartupArguments{self, {}});
    form.Show(SW_SHOWNORMAL);
    form.BtEditSonClick();
    SendMessageW(form.Control(id::AutoStart), BM_SETCHECK, BST_UNCHECKED, 0);
    PumpPendingMessages(form);

    double bestList = 1e9, bestFormats = 1e9, bestPick = 1e9;
    std::size_t described = 0;
    for (int run = 0; run < 5; ++run) {
        form.Sounds().OriginalFolders().SetDirectory(L"C:\\");
        PumpPendingMessages(form);
        double start = Now();
        form.Sounds().OriginalFolders().SetDirectory(folder);
        PumpPendingMessages(form);
        bestList = std::min(bestList, Now() - start);

        start = Now();
        described = 0;
        for (const std::wstring& name : form.Sounds().Originals().Names())
            described += DescribeSampleOnDisk(folder + L"\\" + name).has_value();
        bestFormats = std::min(bestFormats, Now() - start);

        wchar_t name[32];
        swprintf(name, 32, L"son_%05d.wav", (run * 997) % count);
        form.Sounds().Originals().Select(name);
        start = Now();
        form.Sounds().FileListBox1Click();
        PumpPendingMessages(form);
        bestPick = std::min(bestPick, Now() - start);
    }
    const auto listed = form.Sounds().Originals().Names().size();
    std::wprintf(L"listed %zu WAV files: best of 5 %.1f ms\n", listed, bestList * 1000);
    std::wprintf(L"read the format of %zu of them: best of 5 %.1f ms\n", described, bestFormats * 1000);
    std::wprintf(L"picked one (size, preview open, duration %d ms): best of 5 %.1f ms\n",
                 form.Sounds().Preview().LabelNum3().Valeur(), bestPick * 1000);
    return listed == static_cast<std::size_t>(count) && described == listed ? 0 : 1;
}
