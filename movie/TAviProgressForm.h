#pragma once
// The window shown while a finished movie is compressed into a new file: a label, a
// progress bar of 0..100 and an abort button. Built at run time for each compression and
// shown without being modal, so the rest of the program stays usable meanwhile.
#include "toolkit/TButton.h"
#include "toolkit/TForm.h"
#include "toolkit/TProgressBar.h"
#include "toolkit/TStaticText.h"

class TAviProgressForm : public TForm {
public:
    explicit TAviProgressForm(TComponent* owner);

    TStaticText* Label1;
    TButton* Abort1;
    TProgressBar* ProgressBar1;

    // Sets the bar and paints the window with its children at once, without waiting for
    // the message queue.
    void ShowProgress(int percent);

    // The abort button only reports its click; the compression decides what to do with it.
    TNotifyEvent OnAbort;

private:
    void Abort1Click(TObject& sender);
};
