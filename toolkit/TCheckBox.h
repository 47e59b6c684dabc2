#pragma once
// A check box. Setting it to a state other than its current one runs its click handling,
// just as the user's click does.
#include "toolkit/TButtonControl.h"

class TCheckBox : public TButtonControl {
public:
    explicit TCheckBox(TComponent* owner) : TButtonControl(owner, BS_AUTOCHECKBOX) {}

    void SetChecked(bool checked);

protected:
    bool CommandNotification(WORD code) override;
};
