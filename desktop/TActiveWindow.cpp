#include "desktop/TActiveWindow.h"

#include "toolkit/TWinControl.h"

TActiveWindow::TActiveWindow(TComponent* owner) : TComponent(owner) {
    if (auto* control = dynamic_cast<TWinControl*>(owner)) ownerWnd_ = control->Handle();
}

TActiveWindow::~TActiveWindow() {
    // The timer belongs to the owner and would otherwise go on calling a watcher that is
    // gone when the watcher is freed before its owner.
    delete timer_;
}

void TActiveWindow::Notification(TComponent& component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && &component == timer_) timer_ = nullptr;
}

void TActiveWindow::StartWatch() {
    if (started_) return;
    timer_ = new TTimer(Owner());
    timer_->FreeNotification(this);
    timer_->SetEnabled(false);
    timer_->SetInterval(100);
    timer_->SetOnTimer([this](TObject&) { CheckActWnd(); });
    started_ = true;
    SetWatching(true);
}

bool TActiveWindow::Watching() const { return timer_ && timer_->Enabled(); }

void TActiveWindow::SetWatching(bool value) {
    if (!started_ || !timer_ || value == timer_->Enabled()) return;
    timer_->SetEnabled(value);
}

void TActiveWindow::CheckActWnd() {
    HWND window = ::GetForegroundWindow();
    if (window != ownerWnd_) {
        actWnd_ = window;
        char text[256] = {};
        if (window) ::GetWindowTextA(window, text, sizeof text);
        actWndText_ = text;
        if (window != prevWnd_) Raise(OnChangeActWnd, *this);
        if (prevWnd_ == ownerWnd_) Raise(OnActiveOff, *this);
    } else if (window != prevWnd_) {
        Raise(OnActiveOn, *this);
    }
    prevWnd_ = window;
}
