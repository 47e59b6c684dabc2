#include "folderbrowser/TKeshShChangeDelay.h"

#include "folderbrowser/TKeshShTreeNode.h"
#include "toolkit/CallbackErrors.h"

TKeshShChangeDelay::TKeshShChangeDelay(TNotifyEvent onTerminate, TShChangeDelayEvent onDeliver)
    : onDeliver_(std::move(onDeliver)) {
    OnTerminate = std::move(onTerminate);
    Start();
}

TKeshShChangeDelay::~TKeshShChangeDelay() {
    TKeshShChangeDelay::Stop();
    Drop();
}

void TKeshShChangeDelay::Drop() {
    if (ownsNode_) delete pendingNode_;
    pendingNode_ = nullptr;
    ownsNode_ = false;
}

void TKeshShChangeDelay::Schedule(TKeshShTreeNode* node, DWORD delay, bool owns) {
    std::lock_guard lock(lock_);
    if (node != pendingNode_) Drop();
    pendingNode_ = node;
    delayTime_ = delay;
    ownsNode_ = owns;
    ++schedules_;
    Wake();
}

TKeshShTreeNode* TKeshShChangeDelay::PendingNode() {
    std::lock_guard lock(lock_);
    return pendingNode_;
}

void TKeshShChangeDelay::Stop() {
    {
        std::lock_guard lock(lock_);
        onDeliver_ = nullptr;
    }
    TShThread::Stop();
}

void TKeshShChangeDelay::Deliver(unsigned schedule) {
    SynchronizeCall([&] {
        std::lock_guard lock(lock_);
        if (schedule != schedules_ || !pendingNode_ || !onDeliver_) return;
        // The receiver takes the node: whether it was owned is its business from now on.
        ownsNode_ = false;
        onDeliver_(*this, pendingNode_);
        pendingNode_ = nullptr;
    });
}

void TKeshShChangeDelay::Execute() {
    try {
        while (!Terminated()) {
            DWORD delay;
            unsigned schedule;
            bool pending;
            {
                std::lock_guard lock(lock_);
                pending = pendingNode_ != nullptr;
                delay = delayTime_;
                schedule = schedules_;
            }
            const TWaitResult result = Wait(pending ? delay : INFINITE);
            if (result == wrStopped) break;
            if (result == wrTimeOut && pending) Deliver(schedule);
        }
    } catch (...) {
        ReportError(std::current_exception());
    }
    std::lock_guard lock(lock_);
    Drop();
}
