#include "toolkit/UserInterfaceQueue.h"

#include "toolkit/MessageBoxes.h"

namespace {
constexpr UINT kRunPosted = WM_APP + 1;
}  // namespace

UserInterfaceQueue& UserInterfaceQueue::Instance() {
    // Lives for the rest of the run: threads may post to it until the very end.
    static UserInterfaceQueue* queue = new UserInterfaceQueue();
    return *queue;
}

UserInterfaceQueue::UserInterfaceQueue()
    : window_([this](UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
          if (message != kRunPosted) return ::DefWindowProcA(window_.Handle(), message, wParam, lParam);
          RunPosted();
          return 0;
      }) {}

bool UserInterfaceQueue::OnItsThread() const {
    return ::GetWindowThreadProcessId(window_.Handle(), nullptr) == ::GetCurrentThreadId();
}

void UserInterfaceQueue::Post(std::function<void()> work) {
    std::lock_guard lock(mutex_);
    work_.push_back(std::move(work));
    // One wake-up message stands for everything queued until it is handled.
    if (!wakePosted_) wakePosted_ = ::PostMessageA(window_.Handle(), kRunPosted, 0, 0) != FALSE;
}

void UserInterfaceQueue::RunPosted() {
    for (;;) {
        std::function<void()> work;
        {
            std::lock_guard lock(mutex_);
            // Work posted from now on needs a wake-up of its own: what runs here may show a
            // box, whose message loop then comes back in for it.
            wakePosted_ = false;
            if (work_.empty()) return;
            work = std::move(work_.front());
            work_.pop_front();
        }
        try {
            work();
        } catch (...) {
            MessageBoxes::ApplicationError(std::current_exception());
        }
    }
}
