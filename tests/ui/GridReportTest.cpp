// The modification list's report file and printed pages.
#include "UiHarness.h"

#include "sound/GridReport.h"
#include "util/Messages.h"

#include <winspool.h>

namespace tessark::test {
namespace {

report::Grid ListOf(int replacements)
{
    report::Grid grid{{L"Indice", L"    Sons origineaux", L"    Remplacés par", L"  Anciens fichiers renomés en"}};
    for (int n = 1; n <= replacements; ++n)
        grid.push_back({std::to_wstring(n), L"DOOR.wav", L"grince.wav", L"DOOR.bak"});
    return grid;
}

template <class Action>
std::wstring ErrorOf(Action&& action)
{
    try {
        action();
    } catch (const UserError& error) {
        return error.text();
    }
    return L"(no error)";
}

TEST(GridReportFile, ASecondSaveKeepsTheFirstAsBakAndAThirdReplacesThatBak)
{
    TempFolder folder;
    const std::wstring path = folder / L"ModifSFX_08_12_2026.txt";
    EXPECT_TRUE(SaveGridAsText(path, ListOf(1), L'\t'));
    EXPECT_EQ(ReadBytes(path), "Indice\t    Sons origineaux\t    Remplac\xE9s par\t  Anciens fichiers renom\xE9s en\r\n"
                               "1\tDOOR.wav\tgrince.wav\tDOOR.bak\r\n");
    const std::string first = ReadBytes(path);
    SaveGridAsText(path, ListOf(2), L'\t');
    const std::string second = ReadBytes(path);
    EXPECT_EQ(ReadBytes(folder / L"ModifSFX_08_12_2026.bak"), first);
    SaveGridAsText(path, ListOf(3), L'\t');
    EXPECT_EQ(ReadBytes(folder / L"ModifSFX_08_12_2026.bak"), second);
    EXPECT_EQ(FilesIn(folder.path()), (std::vector<std::wstring>{L"ModifSFX_08_12_2026.bak", L"ModifSFX_08_12_2026.txt"}));
}

TEST(GridReportFile, AReportThatCannotBeWrittenOrRotatedLeavesTheOldFilesAsTheyWere)
{
    TempFolder folder;
    const std::wstring path = folder / L"ModifSFX_08_12_2026.txt";
    WriteBytes(path, "ancien rapport");
    WriteBytes(folder / L"ModifSFX_08_12_2026.bak", "ancienne copie");
    {
        // Held open by another program: it cannot be renamed.
        HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        EXPECT_NE(ErrorOf([&] { SaveGridAsText(path, ListOf(1), L'\t'); }), L"(no error)");
        CloseHandle(held);
    }
    EXPECT_EQ(ReadBytes(path), "ancien rapport");
    EXPECT_EQ(ReadBytes(folder / L"ModifSFX_08_12_2026.bak"), "ancienne copie");
    EXPECT_EQ(FilesIn(folder.path()).size(), 2u) << "no temporary file left";

    const std::wstring nowhere = folder / L"absent\\ModifSFX.txt";
    EXPECT_EQ(ErrorOf([&] { SaveGridAsText(nowhere, ListOf(1), L'\t'); }), L"Impossible de créer le fichier " + nowhere);

    if (const auto disk = TinyDisk()) {
        const std::wstring full = *disk + L"\\ModifSFX.txt";
        WriteBytes(full, "ancien");
        report::Grid big = ListOf(3000);
        EXPECT_EQ(ErrorOf([&] { SaveGridAsText(full, big, L'\t'); }), L"Impossible de créer le fichier " + full);
        EXPECT_EQ(ReadBytes(full), "ancien");
        EXPECT_EQ(FilesIn(*disk + L"\\"), (std::vector<std::wstring>{L"ModifSFX.txt"}));
        DeleteFileW(full.c_str());
    }
}

TEST(GridReportPrint, PagesAreDrawnWithSilverFramesAndBar)
{
    // A 600 dpi page drawn into a bitmap: the bar is filled silver, a frame line is silver.
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, 3000, -1200, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(bitmap, nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, 3000, 1200};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const auto units = report::PrintUnits::For(600, 600);
    const auto pages = report::LayOutGridReport(ListOf(2), L"Tessark", L"Modifications du   08/12/2026", units);
    DrawReportPages(dc, pages, units);
    const auto& bar = pages[0][2];
    EXPECT_EQ(GetPixel(dc, (bar.left + bar.right) / 2, (bar.top + bar.bottom) / 2), RGB(192, 192, 192));
    const auto& index = pages[0][3];
    EXPECT_EQ(GetPixel(dc, (index.left + index.right) / 2, index.bottom - 1), RGB(192, 192, 192)) << "frame line";
    EXPECT_EQ(GetPixel(dc, 2900, 1150), RGB(255, 255, 255)) << "nothing drawn outside the table";
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

TEST(GridReportPrint, WithoutADefaultPrinterNothingIsPrintedAndTheUserIsTold)
{
    DWORD size = 0;
    GetDefaultPrinterW(nullptr, &size);
    if (size > 0)
        GTEST_SKIP() << "this machine has a default printer";
    EXPECT_EQ(ErrorOf([] { PrintGridReport(ListOf(1), L"Tessark", L"Modifications du", L"08/12/2026"); }),
              L"Aucune imprimante par défaut sélectionnée");
}

} // namespace
} // namespace tessark::test
