#pragma once
// The settings window. Its controls are the live store of the settings: the naming rule,
// the still capture and the recording read them at the moment they need them. It loads the
// settings file when it is made and writes it from its start button; what it does to the
// main window it raises as events, which the program wires.
#include <array>
#include <exception>
#include <functional>
#include <memory>
#include <string>

#include "folderbrowser/TKeshShListView.h"
#include "folderbrowser/TKeshShPopupMenu.h"
#include "folderbrowser/TKeshShTreeView.h"
#include "folderbrowser/TShIconsAhead.h"
#include "folderbrowser/TShReadAhead.h"
#include "settings/TSettingsFile.h"
#include "settings/TSettingsView.h"
#include "toolbar/TBSkin.h"
#include "toolbar/TTBItem.h"
#include "toolbar/TTBToolbar.h"
#include "toolkit/TCheckBox.h"
#include "toolkit/TEdit.h"
#include "toolkit/TForm.h"
#include "toolkit/TGroupBox.h"
#include "toolkit/THotKey.h"
#include "toolkit/TImageList.h"
#include "toolkit/TLabel.h"
#include "toolkit/TPageControl.h"
#include "toolkit/TPanel.h"
#include "toolkit/TRadioGroup.h"
#include "toolkit/TSpinEdit.h"
#include "toolkit/TSplitter.h"
#include "toolkit/TTabSheet.h"
#include "toolkit/TTimer.h"
#include "widgets/TPictureButton.h"

class TForm2 : public TForm, public TSettingsView {
public:
    // `settingsPath`: the settings file (the one beside the executable unless a test points
    // elsewhere); `reading`: the saved folder read ahead (ReadSavedFolderAhead), taken by the
    // list while the window selects the folder, or null.
    explicit TForm2(TComponent* owner, const std::string& settingsPath = TSettingsFile::BesideExecutable(),
                    TShReadAhead* reading = nullptr);
    ~TForm2() override;

    // The file name, without folder, for a sequence number, as the controls say right now.
    std::string MakeFileName(int number) const;
    // What the rest of the program reads, as the controls say right now.
    TNamingRule NamingRule() const override;
    TNumberRange NumberRange() const override;
    TRecordingSettings Recording() const override;
    bool SkipsWindowAtStart() const override;
    // Every value as the controls say right now, and every control set to show the values
    // (all but the folder, which is selected on its own: it may not be found).
    TSettingsValues Values() const;
    void ShowValues(const TSettingsValues& values);

    // The save folder chosen in the tree now (empty when none, or when it has no path).
    std::string SelectedPath() const;
    // Selects a folder in the tree; raises when the tree cannot show it, leaving the
    // selection as it was.
    void SelectPath(const std::string& path);
    // Reads from the shell what the tree and the list show first, so that the window's
    // first paint does not wait on it; start-up does it while the splash is up. The icons,
    // the slow part, may be looked up ahead on a thread: StartReadingAhead starts that, and
    // until ReadShownFolderItems the folder controls must be left alone.
    void StartReadingAhead();
    void ReadShownFolderItems();
    // The saved folder's contents, read on a thread of their own while the windows are made
    // (null when the file names no folder), for the window to be made with.
    static std::unique_ptr<TShReadAhead> ReadSavedFolderAhead(
        const std::string& settingsPath = TSettingsFile::BesideExecutable());
    // The folder the list shows, where a new folder is made, and making one there (a
    // failure is told).
    std::string FolderPath() const;
    void CreateFolder(const std::string& name);

