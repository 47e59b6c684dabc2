#include "desktop/TKeyReleaseWatcher.h"

#include <mutex>

namespace {
// Far shorter than any release and press again by hand.
constexpr DWORD kLookInterval = 10;
}  // namespace

TKeyReleaseWatcher::TKeyReleaseWatcher(TKeyRepeat& repeats) : repeats_(repeats) {}

TKeyReleaseWatcher::~TKeyReleaseWatcher() {
    Terminate();
    Wake();
    WaitFor();
}

void TKeyReleaseWatcher::Wake() {
    {
        std::lock_guard lock(mutex_);
        wake_ = true;
    }
    woken_.notify_one();
}

void TKeyReleaseWatcher::Execute() {
    while (!Terminated()) {
        {
            std::unique_lock<std::mutex> lock(mutex_);
            woken_.wait(lock, [this] { return wake_; });
            wake_ = false;
        }
        while (!Terminated() && repeats_.Observe(::GetTickCount())) Sleep(kLookInterval);
    }
}
