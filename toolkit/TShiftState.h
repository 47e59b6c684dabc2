#pragma once
// The modifier keys and mouse buttons held while an input event happens.
#include <windows.h>

enum TShiftFlag : unsigned {
    ssShift = 0x01,
    ssAlt = 0x02,
    ssCtrl = 0x04,
    ssLeft = 0x08,
    ssRight = 0x10,
    ssMiddle = 0x20,
    ssDouble = 0x40,
};
using TShiftState = unsigned;

// Read from the keyboard state of the calling thread (keys and mouse buttons alike).
TShiftState KeyboardShiftState();
// From the key flags that come with a mouse message; Alt is not among them and is read
// from the keyboard state.
TShiftState MouseShiftState(WPARAM keys);
