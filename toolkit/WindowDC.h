#pragma once
// A device context taken with GetDC or GetWindowDC. It keeps the window it was taken
// from, because ReleaseDC needs that same window.
#include <windows.h>

class WindowDC {
public:
    enum class Area { Client, WholeWindow };

    // A null window gives the device context of the entire screen.
    explicit WindowDC(HWND window, Area area = Area::Client);
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC();

    HDC get() const { return dc_; }
    HWND window() const { return window_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};
