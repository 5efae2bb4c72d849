// The sound catalogue: "Sounds.txt" shown in the script editor from the sound
// area's strip, and the way back.
#include "UiHarness.h"

#include "ui/StripLabel.h"
#include "ui/RichEdit.h"

namespace tessark::test {
namespace {

class SoundCatalogueTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        CreateDirectoryW((installation / L"Sound").c_str(), nullptr);
        CreateDirectoryW((installation / L"Sound\\VidedIRU Dovezev").c_str(), nullptr);
        WriteBytes(catalogue, catalogueText);
    }
    // A click on a strip label, as the mouse makes it.
    void Press(int labelId, UINT down, UINT up)
    {
        SendMessageW(Control(labelId), down, MK_LBUTTON, MAKELPARAM(3, 3));
        pressedColour = StripLabelColour(Control(id::LabelModifSons));
        SendMessageW(Control(labelId), up, 0, MAKELPARAM(3, 3));
        Pump();
    }
    void OpenCatalogue()
    {
        Click(id::BtEditSon);
        Press(id::MenuTexteSFX, WM_LBUTTONDOWN, WM_LBUTTONUP);
    }

    std::wstring catalogue = installation / L"Sound\\VidedIRU Dovezev\\Sounds.txt";
    std::string catalogueText = "PORTE: porte_grince\r\nPAS: pas_sable\r\n";
    COLORREF pressedColour = 0;
};

TEST_F(SoundCatalogueTest, ShowsTheCatalogueInTheEditorAndHoldsTheToolColumn)
{
    Start();
    OpenCatalogue();
    EXPECT_TRUE(dialogs.shown.empty()) << "nothing unsaved, no question (UnsavedTextTest asks about unsaved text)";
    EXPECT_EQ(form->ShownArea(), WorkArea::Script);
    EXPECT_EQ(EditorText(), L"PORTE: porte_grince\rPAS: pas_sable\r");  // the editor keeps CR alone
    EXPECT_EQ(Caption(id::StaticTextFichier), L"Sounds.txt");
    EXPECT_TRUE(Visible(Control(id::BtRetourSFX)));
    EXPECT_FALSE(Enabled(id::Panel1));
    EXPECT_FALSE(Enabled(id::BtConvertSFX));
    EXPECT_TRUE(Enabled(id::BtConvertScript));
    EXPECT_TRUE(form->IsDropTarget());
    EXPECT_EQ(StripLabelColour(Control(id::MenuTexteSFX)), StripColour) << "released, it takes the strip's colour";

    // Unchanged text: straight back, the tool column free again.
    Click(id::BtRetourSFX);
    EXPECT_EQ(form->ShownArea(), WorkArea::Sound);
    EXPECT_TRUE(Enabled(id::Panel1));
    EXPECT_FALSE(Enabled(id::BtConvertSFX)) << "only opening the sounds again enables the build";
}

TEST_F(SoundCatalogueTest, TheCatalogueShowsItsOwnCaretPosition)
{
    Start();
    WriteBytes(installation / L"script\\script.txt", "un\r\ndeux\r\n");
    dialogs.ChooseFile(installation / L"script\\script.txt");
    Click(id::BtEditScript);
    editor::Select(Control(id::Editor), 6, 6);
    Pump();
    ASSERT_EQ(StatusPanel(0), L"Line:   2   Col:   4");
    OpenCatalogue();
    EXPECT_EQ(StatusPanel(0), L"Line:   1   Col:   1");
}

TEST_F(SoundCatalogueTest, TheWayBackAsksAboutChangesAndFollowsTheAnswer)
{
    Start();
    OpenCatalogue();
    SetEditorText(L"PORTE: porte_lourde\r\n");
    dialogs.Answer(DialogButton::Cancel);
    Click(id::BtRetourSFX);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, L"Sauver les modifications ?");
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Warning);
    EXPECT_EQ(form->ShownArea(), WorkArea::Script);

    dialogs.Answer(DialogButton::No);
    Click(id::BtRetourSFX);
    EXPECT_EQ(form->ShownArea(), WorkArea::Sound);
    EXPECT_EQ(ReadBytes(catalogue), catalogueText);
    EXPECT_EQ(EditorText(), L"PORTE: porte_lourde\r") << "the changes stay in the editor";

    // Opened again over those changes, the catalogue asks first; Non reads it afresh.
    dialogs.Answer(DialogButton::No);
    Press(id::MenuTexteSFX, WM_LBUTTONDOWN, WM_LBUTTONUP);
    EXPECT_EQ(LastMessageText(), L"Le texte a changé. Sauver " + catalogue + L"?");
    EXPECT_EQ(EditorText(), L"PORTE: porte_grince\rPAS: pas_sable\r");
    SetEditorText(L"PORTE: porte_lourde\r\n");
    dialogs.Answer(DialogButton::Yes);
    Click(id::BtRetourSFX);
    EXPECT_EQ(ReadBytes(catalogue), "PORTE: porte_lourde\r\n");
    EXPECT_EQ(form->ShownArea(), WorkArea::Sound);
}

TEST_F(SoundCatalogueTest, AReadOnlyCatalogueKeepsTheViewAndItsChanges)
{
    Start();
    OpenCatalogue();
    SetFileAttributesW(catalogue.c_str(), FILE_ATTRIBUTE_READONLY);
    SetEditorText(L"PORTE: porte_lourde\r\n");
    dialogs.Answer(DialogButton::Yes);
    Click(id::BtRetourSFX);
    SetFileAttributesW(catalogue.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(dialogs.shown.back().how, ShownMessage::Kind::Failure);
    EXPECT_EQ(ReadBytes(catalogue), catalogueText);
    EXPECT_EQ(form->ShownArea(), WorkArea::Script);
    EXPECT_EQ(EditorText(), L"PORTE: porte_lourde\r");
    EXPECT_FALSE(Enabled(id::Panel1));
}

TEST_F(SoundCatalogueTest, AMissingCatalogueIsNamedAndNothingChanges)
{
    DeleteFileW(catalogue.c_str());
    Start();
    Click(id::BtEditSon);
    dialogs.Answer(DialogButton::Ok);
    Press(id::MenuTexteSFX, WM_LBUTTONDOWN, WM_LBUTTONUP);
    EXPECT_EQ(LastMessageText(), L"Le fichier spécifié " + catalogue + L" est introuvable.");
    EXPECT_EQ(form->ShownArea(), WorkArea::Sound);
    EXPECT_TRUE(Enabled(id::Panel1));
    EXPECT_FALSE(Visible(Control(id::BtRetourSFX)));
}

TEST_F(SoundCatalogueTest, EitherListLabelLightsUpThePrintLabelWhilePressed)
{
    Start();
    Click(id::BtEditSon);
    EXPECT_FALSE(Enabled(id::LabelModifSons));
    EnableWindow(Control(id::LabelModifSons), TRUE);
    EnableWindow(Control(id::LabelSauveSons), TRUE);
    // A right click gives the feedback but runs nothing.
    Press(id::LabelSauveSons, WM_RBUTTONDOWN, WM_RBUTTONUP);
    EXPECT_EQ(pressedColour, RGB(255, 255, 255));
    EXPECT_EQ(StripLabelColour(Control(id::LabelModifSons)), StripColour);
    EXPECT_EQ(StripLabelColour(Control(id::LabelSauveSons)), StripColour);
    EXPECT_TRUE(dialogs.shown.empty());
}

} // namespace
} // namespace tessark::test
