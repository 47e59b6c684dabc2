#pragma once
// The animation thread of a tray icon. It is made parked and parks whenever it has nothing
// to do; woken while its icon animates, it shows the pictures in turn, one every
// AnimateRate milliseconds (or one picture and parks again, in single-frame mode).
//
// It knows nothing of the icon: it shows each picture through the frame sink it is given.
#include <condition_variable>
#include <functional>
#include <mutex>
#include <vector>

#include "toolkit/TReleasedMutex.h"
#include "toolkit/TThread.h"
#include "toolkit/UniqueHandle.h"

// Where the pictures go, called on the animation thread: `show` puts a picture in the
// notification area, `milliseconds` says how long each stays (read before each wait, so a
// change applies from the next picture on).
struct TFrameSink {
    std::function<void(HICON picture)> show;
    std::function<int()> milliseconds;
};

class TTrayIconAnimate : public TThread {
public:
    explicit TTrayIconAnimate(TFrameSink sink);
    // Tells the thread to end, wakes it and waits for it.
    ~TTrayIconAnimate() override;

    // Begins with the first of these pictures (the thread keeps its own copies). False, with
    // the pictures left to the caller, when the thread has ended (a failure): it runs no
    // more, and the owner makes another.
    bool Begin(std::vector<UniqueHicon>& pictures, bool singleFrame);
    // Returns once the thread is parked or has ended: from then on it sends no picture
    // until the next Begin. A thread sleeping between two pictures is woken at once.
    void Halt();

protected:
    void Execute() override;

private:
    void Park(std::unique_lock<std::mutex>& lock);

    TFrameSink sink_;
    TMutex mutex_;
    std::condition_variable wake_;
    std::condition_variable parkedChanged_;
    std::vector<UniqueHicon> pictures_;
    size_t frame_ = 0;
    bool running_ = false;  // between Begin and Halt
    bool singleFrame_ = false;
    bool woken_ = false;
    bool parked_ = false;
    bool ending_ = false;
    bool ended_ = false;  // Execute has been left, whichever way
};
