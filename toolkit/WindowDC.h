#pragma once
// A device context taken with GetDC or GetWindowDC. It keeps the window it was taken
// from, because ReleaseDC needs that same window. It can be moved (returned from a
// function); the one it was moved from is empty and releases nothing.
#include <windows.h>

class WindowDC {
public:
    enum class Area { Client, WholeWindow };

    // A null window gives the device context of the entire screen.
    explicit WindowDC(HWND window, Area area = Area::Client);
    WindowDC(WindowDC&& other) noexcept;
    WindowDC& operator=(WindowDC&& other) noexcept;
    ~WindowDC();

    HDC get() const { return dc_; }
    HWND window() const { return window_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    void Release();

    HWND window_;
    HDC dc_;
};
