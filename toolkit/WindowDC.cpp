#include "toolkit/WindowDC.h"

WindowDC::WindowDC(HWND window, Area area)
    : window_(window), dc_(area == Area::WholeWindow ? ::GetWindowDC(window) : ::GetDC(window)) {}

WindowDC::~WindowDC() {
    if (dc_) ::ReleaseDC(window_, dc_);
}
