#pragma once
// A bar between two controls side by side, which the user drags to share their width: the
// control before the bar grows by what the one after it loses, and neither gets narrower
// than MinSize. Beveled, the bar is drawn raised.
#include "toolkit/TCustomControl.h"

class TSplitter : public TCustomControl {
public:
    explicit TSplitter(TComponent* owner);

    // The controls left and right of the bar; the bar takes its place between them, as
    // tall as the one before it.
    void SetControls(TWinControl* before, TWinControl* after);
    void SetBeveled(bool value);
    void SetMinSize(int value) { minSize_ = value; }

    // Moves the bar's left edge (in its parent's coordinates) as a drag there would.
    void MoveTo(int left);

    TNotifyEvent OnMoved;

protected:
    void Paint(HDC dc) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Notification(TComponent& component, TOperation operation) override;

private:
    TWinControl* before_ = nullptr;
    TWinControl* after_ = nullptr;
    bool beveled_ = false;
    int minSize_ = 30;
    // Where in the bar the button went down; -1 while no drag is on.
    int grip_ = -1;
};
