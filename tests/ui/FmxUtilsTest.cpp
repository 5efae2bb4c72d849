// The file and shell helpers against the real Win32 file system.
#include "UiHarness.h"

#include "util/FmxUtils.h"

namespace tessark::test {
namespace {

std::string AllByteValues(std::size_t size)
{
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7 + i / 256) & 0xFF);
    return bytes;
}

// Runs `action`, which must raise a file error, and gives that error's text.
template <class Error, class Action>
std::wstring ErrorText(Action&& action)
{
    try {
        action();
    } catch (const Error& error) {
        return error.text();
    } catch (const std::exception& other) {
        ADD_FAILURE() << "another error: " << other.what();
        return {};
    }
    ADD_FAILURE() << "no error was raised";
    return {};
}

class FileHelpersTest : public ::testing::Test {
protected:
    TempFolder folder{L"tessark fichiers é"};
    std::wstring At(std::wstring_view name) const { return folder / name; }
};

TEST_F(FileHelpersTest, CopyCarriesTheBytesOfEverySizeAroundTheChunk)
{
    for (std::size_t size : {0u, 1u, 8191u, 8192u, 8193u, 3u * 8192u + 5u, 1u << 20}) {
        const std::string bytes = AllByteValues(size);
        WriteBytes(At(L"source.wav"), bytes);
        CopyOneFile(At(L"source.wav"), At(L"copie.wav"));
        EXPECT_EQ(ReadBytes(At(L"copie.wav")), bytes) << size << " bytes";
    }
    EXPECT_EQ(FilesIn(folder.path()), (std::vector<std::wstring>{L"copie.wav", L"source.wav"}))
        << "no temporary file is left";
}

