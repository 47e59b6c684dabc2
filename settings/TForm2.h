#pragma once
// The settings window. Its controls are the live store of the settings: the naming rule,
// the still capture and the recording read them at the moment they need them. It is made
// from the settings file as start-up read it and writes the file from its start button;
// what it does to the main window it raises as events, which the program wires.
//
// Its pages are parts of it, each built by its own unit: the folder page (TFolderPage) and
// the file format page (TFormatPage); the options page and the buttons are its own.
#include <exception>
#include <functional>
#include <memory>
#include <string>

#include "settings/TFolderPage.h"
#include "settings/TFormatPage.h"
#include "settings/TSavedSettings.h"
#include "settings/TSettingsView.h"
#include "toolbar/TBSkin.h"
#include "toolbar/TTBItem.h"
#include "toolbar/TTBToolbar.h"
#include "toolkit/TCheckBox.h"
#include "toolkit/TForm.h"
#include "toolkit/TImageList.h"
#include "toolkit/TPageControl.h"
#include "toolkit/TPanel.h"
#include "toolkit/TTabSheet.h"
#include "toolkit/TTimer.h"
#include "widgets/TPictureButton.h"

class TForm2 : public TForm, public TSettingsView, public TFolderPage, public TFormatPage {
public:
    // Made from the settings start-up read (the saved folder read ahead meanwhile).
    TForm2(TComponent* owner, TSavedSettings saved);
    // Reads the settings file itself (the one beside the executable unless a test points
    // elsewhere), without reading ahead.
    explicit TForm2(TComponent* owner, const std::string& settingsPath = TSettingsFile::BesideExecutable());
    ~TForm2() override;

    // Start-up's last step with the window: reads from the shell what the tree and the list
    // show first, so that the window's first paint does not wait on it, spending `pause` ms
    // (the splash's) on the slowest part, the icons, on a thread.
    void ReadShownItemsDuring(DWORD pause) { TFolderPage::ReadShownItemsDuring(pause); }

    // The file name, without folder, for a sequence number, as the controls say right now.
    std::string MakeFileName(int number) const;
    // What the rest of the program reads, as the controls say right now.
    TNamingRule NamingRule() const override;
    TNumberRange NumberRange() const override;
    TRecordingSettings Recording() const override;
    bool SkipsWindowAtStart() const override;
    // Every value as the controls say right now, and every control set to show the values
    // (all but the folder, which is selected on its own: it may not be found). The one place
    // where values and controls meet.
    TSettingsValues Values() const;
    void ShowValues(const TSettingsValues& values);

    TBSkin* TBSkin1;
    TImageList* TBImageList1;  // the toolbars' pictures
    TTBToolbar* TBToolbar2;    // the window's own commands
    TTBItem* TB_Version;
    TTBItem* TB_End;
    TPageControl* PageControl1;
    TTabSheet* TabSheet1;  // save destination (TFolderPage)
    TTabSheet* TabSheet2;  // file format and shortcut keys (TFormatPage)
    TTabSheet* TabSheet3;  // options
    TPanel* Panel1;        // bottom: the two big buttons
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
    void TB_VersionClick(TObject& sender);
    void TB_EndClick(TObject& sender);

    // A start that skips this window ("起動時に設定画面を表示しない"): the start button's
    // hand-over, without writing the settings file or telling the way back. A saved folder
    // that cannot take the files keeps the window up with the start button's message instead,
    // so that nothing is ever written elsewhere.
    void SkipToShootingMode();

    // The settings file, which lives as long as the window.
    TSettingsFile& SettingsFile() { return *settingsFile_; }

private:
    void BuildToolbar();
    void BuildOptionsPageAndButtons();
    void FormCreate(TSavedSettings saved);
    // The sample names, the folder label and what the save mode enables, as Timer1 keeps them.
    void ShowSettingsState();
    TShortCuts ShortCuts() const;
    // Why the start button refuses the folder selected in the tree; empty when it takes it.
    std::string SelectionRefusal() const;
    // The start button's steps once the folder is accepted (and the file written): the
    // folder and start number handed over, the window hidden, the shortcuts registered.
    void EnterShootingMode(bool tellWayBack);

    std::unique_ptr<TSettingsFile> settingsFile_;
    // The save folder the settings file named, and why the tree could not select it (null
    // when it could).
    std::string savedFolder_;
    std::exception_ptr savedFolderError_;
};

extern TForm2* Form2;
