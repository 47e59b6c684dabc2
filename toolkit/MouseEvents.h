#pragma once
// The shapes of mouse events: which button, which buttons and modifier keys were down,
// and where (in the coordinates the event names).
#include <functional>

#include "toolkit/TObject.h"
#include "toolkit/TShiftState.h"

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

using TMouseEvent = std::function<void(TObject& sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject& sender, TShiftState shift, int x, int y)>;