    TBSkin* TBSkin1;
    TImageList* TBImageList1;  // the toolbars' pictures
    TTBToolbar* TBToolbar2;    // the window's own commands
    TTBItem* TB_Version;
    TTBItem* TB_End;
    TPageControl* PageControl1;
    TTabSheet* TabSheet1;  // save destination
    TTabSheet* TabSheet2;  // file format and shortcut keys
    TTabSheet* TabSheet3;  // options
    TPanel* Panel1;        // bottom: the two big buttons
    // Save destination: the view styles of the list, the folder tree and the list.
    TGroupBox* grpFolder;
    TTBToolbar* TBToolbar1;
    TTBItem* TB_Icon;
    TTBItem* TB_SmallIcon;
    TTBItem* TB_List;
    TTBItem* TB_Report;
    TKeshShTreeView* KeshShTreeView1;
    TSplitter* Splitter1;
    TKeshShListView* KeshShListView1;
    TKeshShPopupMenu* KeshShPopupMenu1;  // the shell's menu, shared by the tree and the list
    TLabel* lblNowFolder;
    TPictureButton* btnNewFolder;
    // File naming.
    TGroupBox* grpFileName;
    TCheckBox* chkAddWordBefore;
    TEdit* txtAddWordBefore;
    TCheckBox* chkAddWordAfter;
    TEdit* txtAddWordAfter;
    TCheckBox* chkNumberLock;
    TSpinEdit* spnNumberLock;
    TCheckBox* chkNumLockZero;
    TCheckBox* chkSetStartNum;
    TSpinEdit* spnSetStartNum;
    TCheckBox* chkSetEndNum;
    TSpinEdit* spnSetEndNum;
    TGroupBox* grpSample;
    TLabel* lblSampleWord;
    TLabel* lblCaution;
    TRadioGroup* rgMode;
    // Movie.
    TGroupBox* grpMovie;
    TLabel* lblMovieFramelate;
    TSpinEdit* spnFrameRate;
    TLabel* lblMovieInterval1;
    TSpinEdit* spnRecTime;
    TLabel* lblMovieInterval2;
    TCheckBox* chkCompress;
    // Shortcut keys, hotkey indices 0 to 3.
    TGroupBox* grpShortCut;
    TLabel* lblStill1;
    THotKey* hkStillAll;
    TLabel* lblStill2;
    THotKey* hkStillActive;
    TLabel* lblMovie1;
    THotKey* hkMovieStart;
    TLabel* lblMovie2;
    THotKey* hkMovieEnd;
    // Options.
    TCheckBox* chkLoadSettingPass;
    TPictureButton* btnStartPhotographing;
    TPictureButton* btnClose;
    TTimer* Timer1;

    // What the window does to the rest of the program, in the order of its steps.
    // Shown: setting mode begins; the handler gives the start number the search begins at.
    std::function<void(TObject& sender, int& startNumber)> OnSettingsShow;
    // Hidden: shooting mode in the save mode now selected.
    std::function<void(TObject& sender, int saveMode)> OnSettingsHide;
    // Start button, once the file is written: the save folder (with a trailing "\") and the
    // number the search starts at.
    std::function<void(TObject& sender, const std::string& saveFolder, int startNumber)> OnStartPhotographing;
    // Start button, last step, after the window hid: the shortcuts to register.
    std::function<void(TObject& sender, const TShortCuts& shortCuts)> OnShortCutsConfirmed;
    // The user confirmed quitting the program.
    TNotifyEvent OnQuit;

    void FormShow(TObject& sender);
    void FormHide(TObject& sender);
    void Timer1Timer(TObject& sender);
    void btnStartPhotographingClick(TObject& sender);
    void btnCloseClick(TObject& sender);
    void btnNewFolderClick(TObject& sender);
    void TB_VersionClick(TObject& sender);
    void TB_EndClick(TObject& sender);
    // The four view-style items share it: the one clicked says the style.
    void TB_ViewStyleClick(TObject& sender);

    // A start that skips this window ("起動時に設定画面を表示しない"): the start button's
    // hand-over, without writing the settings file or telling the way back. A saved folder
    // that cannot take the files keeps the window up with the start button's message instead,
    // so that nothing is ever written elsewhere.
    void SkipToShootingMode();

    // The settings file, which lives as long as the window.
    TSettingsFile& SettingsFile() { return *settingsFile_; }

private:
    void BuildToolbar();
    void BuildFolderPage();
    void BuildViewStyleItems(TWinControl* parent, int left, int top);
    void BuildFileNamePage();
    void BuildMovieControls();
    void BuildShortCutControls();
    void BuildOptionsPageAndButtons();
    void FormCreate();
    // The sample names, the folder label and what the save mode enables, as Timer1 keeps them.
    void ShowSettingsState();
    bool SelectedFolderUnspellable() const;
    // Why the folder cannot take the files (empty: a folder the tree has no path for);
    // empty when it can.
    static std::string UnusableFolderReason(const std::string& folder);
    // The four hotkey boxes in the order of the shortcuts, and what they hold.
    std::array<THotKey*, 4> HotKeys() const;
    TShortCuts ShortCuts() const;
    // Why the start button refuses the folder selected in the tree; empty when it takes it.
    std::string SelectionRefusal() const;
    // The same for any folder: `unspellable` when the tree holds a folder the code page
    // cannot spell, whose path therefore came back empty.
    static std::string FolderRefusal(const std::string& folder, bool unspellable);
    // The start button's steps once the folder is accepted (and the file written): the
    // folder and start number handed over, the window hidden, the shortcuts registered.
    void EnterShootingMode(bool tellWayBack);

    std::unique_ptr<TSettingsFile> settingsFile_;
    std::unique_ptr<TShIconsAhead> iconsAhead_;
    // The save folder the settings file named, and why the tree could not select it (null
    // when it could).
    std::string savedFolder_;
    std::exception_ptr savedFolderError_;
    // While the window is made: the saved folder read ahead.
    TShReadAhead* reading_ = nullptr;
};

extern TForm2* Form2;
