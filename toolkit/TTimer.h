#pragma once
// A timer component: while enabled, with an interval and a handler, OnTimer runs on the
// user-interface thread every Interval milliseconds (as a WM_TIMER of its own window).
#include "toolkit/TComponent.h"
#include "toolkit/TUtilityWindow.h"

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned milliseconds);

    // Assign through SetOnTimer so a timer without a handler holds no system timer.
    void SetOnTimer(TNotifyEvent handler);

private:
    void UpdateTimer();

    bool enabled_ = true;
    unsigned interval_ = 1000;
    TNotifyEvent onTimer_;
    TUtilityWindow window_;
};
