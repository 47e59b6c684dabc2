#include "toolkit/WindowDC.h"

#include <utility>

WindowDC::WindowDC(HWND window, Area area)
    : window_(window), dc_(area == Area::WholeWindow ? ::GetWindowDC(window) : ::GetDC(window)) {}

WindowDC::WindowDC(WindowDC&& other) noexcept : window_(other.window_), dc_(std::exchange(other.dc_, nullptr)) {}

WindowDC& WindowDC::operator=(WindowDC&& other) noexcept {
    if (this != &other) {
        Release();
        window_ = other.window_;
        dc_ = std::exchange(other.dc_, nullptr);
    }
    return *this;
}

WindowDC::~WindowDC() { Release(); }

void WindowDC::Release() {
    if (dc_) ::ReleaseDC(window_, std::exchange(dc_, nullptr));
}
