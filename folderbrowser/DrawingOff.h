#pragma once
// A window is not drawn while this lives (what it shows changes in many steps), and is
// drawn anew afterwards, however the change ends.
#include <windows.h>

class DrawingOff {
public:
    explicit DrawingOff(HWND window) : window_(window) { ::SendMessageA(window_, WM_SETREDRAW, FALSE, 0); }
    ~DrawingOff() {
        ::SendMessageA(window_, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(window_, nullptr, TRUE);
    }
    DrawingOff(const DrawingOff&) = delete;
    DrawingOff& operator=(const DrawingOff&) = delete;

private:
    HWND window_;
};
