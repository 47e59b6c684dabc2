#pragma once
// Waits out the double-click time (plus 50 ms) after a left-button release, so that a
// click can be told from the first half of a double click. Its end is reported on the
// user-interface thread through OnTerminate, and it frees itself then.
#include "toolkit/TThread.h"

class TSingleClick : public TThread {
public:
    TSingleClick();
    ~TSingleClick() override;

protected:
    void Execute() override;
};
