#pragma once
// A worker thread whose end is reported on the user-interface thread: when Execute returns,
// OnTerminate runs there (between other messages), and a thread marked FreeOnTerminate is
// deleted right after. Start must be called on the user-interface thread.
//
// A derived class must stop its thread in its own destructor (Terminate, wake whatever
// Execute waits on, WaitFor): by the time this base destructor runs, the derived members
// that Execute uses are gone.
#include <windows.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "toolkit/TObject.h"

class TThread : public TObject {
public:
    TThread();
    // Stops a thread still running (Terminate, then WaitFor); its end is then not reported.
    ~TThread() override;

    void Start();
    // Asks Execute to end: Terminated() turns true and Sleep returns at once.
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Waits until Execute has returned. Must not be called on the thread itself.
    void WaitFor();
    bool Running() const { return thread_.joinable(); }

    bool FreeOnTerminate = false;
    TNotifyEvent OnTerminate;

protected:
    virtual void Execute() = 0;
    // Sleeps up to the given time; returns early (true) when Terminate is called.
    bool Sleep(DWORD milliseconds);

private:
    friend class ThreadEndNotices;
    void Run();
    void Ended();

    std::thread thread_;
    std::atomic<bool> terminated_{false};
    std::mutex sleepMutex_;
    std::condition_variable sleepWake_;
    unsigned id_ = 0;
};
