// The least a Windows program can do before its first window is painted: the floor under
// Pictavo's start-up, which startup_bench measures the same way. One window, filled and
// lettered, closed by WM_CLOSE.
#include <windows.h>

namespace {
LRESULT CALLBACK FloorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = ::BeginPaint(window, &paint);
            RECT client;
            ::GetClientRect(window, &client);
            ::FillRect(dc, &client, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
            ::DrawTextA(dc, "floor", -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            ::EndPaint(window, &paint);
            return 0;
        }
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = FloorProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = "StartupFloor";
    ::RegisterClassA(&windowClass);
    HWND window = ::CreateWindowExA(0, "StartupFloor", "floor", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 644,
                                    572, nullptr, nullptr, instance, nullptr);
    ::ShowWindow(window, SW_SHOW);
    ::UpdateWindow(window);
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    return 0;
}
