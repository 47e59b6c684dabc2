#pragma once
// Painting a system control through a bitmap in memory. The control draws into the bitmap
// once for each rectangle of what shows of it, and the bitmap goes to the screen in one
// copy. Under Wine this is much cheaper than drawing on the screen: for a display context
// Wine looks the display's depth up, three round trips to its server, at every bitmap and
// icon drawn into it; and a themed picture is stretched over its whole rectangle however
// little of it shows, so a tab control whose page covers all but its border is drawn strip
// by strip.
#include <windows.h>

#include <functional>

// Paints the window's dirty area, for a WM_PAINT handler: `draw` erases and paints the
// control into the context it is given, in client coordinates, under a clip.
void PaintBuffered(HWND window, const std::function<void(HDC)>& draw);
// Whether the window's dirty area covers most of it. Given a context, a system control draws
// everything it holds however little of it is dirty (a tree all its rows): only a paint of
// most of the control is worth the bitmap. A smaller piece is painted straight, where the
// control draws what lies in it alone.
bool DirtyCoversMost(HWND window);
