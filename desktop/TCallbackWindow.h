#pragma once
// The one hidden window that receives the shell's notifications for every tray icon of the
// program (message 0x4C8, the icon number and the mouse message). It is a top-level window,
// so that it also hears the "TaskbarCreated" broadcast of a rebuilt notification area. It
// lives while any tray icon does, and holds the single-click threads still waiting and the
// timers of the icons that wait for the shell to take them.
//
// It knows the icons only by number: what it hears it reports through the functions it is
// given, which find the icon.
#include <functional>
#include <set>

#include "toolkit/TWinControl.h"

class TSingleClick;

class TCallbackWindow : public TWinControl {
public:
    static constexpr UINT kNotifyMessage = WM_USER + 200;

    struct Reports {
        // A mouse message on the icon of that number; false when no icon has the number.
        std::function<bool(int iconNumber, UINT mouseMessage)> notification;
        // The notification area was rebuilt (the shell restarted): every icon is gone from it.
        std::function<void()> shellRestarted;
        // The double-click time after a release has passed for the icon of that number.
        std::function<void(int iconNumber)> singleClickTimeUp;
        // Time to offer the icon of that number to the shell again.
        std::function<void(int iconNumber)> retryDue;
    };

    explicit TCallbackWindow(Reports reports);
    ~TCallbackWindow() override;

    // The number of the icon that sent the most recent notification (0 when none, or when
    // that icon is gone).
    int CurrentIcon() const { return currentIcon_; }
    void Forget(int iconNumber);

    // Starts the wait after a release; the current icon's click is decided when it ends.
    void StartSingleClick();
    size_t PendingSingleClicks() const { return singleClicks_.size(); }
    // Inside one of its handlers (an event of an icon may run there, a menu may be open):
    // the window must not be destroyed now.
    bool Busy() const { return handling_ > 0; }
    // Clicks still being timed are dropped, with their threads.
    void DropSingleClicks();

    // Reports retryDue for the icon every `interval` milliseconds until stopped.
    void StartRetries(int iconNumber, UINT interval);
    void StopRetries(int iconNumber);

protected:
    void CreateParams(TCreateParams& params) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void SingleClickEnded(TSingleClick& thread);

    Reports reports_;
    int currentIcon_ = 0;
    std::set<TSingleClick*> singleClicks_;
    UINT taskbarCreated_;
    int handling_ = 0;
};
