#pragma once
// The start-up picture, on screen while the windows are made.
#include "toolkit/TForm.h"
#include "toolkit/TImage.h"
#include "toolkit/TPanel.h"

class TfrmSplash : public TForm {
public:
    explicit TfrmSplash(TComponent* owner);

    TPanel* Panel1;
    TImage* Image1;

    void FormCreate(TObject& sender);
};
