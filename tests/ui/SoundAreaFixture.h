#pragma once
// The sound area's fixture: an installation with a few samples and
// replacements, the sound area opened on them, and the picks and the grid as
// the user works and reads them; with the WAV files the tests write.
#include "UiHarness.h"

#include "util/Messages.h"

#include <commctrl.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tessark::test {

inline void PutLittleEndian(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A mono PCM WAV whose sample bytes all hold `fill`: 8-bit at 11,025 Hz
// unless told otherwise.
inline std::string Wav(std::uint32_t samples, char fill, std::uint32_t rate = 11025, std::uint16_t bits = 8)
{
    const std::uint32_t block = bits / 8u, bytes = samples * block;
    std::string wav = "RIFF";
    PutLittleEndian(wav, 36 + bytes, 4);
    wav += "WAVEfmt ";
    PutLittleEndian(wav, 16, 4);
    PutLittleEndian(wav, 1, 2);     // PCM
    PutLittleEndian(wav, 1, 2);     // mono
    PutLittleEndian(wav, rate, 4);
    PutLittleEndian(wav, rate * block, 4);  // bytes a second
    PutLittleEndian(wav, block, 2);
    PutLittleEndian(wav, bits, 2);
    wav += "data";
    PutLittleEndian(wav, bytes, 4);
    wav.append(bytes, fill);
    return wav;
}

// A replacement in the format the game plays as it is, so that no conversion is offered.
inline std::string EngineWav(std::uint32_t samples, char fill)
{
    return Wav(samples, fill, 22050, 16);
}

inline std::string Patched(std::string bytes, std::size_t at, std::string_view with)
{
    return bytes.replace(at, with.size(), with);
}

// 0.45 s of silence as the game plays it: 22050 Hz, 16 bits, mono.
inline std::string GameWav()
{
    std::string wav = Wav(19846, 0, 22050);
    wav = Patched(wav, 28, std::string("\x44\xAC\x00\x00", 4));  // bytes a second
    return Patched(wav, 32, std::string("\x02\x00\x10\x00", 4));  // block, bits
}

class SoundAreaTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        CreateDirectoryW((installation / L"Sound").c_str(), nullptr);
        CreateDirectoryW(samples.c_str(), nullptr);
        CreateDirectoryW(replacements.c_str(), nullptr);
        WriteBytes(samples + L"\\porte.wav", porte);
        WriteBytes(samples + L"\\Door.Wav", Wav(2205, 0x30));
        WriteBytes(samples + L"\\notes.txt", "pas un son");
        WriteBytes(samples + L"\\ancien.bak", "sauvegarde");
        WriteBytes(replacements + L"\\grince.wav", grince);
        WriteBytes(replacements + L"\\VIDE.WAV", Wav(0, 0));
        // Both folder lists start in the current folder.
        SetCurrentDirectoryW(samples.c_str());
    }
    void TearDown() override
    {
        MainWindowTest::TearDown();
        SetCurrentDirectoryW(L"C:\\");
    }

    void OpenSounds(bool autoStart = false)
    {
        Start();
        Click(id::BtEditSon);
        if (!autoStart)
            Click(id::AutoStart);
        ASSERT_TRUE(form->Sounds().ReplacementFolders().SetDirectory(replacements));
        form->Sounds().Replacements().Update();
    }

    // A mouse click on a list entry, as the user makes it.
    void ClickEntry(int listId, std::wstring_view name, bool control = false)
    {
        HWND list = Control(listId);
        const std::wstring wanted(name);
        const auto index = SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                        reinterpret_cast<LPARAM>(wanted.c_str()));
        ASSERT_GE(index, 0) << "not listed";
        SendMessageW(list, LB_SETTOPINDEX, index, 0);
        RECT item{};
        SendMessageW(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
        const LPARAM where = MAKELPARAM(item.left + 4, (item.top + item.bottom) / 2);
        const WPARAM keys = control ? MK_CONTROL : 0;
        SendMessageW(list, WM_LBUTTONDOWN, keys | MK_LBUTTON, where);
        SendMessageW(list, WM_LBUTTONUP, keys, where);
        Pump();
    }
    // The original is picked last, so that it is the clip the preview holds.
    void PickBoth(std::wstring_view original, std::wstring_view replacement)
    {
        ClickEntry(id::FileListBox2, replacement);
        ClickEntry(id::FileListBox1, original);
    }
    // An original on the small full disk replaced by `replacement`, after
    // `answer` to the conversion question when one is asked: nothing is lost.
    void ExpectAFullDiskLosesNoSample(const std::string& replacement, std::optional<DialogButton> answer)
    {
        const auto disk = TinyDisk();
        if (!disk)
            GTEST_SKIP() << NoTinyDisk;
        const std::wstring folder = *disk + L"\\sons";
        CreateDirectoryW(folder.c_str(), nullptr);
        const std::string small = Wav(1000, 0x22);
        WriteBytes(folder + L"\\petit.wav", small);
        WriteBytes(replacements + L"\\gros.wav", replacement);
        OpenSounds();
        ASSERT_TRUE(form->Sounds().OriginalFolders().SetDirectory(folder));
        ASSERT_TRUE(form->Sounds().ReplacementFolders().SetDirectory(replacements));
        PickBoth(L"petit.wav", L"gros.wav");
        if (answer)
            dialogs.Answer(*answer);
        Click(id::BitBtn1);
        EXPECT_EQ(LastMessageText(), L"Disque plein.");
        EXPECT_EQ(ReadBytes(folder + L"\\petit.wav"), small);
        EXPECT_EQ(FilesIn(folder + L"\\"), (std::vector<std::wstring>{L"petit.wav"}));
        EXPECT_FALSE(Exists(folder + L"\\Originaux"));
        EXPECT_EQ(form->Sounds().Modifications().NbRemplacements(), 0);
        RemoveDirectoryW(folder.c_str());
    }
    std::wstring GridCell(int row, int column) const
    {
        wchar_t text[260] = {};
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = 260;
        SendMessageW(Control(id::StringGrid1), LVM_GETITEMTEXTW, row - 1, reinterpret_cast<LPARAM>(&item));
        return text;
    }
    int GridDataRows() const
    {
        return static_cast<int>(SendMessageW(Control(id::StringGrid1), LVM_GETITEMCOUNT, 0, 0));
    }
    int Number(int labelId) const { return std::stoi(Caption(labelId)); }
    void ExpectNothingReplaced()
    {
        EXPECT_EQ(ReadBytes(samples + L"\\porte.wav"), porte);
        EXPECT_EQ(ReadBytes(replacements + L"\\grince.wav"), grince);
        EXPECT_FALSE(Exists(samples + L"\\Originaux")) << "a refused replacement keeps no copy";
        EXPECT_EQ(form->Sounds().Modifications().NbRemplacements(), 0);
        EXPECT_EQ(GridCell(1, 1), L"");
        EXPECT_FALSE(Enabled(id::LabelSauveSons));
    }

    std::wstring samples = installation / L"Sound\\Samples";
    std::wstring replacements = installation / L"Sound\\Remplacements";
    std::string porte = Wav(3307, 0x20);    // 300 ms
    std::string grince = EngineWav(2205, 0x70);   // 100 ms
};

} // namespace tessark::test
