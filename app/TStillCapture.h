#pragma once
// The still capture: a command records what is wanted and starts the one-shot timer; the
// tick hides the main window, raises the window to capture, finds the free name and writes
// the still. It also keeps the window the user was last seen in, which an active-window
// still takes.
#include <windows.h>

#include "app/TCaptureSettings.h"
#include "toolkit/TForm.h"
#include "toolkit/TTimer.h"

// The pending still.
enum TCaptureKind { ckNone = 0, ckWholeScreen = 1, ckActiveWindow = 2 };

class TStillCapture {
public:
    // `mainWindow` is hidden for the grab and owns what the grab makes; `trigger` is its
    // one-shot timer, whose tick runs Take.
    TStillCapture(TForm& mainWindow, TTimer& trigger, const TCaptureSettings& settings);

    TCaptureKind PendingKind() const { return kind_; }
    // Nothing pending (the timer handler does not reset the kind: a tick takes it again).
    void ClearPending() { kind_ = ckNone; }
    // A capture command; a second one before the tick replaces the first. For an active
    // window the window is chosen now: `seenInFront` is the one in front when a key asked
    // for the still (none from the menu), and the remembered window follows.
    void Request(TCaptureKind kind, HWND seenInFront = nullptr);
    // The tick: takes the pending still once. Every failure is told in a box.
    void Take();

    // The window an active-window still takes.
    HWND LastActiveWindow() const { return lastActiveWindow_; }
    // A window seen in front; kept when the user can work in it (not a window of this
    // program, the taskbar or nothing), and no still is pending.
    void RememberUserWindow(HWND window);

private:
    TForm& mainWindow_;
    TTimer& trigger_;
    const TCaptureSettings& settings_;
    TCaptureKind kind_ = ckNone;
    HWND lastActiveWindow_ = nullptr;
    // From the command to the end of the tick the chosen window stays: hiding the main
    // window makes the system activate some other window (under Wine the topmost, not the
    // one the user was in), which the watcher would otherwise report in its place.
    bool pending_ = false;
    // A still is being taken: its wait for the screen runs the messages that come, a
    // second command among them, which is taken once this one is written (`again_`).
    bool taking_ = false;
    bool again_ = false;
};
