#include "desktop/TCallbackWindow.h"

#include "desktop/TSingleClick.h"
#include "toolkit/TApplication.h"

TCallbackWindow::TCallbackWindow(Reports reports)
    : TWinControl(nullptr), reports_(std::move(reports)), taskbarCreated_(::RegisterWindowMessageA("TaskbarCreated")) {
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

void TCallbackWindow::Forget(int iconNumber) {
    // Numbers are used again: a click still timed for a gone icon must not reach the next
    // icon of its number.
    if (currentIcon_ == iconNumber) currentIcon_ = 0;
}

void TCallbackWindow::StartSingleClick() {
    auto* thread = new TSingleClick();
    thread->OnTerminate = [this](TObject& sender) { SingleClickEnded(static_cast<TSingleClick&>(sender)); };
    singleClicks_.insert(thread);
    thread->Start();
}

void TCallbackWindow::StartRetries(int iconNumber, UINT interval) {
    // Icon numbers are unique among live icons: each has a timer of its own.
    ::SetTimer(Handle(), static_cast<UINT_PTR>(iconNumber), interval, nullptr);
}

void TCallbackWindow::StopRetries(int iconNumber) { ::KillTimer(Handle(), static_cast<UINT_PTR>(iconNumber)); }

void TCallbackWindow::SingleClickEnded(TSingleClick& thread) {
    singleClicks_.erase(&thread);
    if (currentIcon_ != 0 && reports_.singleClickTimeUp) reports_.singleClickTimeUp(currentIcon_);
}

LRESULT TCallbackWindow::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    struct Handling {
        int& depth;
        ~Handling() { --depth; }
    } handling{++handling_};
    if (message == kNotifyMessage) {
        const int number = static_cast<int>(wParam);
        // The icon becomes the current one before its handling runs: a click it starts to
        // time is its own.
        const int previous = currentIcon_;
        currentIcon_ = number;
        // No icon of this program has the number: nothing changes.
        if (!reports_.notification || !reports_.notification(number, static_cast<UINT>(lParam)))
            currentIcon_ = previous;
        return 0;
    }
    if (message == WM_TIMER) {
        if (reports_.retryDue) reports_.retryDue(static_cast<int>(wParam));
        return 0;
    }
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        if (reports_.shellRestarted) reports_.shellRestarted();
        return 0;
    }
    return TWinControl::WndProc(message, wParam, lParam);
}
