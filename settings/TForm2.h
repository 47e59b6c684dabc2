#pragma once
// The settings window. Its controls are the live store of the settings: the naming rule,
// the still capture and the recording read them at the moment they need them.
#include <string>

#include "settings/TNamingRule.h"
#include "toolkit/TCheckBox.h"
#include "toolkit/TEdit.h"
#include "toolkit/TForm.h"
#include "toolkit/THotKey.h"
#include "toolkit/TLabel.h"
#include "toolkit/TRadioGroup.h"
#include "toolkit/TSpinEdit.h"
#include "toolkit/TTimer.h"
#include "widgets/TPictureButton.h"

class TForm2 : public TForm {
public:
    explicit TForm2(TComponent* owner);

    // The file name, without folder, for a sequence number, as the controls say right now.
    std::string MakeFileName(int number) const;
    // The whole rule as the controls say right now.
    TNamingRule NamingRule() const;

    // File naming.
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
    TRadioGroup* rgMode;
    TLabel* lblSampleWord;
    TLabel* lblCaution;
    // Movie.
    TLabel* lblMovieFramelate;
    TSpinEdit* spnFrameRate;
    TLabel* lblMovieInterval1;
    TSpinEdit* spnRecTime;
    TLabel* lblMovieInterval2;
    TCheckBox* chkCompress;
    // Shortcut keys, hotkey indices 0 to 3.
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
    // The save folder, typed as a path until the folder browser takes its place.
    TEdit* txtSaveFolder;
    TLabel* lblNowFolder;
    TPictureButton* btnStartPhotographing;
    TPictureButton* btnClose;
    TTimer* Timer1;

    // Save modes, as rgMode's item indices.
    static constexpr int kModeBmp = 0;
    static constexpr int kModeJpeg = 1;
    static constexpr int kModeAvi = 2;

    void FormShow(TObject& sender);
    void FormHide(TObject& sender);
    void Timer1Timer(TObject& sender);
    void btnStartPhotographingClick(TObject& sender);
    void btnCloseClick(TObject& sender);

    // The save folder the start button hands over; empty when none is chosen.
    std::string SelectedPath() const;

private:
    void BuildNamingControls();
    void BuildMovieAndKeyControls();
    void FormCreate();
};

extern TForm2* Form2;
