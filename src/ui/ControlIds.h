#pragma once
// Command and control identifiers of the main window.
namespace tessark::id {

enum : int {
    // Tool column
    Panel1 = 100,
    Label1, BtEditScript, BtConvertScript,
    Label2, BtEditSon, BtConvertSFX,
    Label3, BtEditLogo, BtConvertLogo,
    Label11, BtEditCiel, BtconvertCiel,
    BtVerifScript,
    // Work areas
    GroupBox1 = 200, GroupBox1Frame, Panel3, Panel4,
    StatusBar = 250,
    // Script editor
    Panel2 = 300, StaticTextFichier, StandardToolBar, Editor, FontSize, UpDown1,
    Btnouveau = 320, BtSauve, BtImprime, BtDefaire, BtCouper, BtCopier, ToolButton2, BtChercher, ToolButton1,
    BtRetourSFX = 340,
    ReportList = 350,
    // Picture area
    Panel5 = 500, DriveComboBox3, DirectoryListBox3, FileListBox3, StaticText4,
    GroupBox6, GroupBox6Frame, RadioButton1, RadioButton2, RadioButton3, EditX, Label12, EditY,
    ScrollBox1, Image1, CheckShowAsInGame, BtSavePng,
    // Sound area: the strip, the two sides, the replacement row
    Panel6 = 600, MenuTexteSFX, Label14, MenuAideEditeurSons, LabelModifSons, LabelSauveSons,
    GroupBox4, GroupBox4Frame, DirectoryListBox1, FileListBox1, LabelNum1, LabelOctets1,
    GroupBox5, GroupBox5Frame, DriveComboBox2, DirectoryListBox2, FileListBox2, LabelNum2, LabelOctets2,
    StaticText1, LabelVers1, BitBtn1, LabelVers2, StaticText2,
    StringGrid1, LabelFormat1, LabelFormat2, LabelOriginal1, BtRestaurer, BtRestaurerTous,
    // Sound preview
    GroupBox7 = 650, GroupBox7Frame, MediaPlayer1, MediaPlayer1Play, MediaPlayer1Pause, MediaPlayer1Stop,
    MediaPlayer1Next, MediaPlayer1Back, AutoStart, Gauge1, StaticText3, LabelNum3, LabelMs3, LabelNum4, LabelMs4,
    LabelVolume, ScrollBar1,
    // Menu and actions
    Quitter1 = 400, Apropos1, Aide1, CompilerTessark1, LireScriptDat1,
    FileOpenCmd = 420, FileSaveCmd, FilePrintCmd, FileExitCmd, FileNewCmd, FileSaveAsCmd, GoToLineCmd, OpenIncludeCmd, CompleteCmd,
};

} // namespace tessark::id