TEST_F(FileHelpersTest, CopyGivesOnlyTheContentsAndReplacesAnExistingFile)
{
    WriteBytes(At(L"lu seul.wav"), "nouveau");
    SetFileAttributesW(At(L"lu seul.wav").c_str(), FILE_ATTRIBUTE_READONLY);
    WriteBytes(At(L"cible.wav"), "ancien contenu plus long");
    CopyOneFile(At(L"lu seul.wav"), At(L"cible.wav"));
    EXPECT_EQ(ReadBytes(At(L"cible.wav")), "nouveau");
    EXPECT_FALSE(FileHasAttributes(At(L"cible.wav"), FILE_ATTRIBUTE_READONLY));
    SetFileAttributesW(At(L"lu seul.wav").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(FileHelpersTest, CopyIntoAFolderKeepsTheNameWithOrWithoutTheBackslash)
{
    CreateDirectoryW(At(L"dossier").c_str(), nullptr);
    WriteBytes(At(L"son.wav"), "abc");
    CopyOneFile(At(L"son.wav"), At(L"dossier"));
    EXPECT_EQ(ReadBytes(At(L"dossier\\son.wav")), "abc");
    WriteBytes(At(L"son.wav"), "def");
    CopyOneFile(At(L"son.wav"), At(L"dossier\\"));
    EXPECT_EQ(ReadBytes(At(L"dossier\\son.wav")), "def");
    EXPECT_EQ(FilesIn(At(L"dossier\\")), std::vector<std::wstring>{L"son.wav"});
}

TEST_F(FileHelpersTest, CopyFailuresNameTheFileAndLeaveEverythingAsItWas)
{
    WriteBytes(At(L"cible.wav"), "à garder");
    const std::wstring missing = At(L"absent.wav");
    EXPECT_EQ(ErrorText<EFOpenError>([&] { CopyOneFile(missing, At(L"cible.wav")); }),
              L"Impossible d'ouvrir le fichier " + missing);
    EXPECT_EQ(ErrorText<EFOpenError>([&] { CopyOneFile(missing, At(L"nouveau.wav")); }),
              L"Impossible d'ouvrir le fichier " + missing);
    EXPECT_FALSE(Exists(At(L"nouveau.wav")));

    // A destination that is the source, even through another spelling of its path.
    const std::wstring twisted = folder / L"dossier\\..\\CIBLE.WAV";
    EXPECT_EQ(ErrorText<EFCreateError>([&] { CopyOneFile(At(L"cible.wav"), twisted); }),
              L"Impossible de créer le fichier " + At(L"CIBLE.WAV"));

    WriteBytes(At(L"source.wav"), "nouveau");
    SetFileAttributesW(At(L"cible.wav").c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(ErrorText<EFCreateError>([&] { CopyOneFile(At(L"source.wav"), At(L"cible.wav")); }),
              L"Impossible de créer le fichier " + At(L"cible.wav"));
    SetFileAttributesW(At(L"cible.wav").c_str(), FILE_ATTRIBUTE_NORMAL);

    const std::wstring nowhere = At(L"pas de dossier\\son.wav");
    EXPECT_EQ(ErrorText<EFCreateError>([&] { CopyOneFile(At(L"source.wav"), nowhere); }),
              L"Impossible de créer le fichier " + nowhere);

    EXPECT_EQ(ReadBytes(At(L"cible.wav")), "à garder");
    EXPECT_EQ(FilesIn(folder.path()), (std::vector<std::wstring>{L"cible.wav", L"source.wav"}));
}

TEST_F(FileHelpersTest, FilesHeldOpenByOthersAreNeitherReadNorReplaced)
{
    WriteBytes(At(L"source.wav"), "source");
    WriteBytes(At(L"cible.wav"), "cible");
    // A program writing the source shuts the copy out, and one holding the target too.
    HANDLE writer = CreateFileW(At(L"source.wav").c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(ErrorText<EFOpenError>([&] { CopyOneFile(At(L"source.wav"), At(L"cible.wav")); }),
              L"Impossible d'ouvrir le fichier " + At(L"source.wav"));
    CloseHandle(writer);
    HANDLE holder = CreateFileW(At(L"cible.wav").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                0, nullptr);
    EXPECT_EQ(ErrorText<EFCreateError>([&] { CopyOneFile(At(L"source.wav"), At(L"cible.wav")); }),
              L"Impossible de créer le fichier " + At(L"cible.wav"));
    CloseHandle(holder);
    EXPECT_EQ(ReadBytes(At(L"cible.wav")), "cible");
}

TEST_F(FileHelpersTest, AFullDiskReportsItAndKeepsTheOldDestination)
{
    const auto disk = TinyDisk();
    if (!disk)
        GTEST_SKIP() << NoTinyDisk;
    const std::wstring target = *disk + L"\\son.wav";
    WriteBytes(target, std::string(16 * 1024, 'o'));
    WriteBytes(At(L"gros.wav"), AllByteValues(300 * 1024));
    EXPECT_EQ(ErrorText<EWriteError>([&] { CopyOneFile(At(L"gros.wav"), target); }), L"Disque plein");
    EXPECT_EQ(ReadBytes(target), std::string(16 * 1024, 'o'));
    EXPECT_EQ(FilesIn(*disk + L"\\"), std::vector<std::wstring>{L"son.wav"});
    DeleteFileW(target.c_str());
}

TEST_F(FileHelpersTest, MoveRenamesAndNeverReplaces)
{
    WriteBytes(At(L"a.sfx"), "contenu a");
    MoveOneFile(At(L"a.sfx"), At(L"b.sfx"));
    EXPECT_FALSE(Exists(At(L"a.sfx")));
    EXPECT_EQ(ReadBytes(At(L"b.sfx")), "contenu a");

    // Onto an existing file: the contents are copied over it; the source stays.
    WriteBytes(At(L"c.sfx"), "contenu c");
    MoveOneFile(At(L"c.sfx"), At(L"b.sfx"));
    EXPECT_EQ(ReadBytes(At(L"b.sfx")), "contenu c");
    EXPECT_EQ(ReadBytes(At(L"c.sfx")), "contenu c");
}

TEST_F(FileHelpersTest, MoveOfAReadOnlySourceOntoAnExistingFileIsRefused)
{
    WriteBytes(At(L"fixe.sam"), "fixe");
    WriteBytes(At(L"là.sam"), "déjà là");
    SetFileAttributesW(At(L"fixe.sam").c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(ErrorText<EFCantMove>([&] { MoveOneFile(At(L"fixe.sam"), At(L"là.sam")); }),
              L"Cannot move file " + At(L"fixe.sam"));
    EXPECT_EQ(ReadBytes(At(L"là.sam")), "déjà là");
    EXPECT_EQ(ReadBytes(At(L"fixe.sam")), "fixe");
    // Renaming it to a free name works: only the fallback copy is refused.
    MoveOneFile(At(L"fixe.sam"), At(L"libre.sam"));
    EXPECT_EQ(ReadBytes(At(L"libre.sam")), "fixe");
    SetFileAttributesW(At(L"libre.sam").c_str(), FILE_ATTRIBUTE_NORMAL);

    EXPECT_EQ(ErrorText<EFOpenError>([&] { MoveOneFile(At(L"absent.sam"), At(L"x.sam")); }),
              L"Impossible d'ouvrir le fichier " + At(L"absent.sam"));
}

TEST_F(FileHelpersTest, SizesAndAttributes)
{
    WriteBytes(At(L"vide.wav"), "");
    WriteBytes(At(L"plein.wav"), std::string(12345, 'x'));
    EXPECT_EQ(FileSizeOf(At(L"absent.wav")), -1);
    EXPECT_EQ(FileSizeOf(At(L"vide.wav")), 0);
    EXPECT_EQ(FileSizeOf(At(L"plein.wav")), 12345);
    EXPECT_EQ(FileSizeOf(At(L"p*.wav")), 12345) << "wildcards match as in a directory search";

    EXPECT_FALSE(FileHasAttributes(At(L"absent.wav"), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(FileHasAttributes(At(L"absent.wav"), 0));
    EXPECT_FALSE(FileHasAttributes(At(L"vide.wav"), FILE_ATTRIBUTE_READONLY));
    SetFileAttributesW(At(L"vide.wav").c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(FileHasAttributes(At(L"vide.wav"), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(FileHasAttributes(At(L"vide.wav"), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY));
    SetFileAttributesW(At(L"vide.wav").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(FileHasAttributes(folder.path(), FILE_ATTRIBUTE_DIRECTORY));
}

} // namespace
} // namespace tessark::test
