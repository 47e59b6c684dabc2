#pragma once
// The version dialog: the program's icon, its name and version as its own version
// resource states them, and a credit panel with links. Created once at start-up and only
// hidden when closed. While it is shown the settings window takes no input.
#include <string>

#include "toolkit/TForm.h"
#include "toolkit/TImage.h"
#include "toolkit/TLabel.h"
#include "toolkit/TPanel.h"
#include "widgets/TPictureButton.h"
#include "widgets/TURLLink.h"

class TfrmVersion : public TForm {
public:
    // `versionSource`: the module whose version resource is shown (the program's own
    // executable unless a test points elsewhere).
    explicit TfrmVersion(TComponent* owner, const std::string& versionSource = ExecutablePath());
    ~TfrmVersion() override;

    static std::string ExecutablePath();
    // The window that takes no input while the dialog is shown (none: no window). The
    // settings window sets itself here when it is made, whichever of the two comes first.
    static void HoldWhileShown(TForm* window) { heldWindow_ = window; }

    TImage* Image2;
    TLabel* Label1;
    TLabel* Label2;
    TPanel* Panel1;
    TLabel* lblRights;
    TURLLink* URLLink1;
    TLabel* lblMaker;
    TLabel* lblSplash;
    TURLLink* URLLink2;
    TLabel* lblButtons;
    TURLLink* URLLink3;
    TLabel* lblIcon;
    TURLLink* URLLink4;
    TPictureButton* btnClose;

    void FormShow(TObject& sender);
    void FormCloseQuery(TObject& sender, bool& canClose);
    void FormClose(TObject& sender, TCloseAction& action);
    void btnCloseClick(TObject& sender);

private:
    void CreateControls();
    void ReadVersion(const std::string& versionSource);
    TURLLink* NewLink(int left, int top, const std::string& caption, const std::string& link);
    TLabel* NewCreditLabel(int left, int top, const std::string& caption);

    static inline TForm* heldWindow_ = nullptr;
};

extern TfrmVersion* frmVersion;
