#include "toolkit/TRadioButton.h"

TRadioButton::TRadioButton(TComponent* owner, const std::string& caption) : TButtonControl(owner, BS_RADIOBUTTON) {
    SetCaption(caption);
}

bool TRadioButton::CommandNotification(WORD code) {
    if (code != BN_CLICKED) return false;
    if (!Checked() && OnPicked) OnPicked(this);
    return true;
}
