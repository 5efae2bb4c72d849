// The preview player and the wave volume against Wine's real MCI devices.
#include "UiHarness.h"

#include "sound/MciPlayer.h"
#include "sound/WaveVolume.h"
#include "util/Messages.h"

#include <mmsystem.h>

#include <chrono>
#include <functional>

namespace tessark::test {
namespace {

constexpr const char* NoWaveDevice =
    "no wave output device (the test session starts a PulseAudio null sink when pulseaudio is installed)";

void PutLE(std::string& bytes, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A PCM WAV of silence, so a machine with speakers stays quiet.
std::string Wav(int bits, int channels, std::uint32_t rate, std::uint32_t milliseconds)
{
    const std::uint32_t frameSize = static_cast<std::uint32_t>(channels * bits / 8);
    const std::uint32_t dataSize = rate * milliseconds / 1000 * frameSize;
    std::string wav = "RIFF";
    PutLE(wav, 36 + dataSize, 4);
    wav += "WAVEfmt ";
    PutLE(wav, 16, 4);
    PutLE(wav, 1, 2);
    PutLE(wav, static_cast<std::uint32_t>(channels), 2);
    PutLE(wav, rate, 4);
    PutLE(wav, rate * frameSize, 4);
    PutLE(wav, frameSize, 2);
    PutLE(wav, static_cast<std::uint32_t>(bits), 2);
    wav += "data";
    PutLE(wav, dataSize, 4);
    wav.append(dataSize, bits == 8 ? '\x80' : '\0');
    return wav;
}

// One track: a note on and off a quarter note later at 120 beats a minute.
std::string TinyMidi()
{
    std::string track = std::string("\x00\x90\x3C\x40", 4) + std::string("\x60\x80\x3C\x00", 4) +
                        std::string("\x00\xFF\x2F\x00", 4);
    std::string midi = std::string("MThd\x00\x00\x00\x06\x00\x00\x00\x01\x00\x60", 14) + "MTrk";
    for (int shift = 24; shift >= 0; shift -= 8)
        midi += static_cast<char>((track.size() >> shift) & 0xFF);
    return midi + track;
}

std::wstring ErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const UserError& error) {
        return error.text();
    }
    return L"(no error)";
}

bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
        Sleep(10);
    }
    return true;
}

class MciPlayerTest : public ::testing::Test {
protected:
    // Opens a clip written into the test folder, with the time in milliseconds.
    void OpenClip(std::wstring_view name, const std::string& bytes)
    {
        WriteBytes(folder / name, bytes);
        player.SetFileName(folder / name);
        player.SetTimeFormatMilliseconds();
        ASSERT_TRUE(player.Open()) << "cannot open " << ::testing::PrintToString(std::wstring(name));
    }
    static bool HaveWaveDevice() { return waveOutGetNumDevs() > 0; }

    TempFolder folder{L"tessark mci é"};
    MciPlayer player;
};

TEST_F(MciPlayerTest, OpensWavsOfEitherSampleSizeWithTheirLengthInMilliseconds)
{
    OpenClip(L"seize bits.wav", Wav(16, 1, 22050, 500));
    EXPECT_TRUE(player.IsOpen());
    EXPECT_EQ(player.Length(), 500);
    EXPECT_EQ(player.Position(), 0);
    EXPECT_EQ(player.Mode(), MciMode::Stopped);

    OpenClip(L"HUIT BITS.wAv", Wav(8, 2, 11025, 250));
    EXPECT_EQ(player.Length(), 250) << "the second open replaced the first clip";
    EXPECT_EQ(player.FileName(), folder / L"HUIT BITS.wAv");
}

// Wine's waveaudio counts the samples it has queued, a third of a second at a
// time ahead of the sound, so the position is only checked to be on the way.
TEST_F(MciPlayerTest, PlayRunsInRealTimeUntilTheEndAndThenStops)
{
    if (!HaveWaveDevice())
        GTEST_SKIP() << NoWaveDevice;
    OpenClip(L"clip.wav", Wav(16, 1, 22050, 2000));
    const auto start = std::chrono::steady_clock::now();
    player.Play();
    EXPECT_EQ(player.Mode(), MciMode::Playing) << "Play does not wait for the end";
    Sleep(250);
    const std::int32_t partWay = player.Position();
    EXPECT_GT(partWay, 0);
    EXPECT_LT(partWay, 2000);
    EXPECT_TRUE(WaitFor([&] { return player.Mode() == MciMode::Stopped; }, std::chrono::seconds(5)));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1900)) << "played faster than sound";
    EXPECT_EQ(player.Position(), 2000);
}

