#include "desktop/TCallbackWindow.h"

#include "desktop/TSingleClick.h"
#include "desktop/TTrayIcon.h"
#include "toolkit/TApplication.h"

TCallbackWindow::TCallbackWindow() : TWinControl(nullptr), taskbarCreated_(::RegisterWindowMessageA("TaskbarCreated")) {
    SetVisible(false);
    Handle();
}

TCallbackWindow::~TCallbackWindow() { DropSingleClicks(); }

void TCallbackWindow::DropSingleClicks() {
    std::set<TSingleClick*> threads;
    threads.swap(singleClicks_);
    for (TSingleClick* thread : threads) delete thread;
}

void TCallbackWindow::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.style = WS_POPUP;
    if (TApplication::Exists()) params.parentWindow = TApplication::Instance().Handle();
}

void TCallbackWindow::Forget(TTrayIcon* icon) {
    if (currentIcon_ == icon) currentIcon_ = nullptr;
}

void TCallbackWindow::StartSingleClick() {
    auto* thread = new TSingleClick();
    thread->OnTerminate = [this](TObject& sender) { SingleClickEnded(static_cast<TSingleClick&>(sender)); };
    singleClicks_.insert(thread);
    thread->Start();
}

void TCallbackWindow::SingleClickEnded(TSingleClick& thread) {
    singleClicks_.erase(&thread);
    if (TTrayIcon* icon = currentIcon_) icon->SingleClickTimeUp();
}

LRESULT TCallbackWindow::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    struct Handling {
        int& depth;
        ~Handling() { --depth; }
    } handling{++handling_};
    if (message == kNotifyMessage) {
        TTrayIcon* icon = TTrayIcon::Find(static_cast<int>(wParam));
        if (icon) {
            currentIcon_ = icon;
            icon->MouseNotification(static_cast<UINT>(lParam));
        }
        return 0;
    }
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        ShellRestarted();
        return 0;
    }
    return TWinControl::WndProc(message, wParam, lParam);
}

void TCallbackWindow::ShellRestarted() {
    // Every icon is offered to the new notification area, even when one is refused; the
    // first refusal is then reported.
    std::exception_ptr failure;
    for (TTrayIcon* icon : TTrayIcon::All()) {
        try {
            icon->Readd();
        } catch (...) {
            if (!failure) failure = std::current_exception();
        }
    }
    if (failure) std::rethrow_exception(failure);
}
