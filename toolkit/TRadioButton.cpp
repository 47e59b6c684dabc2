#include "toolkit/TRadioButton.h"

#include "toolkit/TRadioGroup.h"

TRadioButton::TRadioButton(TRadioGroup* group, const std::string& caption)
    : TButtonControl(group, BS_RADIOBUTTON), group_(group) {
    SetCaption(caption);
}

bool TRadioButton::CommandNotification(WORD code) {
    if (code != BN_CLICKED) return false;
    if (!Checked()) group_->ButtonClicked(this);
    return true;
}
