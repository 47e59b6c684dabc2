#pragma once
// Watches the foreground window by polling every 100 ms. It remembers the last foreground
// window that is not its owner form and reports when the owner comes to the front, when it
// loses the front, and when another window takes it.
#include <windows.h>

#include <string>

#include "toolkit/TComponent.h"
#include "toolkit/TTimer.h"

class TWinControl;

class TActiveWindow : public TComponent {
public:
    // The owner must be a windowed control (a form): its window is taken here, once.
    explicit TActiveWindow(TComponent* owner);
    ~TActiveWindow() override;

    // The last foreground window seen that was not the owner; 0 until one is seen.
    HWND ActWnd() const { return actWnd_; }
    // Its title when it was last seen, at most 255 characters.
    const std::string& ActWndText() const { return actWndText_; }

    // Starts polling. The timer belongs to the owner form.
    void StartWatch();
    // Whether the poll runs; false before StartWatch, and writing it then does nothing.
    bool Watching() const;
    void SetWatching(bool value);

    // One poll; the timer calls it every 100 ms.
    void CheckActWnd();

    TNotifyEvent OnActiveOn;
    TNotifyEvent OnActiveOff;
    TNotifyEvent OnChangeActWnd;

protected:
    void Notification(TComponent& component, TOperation operation) override;

private:
    HWND actWnd_ = nullptr;
    HWND ownerWnd_ = nullptr;
    std::string actWndText_;
    TTimer* timer_ = nullptr;
    bool started_ = false;
    HWND prevWnd_ = nullptr;
};
