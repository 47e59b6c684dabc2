// A document window of another program, in one colour, for the tests of the
// active-window still (the program never takes a still of a window of its own).
//   document_window <0xBBGGRR colour> <left> <top> <width> <height>
// The message WM_USER + 1 makes it stop answering for wParam ms, as a hung program.
// Runs until the window is closed.
#include <windows.h>

#include <cstdlib>

namespace {
LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) ::PostQuitMessage(0);
    if (message == WM_USER + 1) ::Sleep(static_cast<DWORD>(wParam));
    return ::DefWindowProcA(window, message, wParam, lParam);
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 6) return 1;
    const auto colour = static_cast<COLORREF>(std::strtoul(argv[1], nullptr, 0));
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = ::CreateSolidBrush(colour);
    windowClass.lpszClassName = "PictavoTestDocument";
    if (!::RegisterClassA(&windowClass)) return 1;
    HWND window = ::CreateWindowExA(0, windowClass.lpszClassName, "document", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                    std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]),
                                    nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!window) return 1;
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    return 0;
}
