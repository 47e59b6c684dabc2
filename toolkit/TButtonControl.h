#pragma once
// A system button with a check mark (check box, radio button). The mark is read from the
// window whenever the window exists.
#include "toolkit/TWinControl.h"

class TButtonControl : public TWinControl {
public:
    explicit TButtonControl(TComponent* owner, DWORD buttonStyle);

    bool Checked() const;

protected:
    // Sets the mark without any click handling.
    void SetCheckMark(bool checked);
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

private:
    DWORD buttonStyle_;
    bool checked_ = false;
};