TEST_F(MciPlayerTest, PlayAtTheEndStartsOver)
{
    if (!HaveWaveDevice())
        GTEST_SKIP() << NoWaveDevice;
    OpenClip(L"clip.wav", Wav(16, 1, 22050, 2000));
    player.Next();
    ASSERT_EQ(player.Position(), 2000);
    player.Play();
    EXPECT_EQ(player.Mode(), MciMode::Playing);
    EXPECT_LT(player.Position(), 1500);
    player.Stop();
}

TEST_F(MciPlayerTest, PauseHoldsThePositionAndASecondPauseResumes)
{
    if (!HaveWaveDevice())
        GTEST_SKIP() << NoWaveDevice;
    OpenClip(L"clip.wav", Wav(16, 2, 44100, 1500));
    player.Play();
    Sleep(200);
    player.Pause();
    EXPECT_EQ(player.Mode(), MciMode::Paused);
    const std::int32_t paused = player.Position();
    Sleep(200);
    EXPECT_EQ(player.Position(), paused);

    player.Pause();
    EXPECT_EQ(player.Mode(), MciMode::Playing);
    EXPECT_TRUE(WaitFor([&] { return player.Position() > paused; }, std::chrono::seconds(1)));

    player.Stop();
    EXPECT_EQ(player.Mode(), MciMode::Stopped);
    const std::int32_t stopped = player.Position();
    Sleep(150);
    EXPECT_EQ(player.Position(), stopped) << "a stopped clip stays where it is";
}

TEST_F(MciPlayerTest, PauseOnAStoppedClipDoesNothing)
{
    OpenClip(L"clip.wav", Wav(16, 1, 22050, 500));
    EXPECT_EQ(ErrorOf([&] { player.Pause(); }), L"(no error)");
    EXPECT_TRUE(player.IsOpen());
    EXPECT_EQ(player.Mode(), MciMode::Stopped);
}

TEST_F(MciPlayerTest, NextGoesToTheEndAndBackLeavesASoundClipThere)
{
    OpenClip(L"clip.wav", Wav(8, 1, 8000, 300));
    player.Next();
    EXPECT_EQ(player.Position(), 300);
    player.Back();
    EXPECT_EQ(player.Position(), 300);
    EXPECT_EQ(player.Mode(), MciMode::Stopped);
}

TEST_F(MciPlayerTest, WithoutAClipEveryCommandIsRefusedButTheQueriesAnswer)
{
    const std::wstring refused(msg::NoMciDevice);
    auto checkRefusals = [&](const char* when) {
        EXPECT_FALSE(player.IsOpen()) << when;
        EXPECT_EQ(ErrorOf([&] { player.Play(); }), refused) << when;
        EXPECT_EQ(ErrorOf([&] { player.Stop(); }), refused) << when;
        EXPECT_EQ(ErrorOf([&] { player.Pause(); }), refused) << when;
        EXPECT_EQ(ErrorOf([&] { player.Next(); }), refused) << when;
        EXPECT_EQ(ErrorOf([&] { player.Back(); }), refused) << when;
        EXPECT_EQ(ErrorOf([&] { player.Length(); }), refused) << when;
        EXPECT_EQ(player.Position(), 0) << when;
        EXPECT_EQ(player.Mode(), MciMode::NotReady) << when;
        player.SetTimeFormatMilliseconds();
        player.Close();
    };
    checkRefusals("never opened");
    OpenClip(L"clip.wav", Wav(16, 1, 8000, 300));
    player.Next();
    player.Close();
    checkRefusals("after a close");
}

