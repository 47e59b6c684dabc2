#include "desktop/TTrayIconAnimate.h"

#include <chrono>

TTrayIconAnimate::TTrayIconAnimate(TFrameSink sink) : sink_(std::move(sink)) {}

TTrayIconAnimate::~TTrayIconAnimate() {
    {
        std::lock_guard lock(mutex_);
        ending_ = true;
    }
    wake_.notify_all();
    WaitFor();
}

bool TTrayIconAnimate::Begin(std::vector<UniqueHicon>& pictures, bool singleFrame) {
    Start();
    {
        std::unique_lock<std::mutex> lock(mutex_);
        // Only a parked thread may have its pictures replaced.
        parkedChanged_.wait(lock, [this] { return parked_ || ended_; });
        if (ended_) return false;
        pictures_ = std::move(pictures);
        frame_ = 0;
        running_ = true;
        singleFrame_ = singleFrame;
        woken_ = true;
    }
    wake_.notify_all();
    return true;
}

void TTrayIconAnimate::Halt() {
    std::unique_lock<std::mutex> lock(mutex_);
    running_ = false;
    // A parked thread (single frame) must look again; a sleeping one wakes on the change.
    woken_ = true;
    wake_.notify_all();
    parkedChanged_.wait(lock, [this] { return ended_ || (parked_ && !woken_); });
}

void TTrayIconAnimate::Park(std::unique_lock<std::mutex>& lock) {
    parked_ = true;
    parkedChanged_.notify_all();
    wake_.wait(lock, [this] { return woken_ || ending_; });
    woken_ = false;
    parked_ = false;
}

void TTrayIconAnimate::Execute() {
    std::unique_lock<std::mutex> lock(mutex_);
    // However the loop is left, a failure included, Begin and Halt must not wait for it.
    struct Ending {
        TTrayIconAnimate& self;
        ~Ending() {
            self.ended_ = true;
            self.parkedChanged_.notify_all();
        }
    } ending{*this};
    Park(lock);
    while (!ending_) {
        if (!running_ || pictures_.empty()) {
            frame_ = 0;
            Park(lock);
            continue;
        }
        if (frame_ >= pictures_.size()) frame_ = 0;
        // Sent while the lock is held: Halt cannot return between the decision to show a
        // picture and its arrival at the shell.
        sink_.show(pictures_[frame_].get());
        frame_ = (frame_ + 1) % pictures_.size();
        if (singleFrame_) {
            Park(lock);
        } else {
            wake_.wait_for(lock, std::chrono::milliseconds(sink_.milliseconds()),
                           [this] { return ending_ || !running_; });
        }
    }
}
