#pragma once
// Tracks an open pop-up menu until it closes: the window gets the mouse capture and every
// key press of this thread, and a click anywhere outside it (in any program) dismisses it.
// Key presses while another program is in front are that program's: the menu leaves them.
#include <windows.h>

#include "toolbar/TTBPopupWindow.h"
#include "toolkit/UniqueHandle.h"

class TTBMenuLoop {
public:
    explicit TTBMenuLoop(TTBPopupWindow& window);
    TTBMenuLoop(const TTBMenuLoop&) = delete;
    TTBMenuLoop& operator=(const TTBMenuLoop&) = delete;
    ~TTBMenuLoop();

    // Runs until the window closes; the chosen item's index, or -1.
    int Run();
    // Ends the loop from a handler that runs inside it.
    void Dismiss() { window_.Close(-1); }

private:
    static LRESULT CALLBACK WatchMouse(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK WatchKeys(int code, WPARAM wParam, LPARAM lParam);
    // A key of the menu pressed while this program is in front: handled, and true when it
    // must go no further.
    bool TakeKey(DWORD key, bool down);
    void KeyMessage(const MSG& message);

    TTBPopupWindow& window_;
    // The menu open around this one (a menu of a command run inside this one), if any.
    TTBMenuLoop* outer_;
    int chosen_ = -1;
    bool closed_ = false;
    // The window in front when the menu opened: keys are the menu's only while it stays
    // there (a box that a command shows meanwhile gets its own keys).
    HWND front_;
    UniqueHhook mouseHook_;
    UniqueHhook keyHook_;
};
