#include "toolkit/TButtonControl.h"

TButtonControl::TButtonControl(TComponent* owner, DWORD buttonStyle) : TWinControl(owner), buttonStyle_(buttonStyle) {
    SetTabStop(true);
}

void TButtonControl::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.className = "BUTTON";
    params.style |= buttonStyle_;
}

void TButtonControl::CreateWnd() { SetCheckMark(checked_); }

bool TButtonControl::Checked() const {
    if (!HandleAllocated()) return checked_;
    return ::SendMessageA(const_cast<TButtonControl*>(this)->Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TButtonControl::SetCheckMark(bool checked) {
    checked_ = checked;
    if (HandleAllocated()) ::SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}
