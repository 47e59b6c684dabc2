#include "toolkit/TThread.h"

#include <map>
#include <memory>
#include <utility>

#include "toolkit/CallbackErrors.h"
#include "toolkit/EOSError.h"
#include "toolkit/UserInterfaceQueue.h"

// Live threads by number, used on the user-interface thread only. What a worker posts there
// names its thread by number, not by address, so a notice for a thread that was deleted in
// the meantime (or whose address was reused) is dropped.
class ThreadRegister {
public:
    static unsigned Add(TThread* thread) {
        unsigned id = ++lastId_;
        live_[id] = thread;
        return id;
    }
    static void Remove(unsigned id) { live_.erase(id); }
    static TThread* Find(unsigned id) {
        auto found = live_.find(id);
        return found == live_.end() ? nullptr : found->second;
    }

private:
    static inline std::map<unsigned, TThread*> live_;
    static inline unsigned lastId_ = 0;
};

// A synchronised call, on the worker's stack while it waits.
struct TThread::Call {
    const std::function<void()>& work;
    bool taken = false;
    bool done = false;
    std::exception_ptr error;
};

TThread::TThread() : ended_(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) { ThrowLastErrorIf(!ended_); }

TThread::~TThread() {
    if (id_) ThreadRegister::Remove(id_);
    if (thread_.joinable()) {
        Terminate();
        thread_.join();
    }
}

void TThread::Start() {
    if (started_) return;
    UserInterfaceQueue::Instance();  // made here, on the user-interface thread
    id_ = ThreadRegister::Add(this);
    try {
        thread_ = std::thread([this] { Run(); });
    } catch (...) {
        ThreadRegister::Remove(std::exchange(id_, 0));
        throw;
    }
    started_ = true;
}

void TThread::Run() {
    try {
        Execute();
    } catch (...) {
        ReportError(std::current_exception());
    }
    const unsigned id = id_;
    ::SetEvent(ended_.get());
    try {
        UserInterfaceQueue::Instance().Post([id] {
            if (TThread* thread = ThreadRegister::Find(id)) thread->Ended();
        });
    } catch (...) {
        // Out of memory: the end goes unreported, and the owner still deletes the thread.
    }
}

void TThread::Ended() {
    ThreadRegister::Remove(id_);
    id_ = 0;
    if (thread_.joinable()) thread_.join();
    // Deleted even when the handler throws; the error then reaches the error box.
    std::unique_ptr<TThread> owned(FreeOnTerminate ? this : nullptr);
    Raise(OnTerminate, *this);
}

void TThread::Terminate() {
    {
        std::lock_guard lock(mutex_);
        terminated_ = true;
    }
    changed_.notify_all();
}

void TThread::WaitFor() {
    {
        std::lock_guard lock(mutex_);
        ownerWaits_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable()) thread_.join();
    std::lock_guard lock(mutex_);
    ownerWaits_ = false;
}

bool TThread::Sleep(DWORD milliseconds) {
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return terminated_.load(); });
}

bool TThread::Synchronize(const std::function<void()>& work) {
    Call call{work};
    std::unique_lock<std::mutex> lock(mutex_);
    if (terminated_ || ownerWaits_) return false;
    call_ = &call;
    const unsigned id = id_;
    UserInterfaceQueue::Instance().Post([id] {
        if (TThread* thread = ThreadRegister::Find(id)) thread->RunSynchronized();
    });
    // Work already running is waited for: it may use what this call lent it.
    changed_.wait(lock, [&] { return call.done || (!call.taken && (terminated_ || ownerWaits_)); });
    call_ = nullptr;
    if (!call.done) return false;
    if (call.error) std::rethrow_exception(call.error);
    return true;
}

void TThread::RunSynchronized() {
    Call* call;
    {
        std::lock_guard lock(mutex_);
        call = call_;
        if (!call || call->taken) return;
        call->taken = true;
    }
    try {
        call->work();
    } catch (...) {
        call->error = std::current_exception();
    }
    {
        std::lock_guard lock(mutex_);
        call->done = true;
    }
    changed_.notify_all();
}
