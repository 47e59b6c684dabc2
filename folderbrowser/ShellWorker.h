#pragma once
// A short worker thread for shell work whose result its starter waits for (Finish): the work
// runs in a COM apartment of its own, so it binds its own folders and touches no object of
// the user-interface thread. It is made and started on the user-interface thread, which
// sets the shell module up there first: a worker never does.
//
// Each worker says what its errors are. An optional one (a speed-up: the saved folder read
// ahead, icons looked up ahead, a second sorter) fails quietly and its starter takes the
// plain path; any other error reaches the application's error box, as for every thread.
#include <functional>
#include <memory>

#include "toolkit/TThread.h"

class ShellWorker : public TThread {
public:
    enum class Errors { fallBack, report };

    // The worker, started; null when no thread could be started (then an optional work is
    // simply not done, and any other fails with the system's text).
    static std::unique_ptr<ShellWorker> Launch(std::function<void()> work, Errors errors);
    ~ShellWorker() override;

    // Waits for the work; true when it ran to its end without an error.
    bool Finish();

protected:
    void Execute() override;

private:
    ShellWorker(std::function<void()> work, Errors errors);

    std::function<void()> work_;
    const Errors errors_;
    bool done_ = false;
};
