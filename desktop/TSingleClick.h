#pragma once
// Waits out the double-click time (plus 50 ms) after a left-button release, so that a
// click can be told from the first half of a double click. Its end is reported on the
// user-interface thread through OnTerminate, and it frees itself then.
#include "toolkit/TThread.h"

class TSingleClick : public TThread {
public:
    TSingleClick();
    ~TSingleClick() override;

    // How long after its release a click is decided: the system's double-click time and
    // 50 ms more.
    static DWORD Wait() { return ::GetDoubleClickTime() + 50; }

protected:
    void Execute() override;
};
