#include "tests/capture/ColourWindow.h"

#include <gtest/gtest.h>

#include "tests/support/TestEnvironment.h"
#include "toolkit/WindowDC.h"

namespace {
const COLORREF kColours[4] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 255)};

RECT Quadrant(const RECT& client, int quadrant) {
    const int midX = client.right / 2, midY = client.bottom / 2;
    return RECT{quadrant % 2 ? midX : 0, quadrant / 2 ? midY : 0, quadrant % 2 ? client.right : midX,
                quadrant / 2 ? client.bottom : midY};
}

LRESULT CALLBACK Paint(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) return 1;
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = ::BeginPaint(window, &paint);
        RECT client;
        ::GetClientRect(window, &client);
        for (int q = 0; q < 4; ++q) {
            RECT rect = Quadrant(client, q);
            UniqueHbrush brush(::CreateSolidBrush(kColours[q]));
            ::FillRect(dc, &rect, brush.get());
        }
        ::EndPaint(window, &paint);
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

COLORREF ScreenPixel(POINT point) {
    WindowDC screen(nullptr);
    return ::GetPixel(screen.get(), point.x, point.y);
}
}  // namespace

ColourWindow::ColourWindow(const RECT& rect, DWORD style)
    : window_(::CreateWindowExA(WS_EX_TOPMOST, TestWindowClass("PictavoColourWindow", Paint), "色", style, rect.left,
                                rect.top, rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                                ::GetModuleHandleA(nullptr), nullptr)) {
    ::ShowWindow(window_.get(), SW_SHOWNORMAL);
    ::SetForegroundWindow(window_.get());
    WaitUntilShown();
}

void ColourWindow::MoveTo(int left, int top) {
    ::SetWindowPos(window_.get(), HWND_TOPMOST, left, top, 0, 0, SWP_NOSIZE);
    WaitUntilShown();
}

POINT ColourWindow::Centre(int quadrant) const {
    RECT client;
    ::GetClientRect(window_.get(), &client);
    RECT rect = Quadrant(client, quadrant);
    POINT point{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ::ClientToScreen(window_.get(), &point);
    return point;
}

COLORREF ColourWindow::Colour(int quadrant) { return kColours[quadrant]; }

void ColourWindow::WaitUntilShown() {
    ::UpdateWindow(window_.get());
    // The quadrant that is sure to be on the screen for the windows the tests place.
    ASSERT_TRUE(PumpUntil([&] { return ScreenPixel(Centre(3)) == Colour(3) && ScreenPixel(Centre(1)) == Colour(1); }))
        << "the window never showed on the screen";
}
