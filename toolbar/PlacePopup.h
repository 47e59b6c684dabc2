#pragma once
// Where a pop-up menu opened at a point goes: its top-left corner at the point, flipped to
// the left of or above the point where it would leave the area, and pushed back inside the
// area when it fits on neither side.
#include <windows.h>

RECT PlacePopup(POINT at, SIZE size, const RECT& area);

// The area a menu opened at the point must stay in: the work area of the monitor nearest to
// it. A tray menu is opened at a point on the taskbar, and goes above it (or below, beside
// it), never over it.
RECT MonitorAreaAt(POINT at);
