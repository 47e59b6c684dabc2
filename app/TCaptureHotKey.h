#pragma once
// The main window's hotkeys: THookHotKey, which also notes the window that was in front
// when a key was pressed, before the main window is brought forward to report it. That is
// the window the user was in, even when the key came sooner than the foreground watcher's
// next poll.
#include <windows.h>

#include "desktop/THookHotKey.h"

class TCaptureHotKey : public THookHotKey {
public:
    using THookHotKey::THookHotKey;

    // The foreground window at the last press (possibly none, or no window of the user's).
    HWND ForegroundAtPress() const { return foregroundAtPress_; }

protected:
    void DoHotKey(int index) override;

private:
    HWND foregroundAtPress_ = nullptr;
};
