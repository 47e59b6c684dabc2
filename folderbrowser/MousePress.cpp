#include "folderbrowser/MousePress.h"

LRESULT FollowPress(HWND window, UINT message, bool onItem, int& state, const std::function<LRESULT()>& handle) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN: {
            const bool left = message == WM_LBUTTONDOWN;
            const int pressed = left ? msLeftPress : msRightPress;
            state = onItem ? pressed : msNone;
            const LRESULT result = handle();
            // Released while the control followed the press: the press is over.
            if (state == pressed && ::GetKeyState(left ? VK_LBUTTON : VK_RBUTTON) >= 0) state = msNone;
            if (state == msLeftPress && ::GetCapture() != window) ::SetCapture(window);
            return result;
        }
        case WM_LBUTTONUP:
        case WM_RBUTTONUP: {
            const LRESULT result = handle();
            if (state == (message == WM_LBUTTONUP ? msLeftPress : msRightPress)) state = msNone;
            if (message == WM_LBUTTONUP && ::GetCapture() == window) ::ReleaseCapture();
            return result;
        }
        default:
            return handle();
    }
}
