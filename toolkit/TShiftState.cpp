#include "toolkit/TShiftState.h"

namespace {
bool Down(int key) { return (::GetKeyState(key) & 0x8000) != 0; }
}  // namespace

TShiftState KeyboardShiftState() {
    TShiftState shift = 0;
    if (Down(VK_SHIFT)) shift |= ssShift;
    if (Down(VK_MENU)) shift |= ssAlt;
    if (Down(VK_CONTROL)) shift |= ssCtrl;
    if (Down(VK_LBUTTON)) shift |= ssLeft;
    if (Down(VK_RBUTTON)) shift |= ssRight;
    if (Down(VK_MBUTTON)) shift |= ssMiddle;
    return shift;
}

TShiftState MouseShiftState(WPARAM keys) {
    TShiftState shift = 0;
    if (keys & MK_SHIFT) shift |= ssShift;
    if (Down(VK_MENU)) shift |= ssAlt;
    if (keys & MK_CONTROL) shift |= ssCtrl;
    if (keys & MK_LBUTTON) shift |= ssLeft;
    if (keys & MK_RBUTTON) shift |= ssRight;
    if (keys & MK_MBUTTON) shift |= ssMiddle;
    return shift;
}
