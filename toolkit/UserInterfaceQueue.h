#pragma once
// The one way from other threads to the user-interface thread: work posted here runs there,
// between messages, in the order it was posted. The queue belongs to the thread that first
// asks for it, which must be the user-interface thread; the application object and
// TThread::Start ask for it there.
#include <windows.h>

#include <deque>
#include <functional>
#include <mutex>

#include "toolkit/TReleasedMutex.h"
#include "toolkit/TUtilityWindow.h"

class UserInterfaceQueue {
public:
    static UserInterfaceQueue& Instance();

    // From any thread; returns at once. An error the work throws is shown in the
    // application's error box, and the work after it still runs.
    void Post(std::function<void()> work);
    // Whether the calling thread is the user-interface thread, the queue's.
    bool OnItsThread() const;

private:
    UserInterfaceQueue();
    void RunPosted();

    TMutex mutex_;
    std::deque<std::function<void()>> work_;
    bool wakePosted_ = false;
    TUtilityWindow window_;
};
