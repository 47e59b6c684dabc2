#pragma once
// The shapes of mouse events: which button, which buttons and modifier keys were down,
// and where (in the coordinates the event names).
#include <functional>

#include "toolkit/TObject.h"

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// A set of shift keys and mouse buttons, combined with |.
enum TShiftState : unsigned {
    ssNone = 0,
    ssShift = 1 << 0,
    ssAlt = 1 << 1,
    ssCtrl = 1 << 2,
    ssLeft = 1 << 3,
    ssRight = 1 << 4,
    ssMiddle = 1 << 5,
    ssDouble = 1 << 6,
};
constexpr TShiftState operator|(TShiftState a, TShiftState b) {
    return static_cast<TShiftState>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}

using TMouseEvent = std::function<void(TObject& sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject& sender, TShiftState shift, int x, int y)>;
