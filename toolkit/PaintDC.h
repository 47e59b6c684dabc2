#pragma once
// BeginPaint/EndPaint pair for a WM_PAINT handler. When BeginPaint fails the owner is empty
// (false, a null context) and ends nothing. It can be moved; the one it was moved from is
// empty.
#include <windows.h>

#include <utility>

class PaintDC {
public:
    explicit PaintDC(HWND window) : window_(window) { dc_ = ::BeginPaint(window_, &paint_); }
    PaintDC(PaintDC&& other) noexcept
        : window_(other.window_), paint_(other.paint_), dc_(std::exchange(other.dc_, nullptr)) {}
    PaintDC& operator=(PaintDC&& other) noexcept {
        if (this != &other) {
            End();
            window_ = other.window_;
            paint_ = other.paint_;
            dc_ = std::exchange(other.dc_, nullptr);
        }
        return *this;
    }
    ~PaintDC() { End(); }

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }
    const RECT& dirty() const { return paint_.rcPaint; }

private:
    void End() {
        if (std::exchange(dc_, nullptr)) ::EndPaint(window_, &paint_);
    }

    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_ = nullptr;
};
