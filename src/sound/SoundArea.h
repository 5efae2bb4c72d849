#pragma once
// The sound work area: originals on the left, replacements on the right, the
// replacement itself, the preview and the list of modifications.
#include "ui/Dpi.h"
#include "ui/FileLists.h"
#include "ui/LabelNum.h"
#include "util/Win32.h"
#include "sound/ModificationList.h"
#include "sound/SoundPreview.h"

#include <memory>
#include <string>
#include <vector>

namespace tessark {

class IAreaHost;
class TFicheChoixWad;
struct ReplacementContent;

class SoundArea {
public:
    // Builds the controls inside the main window's Panel3.
    explicit SoundArea(IAreaHost& host);

    HWND Control(int controlId) const;
    bool OnCommand(int controlId, int code);
    bool OnScroll(HWND bar, int code) { return preview_->OnScroll(bar, code); }
    bool OnDrawItem(const DRAWITEMSTRUCT& item) { return preview_->OnDrawItem(item); }
    bool OnTimer(UINT_PTR timerId) { return preview_->OnTimer(timerId); }
    void LayOut(int width, int height);

    // Start-up: the grid's header row, and the originals' list on the drive
    // of the installation.
    void FormCreate(const std::wstring& installationRoot);
    // What opening the area does besides showing it.
    void Opened();

    void FileListBox1Click();
    void FileListBox2Click();
    void BitBtn1Click();
    // "Restaurer l'original": the sample of the selected row of the list, or
    // else the picked original, gets its kept original back.
    void BtRestaurerClick();
    // "Restaurer tous les originaux" of the folder the originals' list shows.
    void BtRestaurerTousClick();
    // The tool column's "Construire les fichiers SFX/SAM", with the WAD chooser.
    void BtConvertSFXClick(TFicheChoixWad& ficheChoixWad);
    // How long the builder runs before the user is asked whether to stop it.
    void SetBuilderPatience(DWORD milliseconds) { builderPatience_ = milliseconds; }

    const std::wstring& FichierOriginal() const { return fichierOriginal_; }
    const std::wstring& FichierRemplacement() const { return fichierRemplacement_; }
    const std::wstring& FichierBak() const { return fichierBak_; }
    ModificationList& Modifications() { return modifications_; }
    SoundPreview& Preview() { return *preview_; }
    FileListBox& Originals() { return originals_; }
    FileListBox& Replacements() { return replacements_; }
    DirectoryListBox& OriginalFolders() { return originalFolders_; }
    DirectoryListBox& ReplacementFolders() { return replacementFolders_; }

private:
    struct Side;
    struct StripEntry {
        HWND label;
        int x;
        int width;
    };
    int LayOutStrip(int width);
    void GiveFillerRoomToHelpCaption(RECT& filler, RECT& help) const;
    void LayOutOriginals(int x, int y, int width, int height);
    void LayOutReplacements(int x, int y, int width, int height);
    void LayOutReplacementRow(int row, int width);
    void LayOutGridAndRestores(int top, int width, int height);
    void CreateControls(HWND panel3);
    void CreateOriginalsGroup(HWND panel3);
    void CreateReplacementsGroup(HWND panel3);
    void CreateReplacementRow(HWND panel3);
    void OrderTabStops();
    // `units` at the area's DPI (see Dpi.h).
    int U(int units) const { return Scaled(panel6_, units); }
    void Pick(const Side& side);
    bool BothListsHaveSelection() const;
    void ReplaceKeepingTheOriginal(const ReplacementContent& content, const std::wstring& backup);
    void ShowKeptOriginal();
    std::wstring SampleToRestore() const;
    // False, with why in `refusal`, when the sample was left as it was.
    bool Restore(const std::wstring& sample, std::wstring* refusal);
    void RestoreAll(const std::vector<std::wstring>& samples);
    void RefreshOriginalShown();
    void PressFeedback(HWND label, int code);

    IAreaHost& host_;
    std::wstring fichierOriginal_;
    std::wstring fichierRemplacement_;
    std::wstring fichierBak_;
    // Set by a replacement, cleared by the next accepted pick in either list.
    bool replacedSincePick_ = false;
    DWORD builderPatience_ = 60000;

    HWND panel6_ = nullptr;
    HWND menuTexteSFX_ = nullptr;
    HWND label14_ = nullptr;
    HWND menuAideEditeurSons_ = nullptr;
    HWND groupBox4_ = nullptr, groupBox4Frame_ = nullptr;
    HWND groupBox5_ = nullptr, groupBox5Frame_ = nullptr;
    HWND groupBox7_ = nullptr, groupBox7Frame_ = nullptr;
    HWND labelOctets1_ = nullptr, labelOctets2_ = nullptr;
    HWND labelFormat1_ = nullptr, labelFormat2_ = nullptr;
    HWND staticText1_ = nullptr, staticText2_ = nullptr;
    HWND labelVers1_ = nullptr, labelVers2_ = nullptr;
    HWND bitBtn1_ = nullptr;
    HWND labelOriginal1_ = nullptr;
    HWND btRestaurer_ = nullptr, btRestaurerTous_ = nullptr;
    DirectoryListBox originalFolders_;
    FileListBox originals_;
    DriveComboBox replacementDrives_;
    DirectoryListBox replacementFolders_;
    FileListBox replacements_;
    std::unique_ptr<TLabelNum> labelNum1_;
    std::unique_ptr<TLabelNum> labelNum2_;
    ModificationList modifications_;
    std::unique_ptr<SoundPreview> preview_;
};

} // namespace tessark
