#pragma once
// Pictures a test can find again: icons of one colour, and where a colour shows on the
// X display.
#include <windows.h>

#include <string>

// A 32 x 32 icon filled with one colour, owned by the caller.
HICON MakeSolidIcon(COLORREF colour);
// The colour of the icon's middle pixel (CLR_INVALID for no icon).
COLORREF IconCentre(HICON icon);
// The bounding box of every pixel of the colour ("#RRGGBB") in a screenshot of the X
// display; empty when the colour is nowhere. PICTAVO_KEEP_SHOTS names a file to keep the
// screenshot in.
RECT FindColourOnScreen(const std::string& colour);
// An xdotool command line that moves the pointer to the point and clicks the left button.
std::string ClickAt(int x, int y);