TEST_F(MciPlayerTest, FilesThatAreNoClipDoNotOpenAndCloseTheClipBefore)
{
    std::string truncated = Wav(16, 1, 22050, 500).substr(0, 30);
    std::string badFormat = Wav(16, 1, 22050, 500);
    badFormat[20] = '\x55';   // format tag 0x55 with a PCM layout: no codec takes it
    badFormat[21] = '\x00';
    WriteBytes(folder / L"tronqué.wav", truncated);
    WriteBytes(folder / L"texte.wav", "Ceci n'est pas un son.\r\n");
    WriteBytes(folder / L"vide.wav", "");
    WriteBytes(folder / L"format inconnu.wav", badFormat);
    for (const std::wstring name : {L"tronqué.wav", L"texte.wav", L"vide.wav", L"format inconnu.wav", L"absent.wav"}) {
        OpenClip(L"bon.wav", Wav(16, 1, 22050, 500));
        player.SetFileName(folder / name);
        EXPECT_FALSE(player.Open()) << ::testing::PrintToString(name);
        EXPECT_FALSE(player.IsOpen()) << ::testing::PrintToString(name);
        EXPECT_EQ(ErrorOf([&] { player.Length(); }), std::wstring(msg::NoMciDevice));
    }
}

// Wine's devices answer that they cannot find either file by its own name;
// their short names open.
TEST_F(MciPlayerTest, OpensNonLatinNamesAndOverlongPathsThroughTheirShortNames)
{
    OpenClip(L"\x65E5\x672C \x0416\x0443\x043A.wav", Wav(8, 1, 11025, 300));
    EXPECT_EQ(player.Length(), 300);
    std::wstring deep = folder.path();
    while (deep.size() < MAX_PATH + 40) {
        deep += L"un dossier au nom bien trop long\\";
        ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + deep).c_str(), nullptr));
    }
    const std::wstring path = deep + L"son.wav";
    WriteBytes(L"\\\\?\\" + path, Wav(8, 1, 11025, 200));
    player.SetFileName(path);
    ASSERT_TRUE(player.Open());
    EXPECT_EQ(player.Length(), 200);
    EXPECT_EQ(player.FileName(), path) << "the clip keeps the name it was given";
    player.Close();
    DeleteFileW((L"\\\\?\\" + path).c_str());
    while (deep.size() > folder.path().size()) {
        RemoveDirectoryW((L"\\\\?\\" + deep).c_str());
        deep.erase(deep.find_last_of(L'\\', deep.size() - 2) + 1);
    }
}

TEST_F(MciPlayerTest, AWavWithoutSamplesOpensWithNoLengthAndPlaysAtOnce)
{
    OpenClip(L"muet.wav", Wav(16, 1, 22050, 0));
    EXPECT_EQ(player.Length(), 0);
    EXPECT_EQ(player.Position(), 0);
    player.Play();
    EXPECT_TRUE(WaitFor([&] { return player.Mode() == MciMode::Stopped; }, std::chrono::seconds(1)));
}

// Without a MIDI output (as under Wine here), a sequencer clip still opens and
// knows its length; playing it would never end, so it is not played. (Wine's
// sequencer also gives -1 as its position once sent to the end.)
TEST_F(MciPlayerTest, OpensAMidiFileOnTheSequencer)
{
    OpenClip(L"note.Mid", TinyMidi());
    EXPECT_EQ(player.Length(), 500);
    EXPECT_EQ(player.Position(), 0);
    EXPECT_EQ(player.Mode(), MciMode::Stopped);
}

TEST_F(MciPlayerTest, VolumeKeepsEachChannel)
{
    const auto before = ReadWaveOutVolume();
    if (!before)
        GTEST_SKIP() << (HaveWaveDevice() ? "the wave output device answers no volume for its number "
                                            "(Wine 8 takes only open handles)"
                                          : NoWaveDevice);
    WriteWaveOutVolume(3000u << 16 | 1000u);
    EXPECT_EQ(ReadWaveOutVolume(), 3000u << 16 | 1000u);
    WriteWaveOutVolume(*before);
    EXPECT_EQ(ReadWaveOutVolume(), before);
}

} // namespace
} // namespace tessark::test
