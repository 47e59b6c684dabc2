#pragma once
// A standard push button; OnClick runs when it is pressed.
#include "toolkit/TWinControl.h"

class TButton : public TWinControl {
public:
    explicit TButton(TComponent* owner);

    // Presses the button as the user would.
    void Click() override { TWinControl::Click(); }

protected:
    void CreateParams(TCreateParams& params) override;
    bool CommandNotification(WORD code) override;
};
