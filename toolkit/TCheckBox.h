#pragma once
// A check box. Setting it to a state other than its current one runs its click handling,
// just as the user's click does.
#include "toolkit/TWinControl.h"

class TCheckBox : public TWinControl {
public:
    explicit TCheckBox(TComponent* owner);

    bool Checked() const;
    void SetChecked(bool checked);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    bool CommandNotification(WORD code) override;

private:
    bool checked_ = false;
};
