#include "toolkit/TThread.h"

#include <map>
#include <memory>

#include "toolkit/TUtilityWindow.h"

namespace {
constexpr UINT kThreadEnded = WM_APP + 1;
}  // namespace

// The hand-off from worker threads to the user-interface thread: a worker posts its number
// to this window when it ends. Threads are found by number, not by address, so a notice
// from a thread that was deleted in the meantime (or whose address was reused) is dropped.
class ThreadEndNotices {
public:
    static ThreadEndNotices& Instance() {
        // Made on the first Start, which happens on the user-interface thread; it lives
        // for the rest of the run.
        static ThreadEndNotices* notices = new ThreadEndNotices();
        return *notices;
    }

    unsigned Add(TThread* thread) {
        unsigned id = ++lastId_;
        live_[id] = thread;
        return id;
    }
    void Remove(unsigned id) { live_.erase(id); }
    void Post(unsigned id) { ::PostMessageA(window_.Handle(), kThreadEnded, id, 0); }

private:
    ThreadEndNotices()
        : window_([this](UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
              if (message != kThreadEnded) return ::DefWindowProcA(window_.Handle(), message, wParam, lParam);
              auto found = live_.find(static_cast<unsigned>(wParam));
              if (found != live_.end()) {
                  TThread* thread = found->second;
                  live_.erase(found);
                  thread->Ended();
              }
              return 0;
          }) {}

    std::map<unsigned, TThread*> live_;
    unsigned lastId_ = 0;
    TUtilityWindow window_;
};

TThread::TThread() = default;

TThread::~TThread() {
    if (id_) ThreadEndNotices::Instance().Remove(id_);
    if (thread_.joinable()) {
        Terminate();
        thread_.join();
    }
}

void TThread::Start() {
    if (thread_.joinable()) return;
    id_ = ThreadEndNotices::Instance().Add(this);
    thread_ = std::thread([this] { Run(); });
}

void TThread::Run() {
    try {
        Execute();
    } catch (...) {
        // A worker has nobody to report to; its end is still announced.
    }
    ThreadEndNotices::Instance().Post(id_);
}

void TThread::Ended() {
    id_ = 0;
    if (thread_.joinable()) thread_.join();
    // Deleted even when the handler throws; the error then reaches the error box.
    std::unique_ptr<TThread> owned(FreeOnTerminate ? this : nullptr);
    Raise(OnTerminate, *this);
}

void TThread::Terminate() {
    {
        std::lock_guard lock(sleepMutex_);
        terminated_ = true;
    }
    sleepWake_.notify_all();
}

void TThread::WaitFor() {
    if (thread_.joinable()) thread_.join();
}

bool TThread::Sleep(DWORD milliseconds) {
    std::unique_lock lock(sleepMutex_);
    return sleepWake_.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return terminated_.load(); });
}
