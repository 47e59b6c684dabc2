#pragma once
// Base of the folder browser's worker threads: a re-entrant lock for what the owner and
// the thread share, a wake event that makes the thread re-read its settings and a stop
// event that ends it, and waits that answer which of them (or what else) ended the wait.
//
// Made suspended (Start runs it). A thread that ends by itself frees its own object after
// its end has been reported (OnTerminate, on the user-interface thread); Stop turns that
// off, so a stopped thread is freed by its owner.
#include <windows.h>

#include <exception>
#include <functional>
#include <mutex>
#include <vector>

#include "toolkit/TReleasedMutex.h"
#include "toolkit/TThread.h"
#include "toolkit/UniqueHandle.h"

class TShThread : public TThread {
public:
    // What a wait answers.
    enum TWaitResult { wrSignalled = 0, wrTimeOut = 1, wrWoken = 2, wrFailed = 3, wrStopped = 4 };

    TShThread();
    ~TShThread() override;

    void Lock() { lock_.lock(); }
    void Unlock() { lock_.unlock(); }
    void Wake() { ::SetEvent(wakeEvent_.get()); }
    void ResetWake() { ::ResetEvent(wakeEvent_.get()); }

    // Ends the thread, if it runs, and waits for it; once more does nothing. Must not be
    // called on the thread itself.
    virtual void Stop();

    // A manual-reset event, not set; raises the system's error when none can be made.
    static UniqueKernelHandle ManualResetEvent();

protected:
    // Waits for wake or stop; the wake event is reset afterwards.
    TWaitResult Wait(DWORD timeout);
    // Waits for stop, wake or one of the handles; `index` is the signalled handle's. The wake
    // event is reset only when it ended the wait: a wake that comes later is kept for the next.
    TWaitResult WaitOnHandles(const std::vector<HANDLE>& handles, DWORD timeout, int& index);
    // Runs a call on the user-interface thread and waits for it; false when the thread was
    // stopped before the call could run. An error of the call is shown in the application's
    // error box there, and the thread goes on.
    bool SynchronizeCall(const std::function<void()>& call);

    TRecursiveMutex lock_;

private:
    UniqueKernelHandle wakeEvent_;
    UniqueKernelHandle stopEvent_;
};
