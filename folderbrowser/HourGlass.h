#pragma once
// Shows the hourglass pointer while it lives (long enumerations, sorts and merges).
#include <windows.h>

class HourGlass {
public:
    HourGlass() : previous_(::SetCursor(::LoadCursorA(nullptr, IDC_WAIT))) {}
    ~HourGlass() { ::SetCursor(previous_); }
    HourGlass(const HourGlass&) = delete;
    HourGlass& operator=(const HourGlass&) = delete;

private:
    HCURSOR previous_;
};
