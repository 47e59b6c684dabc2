#include "toolkit/TEdit.h"

TEdit::TEdit(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    SetColor(clWindow);
}

void TEdit::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.className = "EDIT";
    params.style |= ES_AUTOHSCROLL;
    params.exStyle |= WS_EX_CLIENTEDGE;
}

void TEdit::CreateWnd() { ::SendMessageA(Handle(), EM_LIMITTEXT, maxLength_, 0); }

void TEdit::SetMaxLength(int length) {
    if (length == maxLength_) return;
    maxLength_ = length;
    if (HandleAllocated()) ::SendMessageA(Handle(), EM_LIMITTEXT, length, 0);
}

bool TEdit::CommandNotification(WORD code) {
    if (code != EN_CHANGE) return false;
    Raise(OnChange, *this);
    return true;
}
