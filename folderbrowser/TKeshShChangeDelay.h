#pragma once
// Defers the tree's reaction to a selection that the arrow keys move: a scheduled node is
// delivered on the user-interface thread once DelayTime milliseconds pass without a newer
// schedule. Runs from its creation.
#include <functional>

#include "folderbrowser/TShThread.h"

class TKeshShTreeNode;
class TKeshShChangeDelay;

// (delay thread, pending node): the receiver takes the node and clears the reference.
using TShChangeDelayEvent = std::function<void(TKeshShChangeDelay& delay, TKeshShTreeNode*& pendingNode)>;

class TKeshShChangeDelay : public TShThread {
public:
    TKeshShChangeDelay(TNotifyEvent onTerminate, TShChangeDelayEvent onDeliver);
    ~TKeshShChangeDelay() override;

    // Replaces the pending node (deleting it when it was owned) and restarts the delay.
    void Schedule(TKeshShTreeNode* node, DWORD delay, bool owns);
    // The node waiting for delivery, or null.
    TKeshShTreeNode* PendingNode();

    DWORD DelayTime() const { return delayTime_; }

    void Stop() override;

protected:
    void Execute() override;

private:
    void Drop();
    void Deliver(unsigned schedule);

    TKeshShTreeNode* pendingNode_ = nullptr;
    DWORD delayTime_ = 500;
    bool ownsNode_ = false;
    unsigned schedules_ = 0;  // counts schedules, so a delivery never takes a newer node early
    TShChangeDelayEvent onDeliver_;
};
