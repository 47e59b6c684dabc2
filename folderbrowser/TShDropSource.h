#pragma once
// Dragging shell items out of a control with OLE drag and drop.
#include <windows.h>

#include <functional>

#include "folderbrowser/TKeshShIDList.h"

// A press turns into a drag once the pointer is more than this many pixels away from it,
// across or down.
constexpr int kDragThreshold = 5;
bool BeyondDragThreshold(POINT press, POINT now);

// Drags the items out of a control, the pointer having left the press at a client point:
// when they can be dragged at all and `permit` (the control's OnShBeginDrag, given the
// point on the screen) lets them. The left button holds the drag.
void DragOutOf(HWND window, TKeshShIDList& items, POINT client, const std::function<bool(POINT screen)>& permit);
