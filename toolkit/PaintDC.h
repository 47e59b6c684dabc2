#pragma once
// BeginPaint/EndPaint pair for a WM_PAINT handler.
#include <windows.h>

class PaintDC {
public:
    explicit PaintDC(HWND window) : window_(window) { ::BeginPaint(window_, &paint_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    ~PaintDC() { ::EndPaint(window_, &paint_); }

    HDC get() const { return paint_.hdc; }
    const RECT& dirty() const { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
};
