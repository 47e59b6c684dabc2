#pragma once
// The desktop compositor of Windows (always on from Windows 8): a window's bounds as the
// screen shows it, and a wait for the screen to show what the windows have drawn. Where no
// compositor runs (Wine, Windows 7 without it), neither is known and both give way.
#include <windows.h>

#include <functional>

class Compositor {
public:
    // The window's visible bounds on the screen, frame included, without the invisible
    // resize borders that GetWindowRect counts in. In the display's own pixels, even for a
    // thread that is not DPI-aware. False where the compositor does not know them.
    static bool VisibleBounds(HWND window, RECT& bounds);
    // Returns once the compositor has put on the screen what the windows have drawn so far;
    // at once without a compositor.
    static void Flush();
    // Whether the compositor keeps the window from the screen although it counts as visible
    // (Windows 8 and later do so with the windows of suspended apps).
    static bool Cloaked(HWND window);

    using BoundsFunction = std::function<bool(HWND window, RECT& bounds)>;
    // Every question for a window's visible bounds passes through here; the previous
    // function is returned. Tests stand in for a compositor this way; empty asks the
    // system again.
    static BoundsFunction SetBoundsSource(BoundsFunction function);
};
