#pragma once
// The folders selected in the tree, for going back and forth: the back list holds the latest
// selections, the newest last and at most nine of them; a new selection clears the forward
// list.
#include <deque>
#include <vector>

#include "folderbrowser/TKeshShID.h"

class TShSelectionHistory {
public:
    static constexpr int kBackLimit = 9;

    void Record(LPCITEMIDLIST folder);
    const std::deque<TShIDList>& Back() const { return back_; }
    const std::vector<TShIDList>& Forward() const { return forward_; }

private:
    std::deque<TShIDList> back_;
    std::vector<TShIDList> forward_;
};
