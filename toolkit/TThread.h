#pragma once
// A worker thread whose end is reported on the user-interface thread: when Execute returns,
// OnTerminate runs there (between other messages), and a thread marked FreeOnTerminate is
// deleted right after. Start must be called on the user-interface thread.
//
// Errors: an exception that leaves Execute is shown in the application's error box on the
// user-interface thread (also when the thread object is gone by then); the thread's end is
// reported as for any other end. A derived class whose owner waits on something the thread
// sets (a flag, an event) sets it on every way out of Execute, errors included, so that no
// owner waits for a thread that failed.
//
// A derived class must stop its thread in its own destructor (Terminate, wake whatever
// Execute waits on, WaitFor): by the time this base destructor runs, the derived members
// that Execute uses are gone.
//
// A thread object runs once. Its life in three words that never mean one another:
// Started (Start was called), HasEnded (Execute has been left, whichever way; reported or
// not), and, between the two, running. A thread whose end has not been reported yet can
// still be joined, but it runs no longer: a wait on something the thread sets must also
// wait on EndedEvent, or it can wait forever.
#include <windows.h>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "toolkit/TObject.h"
#include "toolkit/TReleasedMutex.h"
#include "toolkit/UniqueHandle.h"

class TThread : public TObject {
public:
    TThread();
    // Stops a thread still running (Terminate, then WaitFor); its end is then not reported.
    ~TThread() override;

    // Starts the thread; once started, a thread object is never started again.
    void Start();
    // Asks Execute to end: Terminated() turns true, Sleep returns at once and Synchronize
    // gives up.
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Waits until Execute has returned. Must not be called on the thread itself, nor from
    // work the thread synchronises.
    void WaitFor();
    bool Started() const { return started_; }
    // Execute has returned or failed (its end may not have been reported yet). Set once,
    // never reset.
    bool HasEnded() const { return ::WaitForSingleObject(ended_.get(), 0) == WAIT_OBJECT_0; }
    // A manual-reset event set when the thread has ended, for waits on other events too.
    HANDLE EndedEvent() const { return ended_.get(); }

    bool FreeOnTerminate = false;
    TNotifyEvent OnTerminate;

protected:
    virtual void Execute() = 0;
    // Sleeps up to the given time; returns early (true) when Terminate is called.
    bool Sleep(DWORD milliseconds);
    // Runs the work on the user-interface thread and waits until it has run there; an error
    // it throws is thrown again here. Returns false, without running it, once the owner has
    // called Terminate or WaitFor: the thread is never left waiting for an owner that is
    // stopping it.
    bool Synchronize(const std::function<void()>& work);

private:
    struct Call;
    friend class ThreadRegister;
    void Run();
    void Ended();
    void RunSynchronized();

    std::thread thread_;
    std::atomic<bool> terminated_{false};
    bool started_ = false;
    UniqueKernelHandle ended_;
    TMutex mutex_;
    std::condition_variable changed_;
    bool ownerWaits_ = false;
    Call* call_ = nullptr;
    unsigned id_ = 0;
};
