// Files replaced together or not at all, against the real Win32 file system.
#include "UiHarness.h"

#include "util/FileErrors.h"
#include "util/FileSet.h"

#include <algorithm>

namespace tessark::test {
namespace {

std::vector<std::wstring> SortedFilesIn(const std::wstring& folder)
{
    std::vector<std::wstring> names = FilesIn(folder);
    std::sort(names.begin(), names.end());
    return names;
}

class FileSetTest : public ::testing::Test {
protected:
    TempFolder folder{L"tessark ensemble é"};
    std::wstring At(std::wstring_view name) const { return folder / name; }

    // SCRIPT.DAT and ENGLISH.DAT from an earlier compilation; FRENCH.DAT new.
    std::vector<NewFile> Set() const
    {
        return {{At(L"SCRIPT.DAT"), std::string("nouveau script\0\x83", 16)},
                {At(L"ENGLISH.DAT"), "nouvel anglais"},
                {At(L"FRENCH.DAT"), "nouveau français"}};
    }
    void WriteEarlierFiles() const
    {
        WriteBytes(At(L"SCRIPT.DAT"), "ancien script");
        WriteBytes(At(L"ENGLISH.DAT"), "ancien anglais");
    }
    // Every file as before the failed attempt, and nothing else beside them.
    void ExpectEarlierFilesOnly() const
    {
        EXPECT_EQ(ReadBytes(At(L"SCRIPT.DAT")), "ancien script");
        EXPECT_EQ(ReadBytes(At(L"ENGLISH.DAT")), "ancien anglais");
        EXPECT_EQ(SortedFilesIn(folder.path()), (std::vector<std::wstring>{L"ENGLISH.DAT", L"SCRIPT.DAT"}));
    }
};

std::wstring CreateErrorText(const std::vector<NewFile>& files)
{
    try {
        WriteFilesTogether(files);
    } catch (const EStreamError& error) {
        return error.text();
    }
    return L"(no error)";
}

TEST_F(FileSetTest, EveryFileTakesItsNewContentAndNothingIsLeftBeside)
{
    WriteEarlierFiles();
    WriteFilesTogether(Set());
    for (const NewFile& file : Set())
        EXPECT_EQ(ReadBytes(file.path), file.bytes);
    EXPECT_EQ(SortedFilesIn(folder.path()), (std::vector<std::wstring>{L"ENGLISH.DAT", L"FRENCH.DAT", L"SCRIPT.DAT"}));
}

TEST_F(FileSetTest, AReadOnlyOrHeldFileChangesNoneOfTheSet)
{
    WriteEarlierFiles();
    SetFileAttributesW(At(L"ENGLISH.DAT").c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(CreateErrorText(Set()), L"Impossible de créer le fichier " + At(L"ENGLISH.DAT"));
    SetFileAttributesW(At(L"ENGLISH.DAT").c_str(), FILE_ATTRIBUTE_NORMAL);
    ExpectEarlierFilesOnly();

    {
        HeldByAnotherProcess holder(At(L"ENGLISH.DAT"));
        EXPECT_EQ(CreateErrorText(Set()), L"Impossible de créer le fichier " + At(L"ENGLISH.DAT"));
    }
    ExpectEarlierFilesOnly();
}

TEST_F(FileSetTest, AFolderInTheWayOfTheLastFileChangesNoneOfTheSet)
{
    WriteEarlierFiles();
    ASSERT_TRUE(CreateDirectoryW(At(L"FRENCH.DAT").c_str(), nullptr));
    EXPECT_EQ(CreateErrorText(Set()), L"Impossible de créer le fichier " + At(L"FRENCH.DAT"));
    EXPECT_EQ(ReadBytes(At(L"SCRIPT.DAT")), "ancien script");
    EXPECT_EQ(ReadBytes(At(L"ENGLISH.DAT")), "ancien anglais");
    RemoveDirectoryW(At(L"FRENCH.DAT").c_str());
    EXPECT_EQ(SortedFilesIn(folder.path()), (std::vector<std::wstring>{L"ENGLISH.DAT", L"SCRIPT.DAT"}));
}

TEST_F(FileSetTest, AFullDiskChangesNoneOfTheSet)
{
    const auto disk = TinyDisk();
    if (!disk)
        GTEST_SKIP() << NoTinyDisk;
    const std::wstring root = *disk + L"\\";
    WriteBytes(root + L"SCRIPT.DAT", "ancien script");
    const std::vector<NewFile> files = {{root + L"SCRIPT.DAT", std::string(8 * 1024, 's')},
                                        {root + L"ENGLISH.DAT", std::string(200 * 1024, 'e')}};
    EXPECT_EQ(CreateErrorText(files), L"Disque plein");
    EXPECT_EQ(ReadBytes(root + L"SCRIPT.DAT"), "ancien script");
    EXPECT_EQ(SortedFilesIn(root), std::vector<std::wstring>{L"SCRIPT.DAT"});
    DeleteFileW((root + L"SCRIPT.DAT").c_str());
}

} // namespace
} // namespace tessark::test
