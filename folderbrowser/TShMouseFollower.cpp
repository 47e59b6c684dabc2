#include "folderbrowser/TShMouseFollower.h"

#include <windowsx.h>

#include <cstdlib>
#include <utility>

#include "folderbrowser/TShDropSource.h"

bool TShMouseFollower::Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                               const std::function<LRESULT()>& handle, LRESULT& result) {
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN: {
            const bool left = message == WM_LBUTTONDOWN;
            const int pressed = left ? msLeftPress : msRightPress;
            press_ = at;
            state_ = handlers_.pressItem(at) ? pressed : msNone;
            result = handle();
            // Released while the control followed the press: the press is over.
            if (state_ == pressed && ::GetKeyState(left ? VK_LBUTTON : VK_RBUTTON) >= 0) state_ = msNone;
            if (state_ == msLeftPress && ::GetCapture() != window) ::SetCapture(window);
            return true;
        }
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            result = handle();
            if (state_ == (message == WM_LBUTTONUP ? msLeftPress : msRightPress)) state_ = msNone;
            if (message == WM_LBUTTONUP && ::GetCapture() == window) ::ReleaseCapture();
            return true;
        case WM_MOUSEMOVE:
            if (state_ == msLeftPress && (wParam & MK_LBUTTON) && BeyondDragThreshold(press_, at)) {
                if (::GetCapture() == window) ::ReleaseCapture();
                state_ = msDragging;
                struct Over {
                    int& state;
                    ~Over() { state = msNone; }
                } over{state_};
                handlers_.drag(at);
            }
            return false;
        case WM_CONTEXTMENU: {
            // Only the request that follows a right press on an item: not empty space, not
            // the keyboard's.
            if (std::exchange(state_, msNone) != msRightPress) return false;
            POINT screen = press_;
            ::ClientToScreen(window, &screen);
            if (lParam != -1) screen = at;
            handlers_.contextMenu(screen);
            result = 0;
            return true;
        }
        default:
            return false;
    }
}

void TShMouseFollower::DragNoticed(HWND window) {
    POINT at{};
    ::GetCursorPos(&at);
    ::ScreenToClient(window, &at);
    LRESULT ignored = 0;
    Message(
        window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(at.x, at.y), [] { return LRESULT(0); }, ignored);
}
