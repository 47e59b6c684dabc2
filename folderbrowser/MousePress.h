#pragma once
// A mouse press on an item of the folder tree or list, as the control's MouseDownState
// records it: 0 none, 1 left button on an item, 2 right button on an item (a context menu
// may follow), 3 dragging.
#include <windows.h>

#include <functional>

enum TShMouseDownState { msNone = 0, msLeftPress = 1, msRightPress = 2, msDragging = 3 };

// Follows a button message of the control's window around the control's own handling of
// it (`handle`): the system's tree and list follow a press themselves, and may see its
// release and send the context-menu request before they return. A left press on an item
// that outlasts that takes the mouse, so every move of a possible drag comes to the
// control, however quickly the pointer leaves it; the release lets go of it.
LRESULT FollowPress(HWND window, UINT message, bool onItem, int& state, const std::function<LRESULT()>& handle);
