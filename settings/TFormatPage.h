#pragma once
// The settings window's second page, "ファイル形式・ショートカットキー設定": the file
// naming, the save mode, the movie options and the four shortcut keys. The window holds it as
// a part of itself (its controls are the window's), built once.
#include <array>

#include "settings/TNamingRule.h"
#include "toolkit/TCheckBox.h"
#include "toolkit/TEdit.h"
#include "toolkit/TGroupBox.h"
#include "toolkit/THotKey.h"
#include "toolkit/TLabel.h"
#include "toolkit/TRadioGroup.h"
#include "toolkit/TSpinEdit.h"
#include "toolkit/TTabSheet.h"

class TFormatPage {
public:
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

protected:
    TFormatPage() = default;
    ~TFormatPage() = default;
    TFormatPage(const TFormatPage&) = delete;
    TFormatPage& operator=(const TFormatPage&) = delete;

    // Makes the page's controls, owned by `owner`, on `page`.
    void BuildFormatPage(TComponent* owner, TTabSheet* page);
    // The four hotkey boxes in the order of the shortcuts.
    std::array<THotKey*, 4> HotKeys() const { return {hkStillAll, hkStillActive, hkMovieStart, hkMovieEnd}; }
    // The sample names for the rule, and what the save mode enables.
    void ShowModeState(const TNamingRule& rule);

private:
    void BuildMovieControls(TComponent* owner);
    void BuildShortCutControls(TComponent* owner, TTabSheet* page);
};
