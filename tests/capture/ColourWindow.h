#pragma once
// A top-level window painted in four quadrants of pure colours (red, green / blue, white),
// which survive any display depth unchanged, kept above the others.
#include <windows.h>

#include "toolkit/UniqueHandle.h"

class ColourWindow {
public:
    // `rect` is the window's outer rectangle on the screen.
    ColourWindow(const RECT& rect, DWORD style);

    HWND get() const { return window_.get(); }
    // Moves the window and waits until the screen shows it.
    void MoveTo(int left, int top);
    // The screen point in the middle of a quadrant (0 top-left, 1 top-right, 2 bottom-left,
    // 3 bottom-right).
    POINT Centre(int quadrant) const;
    static COLORREF Colour(int quadrant);

private:
    void WaitUntilShown();

    UniqueHwnd window_;
};
