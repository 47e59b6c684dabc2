#include "toolkit/TCheckBox.h"

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) { SetTabStop(true); }

void TCheckBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.className = "BUTTON";
    params.style |= BS_AUTOCHECKBOX;
}

void TCheckBox::CreateWnd() { ::SendMessageA(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0); }

bool TCheckBox::Checked() const {
    if (!HandleAllocated()) return checked_;
    return ::SendMessageA(const_cast<TCheckBox*>(this)->Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TCheckBox::SetChecked(bool checked) {
    if (checked == Checked()) return;
    checked_ = checked;
    if (HandleAllocated()) ::SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    Click();
}

bool TCheckBox::CommandNotification(WORD code) {
    if (code != BN_CLICKED) return false;
    checked_ = Checked();
    Click();
    return true;
}
