#pragma once
// The one hidden window that receives the shell's notifications for every tray icon of the
// program (message 0x4C8, the icon number and the mouse message). It is a top-level window,
// so that it also hears the "TaskbarCreated" broadcast of a rebuilt notification area. It
// lives while any tray icon does, and holds the single-click threads still waiting.
#include <set>

#include "toolkit/TWinControl.h"

class TTrayIcon;
class TSingleClick;

class TCallbackWindow : public TWinControl {
public:
    static constexpr UINT kNotifyMessage = WM_USER + 200;

    TCallbackWindow();
    ~TCallbackWindow() override;

    // The icon that sent the most recent notification.
    TTrayIcon* CurrentIcon() const { return currentIcon_; }
    void Forget(TTrayIcon* icon);

    // Starts the wait after a release; the current icon's click is decided when it ends.
    void StartSingleClick();
    size_t PendingSingleClicks() const { return singleClicks_.size(); }
    // Inside one of its handlers (an event of an icon may run there, a menu may be open):
    // the window must not be destroyed now.
    bool Busy() const { return handling_ > 0; }
    // Clicks still being timed are dropped, with their threads.
    void DropSingleClicks();

protected:
    void CreateParams(TCreateParams& params) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void SingleClickEnded(TSingleClick& thread);
    void ShellRestarted();

    TTrayIcon* currentIcon_ = nullptr;
    std::set<TSingleClick*> singleClicks_;
    UINT taskbarCreated_;
    int handling_ = 0;
};
