#pragma once
// Looks at the keys of the hotkeys held, every few milliseconds until each is released,
// on a thread of its own: the user-interface thread may be busy (a still being written)
// while the user lets a key go and presses it again. Sleeps while no key is held.
#include <condition_variable>

#include "desktop/TKeyRepeat.h"
#include "toolkit/TThread.h"

class TKeyReleaseWatcher : public TThread {
public:
    explicit TKeyReleaseWatcher(TKeyRepeat& repeats);
    ~TKeyReleaseWatcher() override;

    // A press began: look until every press is released.
    void Wake();

protected:
    void Execute() override;

private:
    TKeyRepeat& repeats_;
    TMutex mutex_;
    std::condition_variable woken_;
    bool wake_ = false;
};
