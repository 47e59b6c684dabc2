#pragma once
// Moves the real pointer and presses real mouse buttons through SendInput, so controls get
// their input the way a user's hand gives it (enter and leave tracking included).
#include <windows.h>

#include <functional>

// One input at a screen point, with the button flags given (0 only moves); from any thread.
// Returns at once: the system takes the input later.
void SendPointerInput(POINT at, DWORD buttons = 0);
// Whether the pointer is at the screen point.
bool PointerAt(POINT at);

// The rest runs on the user-interface thread and handles its messages while it waits.
// Puts the pointer out of the way, at the screen's top-left corner.
void ParkPointer();
// Puts the pointer at client coordinates of a window.
void MovePointer(HWND window, int x, int y);
// Waits until the condition has held for a while. Inside Wine's virtual desktop a move
// may be followed by a late report of the previous position, which leaves the pointer
// there: the pointer is put back where it was sent for as long as the condition fails.
bool SettleOn(const std::function<bool()>& condition);
// Left button down and up at the position the pointer was last sent to.
void PressLeft();
void ReleaseLeft();
