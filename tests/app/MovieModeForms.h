#pragma once
// The program's windows in shooting mode with the AVI save mode, as the settings window
// leaves them: frames every 300 ms, no compression, numbers from 1, an empty save folder,
// and no work folder left from an earlier test.
#include "movie/WorkFolder.h"
#include "tests/support/ProgramForms.h"
#include "tests/support/TestEnvironment.h"

class MovieModeForms : public ProgramForms {
protected:
    void SetUp() override {
        ProgramForms::SetUp();
        DeleteTree(WorkFolderPath());
        form1->SetSaveFolder(folder.Path() + "\\");
        form2->rgMode->SetItemIndex(kModeAvi);
        form2->spnSetStartNum->SetValue(1);
        form2->spnSetEndNum->SetValue(999);
        form1->SetStartNumber(1);
        form2->spnRecTime->SetValue(300);
        form2->spnFrameRate->SetValue(5);
        form2->chkCompress->SetChecked(false);
        form1->TB_Capture_ALL->SetEnabled(false);
        form1->TB_Capture_Active->SetEnabled(false);
        form1->TB_MovieCaptureStart->SetEnabled(true);
        form1->TB_MovieCaptureEnd->SetEnabled(false);
    }
    void TearDown() override {
        ProgramForms::TearDown();
        DeleteTree(WorkFolderPath());
    }

    TempFolder folder;
};
