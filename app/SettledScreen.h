#pragma once
// Before a still is grabbed, the screen is let settle into what the user saw: the window
// the user was in has taken its activation back, and every window over the grabbed area has
// repainted what the program's own coming forward changed. Each program repaints on its own
// thread in its own time: on a busy machine a grab made at once catches a title bar still
// grey, or a text area erased and not yet drawn again.
#include <windows.h>

// Gives the window the foreground back, once its program has heard that this program took
// it away (a key brought the main window forward a moment ago): until then the window still
// looks active from outside, and its activation would look done before it has begun. A
// program that does not answer within a short time is not waited for. Only the program in
// front may hand the foreground on.
void ReturnForeground(HWND window);

// Waits until the thread of `activated` has made it its active window (when it is the
// foreground window), then until no visible window over `area` (screen coordinates, as
// GetWindowRect gives them) has anything left to repaint and each of their programs has
// handled its messages since, then until the compositor has shown the result. At most
// `bound` milliseconds in all; a program that does not answer within a short time is not
// waited for, and its windows are grabbed as they are.
void WaitForSettledScreen(HWND activated, const RECT& area, DWORD bound);
