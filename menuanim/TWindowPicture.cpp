#include "menuanim/TWindowPicture.h"

namespace {
RECT OuterRect(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return r;
}
}  // namespace

TWindowPicture::TWindowPicture(HWND window) : TWindowPicture(window, OuterRect(window)) {}

TWindowPicture::TWindowPicture(HWND window, const RECT& outer)
    : window_(window),
      width_(outer.right - outer.left),
      height_(outer.bottom - outer.top),
      windowDc_(window),
      bitmap_(::CreateCompatibleBitmap(windowDc_.get(), width_, height_)),
      memoryDc_(::CreateCompatibleDC(windowDc_.get())),
      selection_(memoryDc_.get(), bitmap_.get()) {
    ::SendMessageA(window, WM_PRINT, reinterpret_cast<WPARAM>(memoryDc_.get()),
                   PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
}

void TWindowPicture::CopyTo(int x, int y) const {
    ::BitBlt(windowDc_.get(), x, y, width_, height_, memoryDc_.get(), 0, 0, SRCCOPY);
}

void TWindowPicture::Blend(UpdateLayeredFunction update, int alpha) const {
    RECT outer = OuterRect(window_);
    POINT position{outer.left, outer.top};
    SIZE size{width_, height_};
    POINT source{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(alpha), 0};
    update(window_, nullptr, &position, &size, memoryDc_.get(), &source, 0, &blend, ULW_ALPHA);
}
