#include "toolkit/TButton.h"

TButton::TButton(TComponent* owner) : TWinControl(owner) { SetTabStop(true); }

void TButton::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.className = "BUTTON";
    params.style |= BS_PUSHBUTTON;
}

bool TButton::CommandNotification(WORD code) {
    if (code != BN_CLICKED) return false;
    Click();
    return true;
}
