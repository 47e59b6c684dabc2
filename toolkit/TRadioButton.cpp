#include "toolkit/TRadioButton.h"

#include "toolkit/TRadioGroup.h"

TRadioButton::TRadioButton(TRadioGroup* group, const std::string& caption) : TWinControl(group), group_(group) {
    SetCaption(caption);
    SetTabStop(true);
}

void TRadioButton::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.className = "BUTTON";
    params.style |= BS_RADIOBUTTON;
}

void TRadioButton::CreateWnd() { ::SendMessageA(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0); }

bool TRadioButton::Checked() const {
    if (!HandleAllocated()) return checked_;
    return ::SendMessageA(const_cast<TRadioButton*>(this)->Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TRadioButton::SetChecked(bool checked) {
    checked_ = checked;
    if (HandleAllocated()) ::SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool TRadioButton::CommandNotification(WORD code) {
    if (code != BN_CLICKED) return false;
    if (!Checked()) group_->ButtonClicked(this);
    return true;
}
