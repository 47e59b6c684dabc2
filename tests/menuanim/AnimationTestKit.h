#pragma once
// What the animation tests share: a pop-up window that hands its messages to the animation
// as the framework's pop-ups do, the system's menu settings switched for one test, and a
// record of everything the animation did.
#include <windows.h>

#include <vector>

#include "menuanim/TMenuAnimation.h"
#include "toolkit/TWinControl.h"

class TestPopup : public TWinControl {
public:
    explicit TestPopup(const RECT& bounds, COLORREF colour = RGB(200, 40, 40));
    ~TestPopup() override;

    int Paints() const { return paints_; }
    int ShadowRequests() const { return shadows_; }

protected:
    void CreateParams(TCreateParams& params) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    COLORREF colour_;
    int paints_ = 0;
    int shadows_ = 0;
};

// The system's menu animation and fade for the life of the object; the previous settings
// come back afterwards.
class MenuSettings {
public:
    MenuSettings(bool animation, bool fade);
    ~MenuSettings();
    MenuSettings(const MenuSettings&) = delete;
    MenuSettings& operator=(const MenuSettings&) = delete;

private:
    BOOL animation_ = FALSE;
    BOOL fade_ = FALSE;
};

// Every change the animation makes while it lives; any running animation is completed and
// the seams are put back at its end.
class AnimationRecord {
public:
    AnimationRecord();
    ~AnimationRecord();
    AnimationRecord(const AnimationRecord&) = delete;
    AnimationRecord& operator=(const AnimationRecord&) = delete;

    const std::vector<TAnimationEvent>& Events() const { return events_; }
    std::vector<TAnimationEvent> Of(TAnimationEventKind kind) const;
    bool FinishedFor(HWND window) const;
    void Clear() { events_.clear(); }
    // Runs at each change, while it is being made.
    std::function<void(const TAnimationEvent&)> OnEvent;

private:
    std::vector<TAnimationEvent> events_;
};

// The window's region as a rectangle; empty with `has` false when it has none.
RECT RegionBox(HWND window, bool& has);
