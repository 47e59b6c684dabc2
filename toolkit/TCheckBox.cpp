#include "toolkit/TCheckBox.h"

void TCheckBox::SetChecked(bool checked) {
    if (checked == Checked()) return;
    SetCheckMark(checked);
    Click();
}

bool TCheckBox::CommandNotification(WORD code) {
    if (code != BN_CLICKED) return false;
    // The system has already moved the mark; keep the stored state in step with it.
    SetCheckMark(Checked());
    Click();
    return true;
}
