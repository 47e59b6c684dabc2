#pragma once
// Which window an active-window still takes: the one the user works in. By the time the
// still is asked for, the program has brought its own hidden window forward (for the
// hotkey or the tray menu), and the foreground may have passed through the taskbar, the
// notification area or no window at all on the way.
#include <windows.h>

#include <initializer_list>

// A visible, not minimised top-level window of another program, which the user can work
// in: not the desktop, the taskbar, the notification area, a menu or a tooltip, and no
// window of this program.
bool IsUserWindow(HWND window);

// The foreground window when the user works in it; otherwise the first window of
// `seenInFront` (windows seen in front, the latest first) that the user still works in;
// otherwise the highest such window in the stacking order, leaving out windows kept above
// all others, which stay on top whoever is in front. None when no such window is left.
HWND WindowUserIsIn(std::initializer_list<HWND> seenInFront);
