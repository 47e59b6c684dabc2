#include "toolkit/TSplitter.h"

#include <algorithm>

#include "toolkit/Frame3D.h"

TSplitter::TSplitter(TComponent* owner) : TCustomControl(owner) {
    SetBounds(0, 0, 3, 100);
    SetCursor(crHSplit);
}

void TSplitter::SetControls(TWinControl* before, TWinControl* after) {
    for (TWinControl* control : {before_, after_}) {
        if (control) control->RemoveFreeNotification(this);
    }
    before_ = before;
    after_ = after;
    for (TWinControl* control : {before_, after_}) {
        if (control) control->FreeNotification(this);
    }
    if (before_) SetBounds(before_->Left() + before_->Width(), before_->Top(), Width(), before_->Height());
}

void TSplitter::SetBeveled(bool value) {
    if (value == beveled_) return;
    beveled_ = value;
    Invalidate();
}

void TSplitter::Notification(TComponent& component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    if (&component == before_) before_ = nullptr;
    if (&component == after_) after_ = nullptr;
}

void TSplitter::MoveTo(int left) {
    if (!before_ || !after_) return;
    const int right = after_->Left() + after_->Width();
    // The lower bound wins when the two controls are already narrower than both minimums.
    left = std::max(std::min(left, right - minSize_ - Width()), before_->Left() + minSize_);
    if (left == Left()) return;
    before_->SetWidth(left - before_->Left());
    SetLeft(left);
    after_->SetBounds(left + Width(), after_->Top(), right - left - Width(), after_->Height());
    Raise(OnMoved, *this);
}

void TSplitter::Paint(HDC dc) {
    RECT client;
    ::GetClientRect(Handle(), &client);
    FillSolid(dc, client, Color());
    if (beveled_) Frame3D(dc, client, clBtnHighlight, clBtnShadow, 1);
}

void TSplitter::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == TMouseButton::mbLeft) grip_ = x;
    TCustomControl::MouseDown(button, shift, x, y);
}

void TSplitter::MouseMove(TShiftState shift, int x, int y) {
    // Captured while the button is down, the bar hears the pointer past either control.
    if (grip_ >= 0 && MouseCapture()) MoveTo(Left() + x - grip_);
    TCustomControl::MouseMove(shift, x, y);
}

void TSplitter::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == TMouseButton::mbLeft) grip_ = -1;
    TCustomControl::MouseUp(button, shift, x, y);
}
