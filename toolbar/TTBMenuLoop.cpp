#include "toolbar/TTBMenuLoop.h"

#include "toolkit/CallbackErrors.h"

namespace {
// The loop whose menu is open on this thread (the hook's callback has no other way in).
thread_local TTBMenuLoop* current = nullptr;

bool IsButtonDown(WPARAM message) {
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
           message == WM_XBUTTONDOWN || message == WM_NCLBUTTONDOWN || message == WM_NCRBUTTONDOWN ||
           message == WM_NCMBUTTONDOWN;
}

// The window's outer rectangle in the display's own pixels, the space a low-level hook
// reports its points in. The program is not DPI-aware: on a display scaled above 100 % its
// windows, the pointer and its messages are in scaled coordinates, and the two spaces part
// further the further a point lies from the screen's origin. The system converts only
// points inside the window, so the far corner is taken from the window's last pixel.
// Where it has no conversion (before Windows 8.1) the hook reports scaled points too.
RECT PhysicalWindowRect(HWND window) {
    using Convert = BOOL(WINAPI*)(HWND, POINT*);
    static const auto toPhysical = reinterpret_cast<Convert>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleA("user32.dll"), "LogicalToPhysicalPointForPerMonitorDPI")));
    RECT r{};
    ::GetWindowRect(window, &r);
    if (!toPhysical || ::IsRectEmpty(&r)) return r;
    POINT first{r.left, r.top}, last{r.right - 1, r.bottom - 1};
    if (!toPhysical(window, &first) || !toPhysical(window, &last)) return r;
    return RECT{first.x, first.y, last.x + 1, last.y + 1};
}
}  // namespace

TTBMenuLoop::TTBMenuLoop(TTBPopupWindow& window) : window_(window), outer_(current), front_(::GetForegroundWindow()) {
    window_.OnClose = [this](int chosen) {
        chosen_ = chosen;
        closed_ = true;
        // Gone from the screen at once, also when a box of a handler holds up the loop.
        if (::GetCapture() == window_.Handle()) ::ReleaseCapture();
        window_.ShowPopup(false);
        // Wakes the loop when the close came from a message handled inside GetMessage.
        ::PostMessageA(window_.Handle(), WM_NULL, 0, 0);
    };
    current = this;
    // Clicks that go to other programs' windows never reach this thread; the hook sees them
    // (and passes every one on).
    mouseHook_.reset(::SetWindowsHookExA(WH_MOUSE_LL, &WatchMouse, ::GetModuleHandleA(nullptr), 0));
    // The program's window in front may be hidden (the main window after a still): Wine then
    // delivers key presses to no window of the program. The keys of the menu are taken as
    // they are pressed instead.
    keyHook_.reset(::SetWindowsHookExA(WH_KEYBOARD_LL, &WatchKeys, ::GetModuleHandleA(nullptr), 0));
}

TTBMenuLoop::~TTBMenuLoop() {
    current = outer_;
    keyHook_.reset();
    mouseHook_.reset();
    if (::GetCapture() == window_.Handle()) ::ReleaseCapture();
    window_.OnClose = nullptr;
}

LRESULT CALLBACK TTBMenuLoop::WatchMouse(int code, WPARAM wParam, LPARAM lParam) {
    Guarded(0, [=] {
        if (code == HC_ACTION && current && IsButtonDown(wParam)) {
            const POINT at = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam)->pt;
            const RECT window = PhysicalWindowRect(current->window_.Handle());
            if (!::PtInRect(&window, at)) current->Dismiss();
        }
        return 0;
    });
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK TTBMenuLoop::WatchKeys(int code, WPARAM wParam, LPARAM lParam) {
    const bool taken = Guarded(false, [=] {
        if (code != HC_ACTION || !current) return false;
        const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        return current->TakeKey(key->vkCode, wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN);
    });
    return taken ? 1 : ::CallNextHookEx(nullptr, code, wParam, lParam);
}

bool TTBMenuLoop::TakeKey(DWORD key, bool down) {
    HWND front = ::GetForegroundWindow();
    if (closed_ || front != front_ || ::GetWindowThreadProcessId(front, nullptr) != ::GetCurrentThreadId())
        return false;
    // Combinations with Ctrl or Alt stay the system's (hotkeys among them).
    if ((::GetAsyncKeyState(VK_CONTROL) | ::GetAsyncKeyState(VK_MENU)) & 0x8000) return false;
    const bool letter = (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
    const bool navigation =
        key == VK_UP || key == VK_DOWN || key == VK_HOME || key == VK_END || key == VK_RETURN || key == VK_ESCAPE;
    if (!letter && !navigation) return false;
    if (down) {
        if (letter) {
            window_.CharTyped(static_cast<char>(key));
        } else {
            window_.KeyDown(static_cast<WORD>(key));
        }
    }
    return true;
}

int TTBMenuLoop::Run() {
    ::SetCapture(window_.Handle());
    MSG message;
    while (!closed_) {
        const BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            // The program is ending: the loop that waits for WM_QUIT must still see it.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            window_.Close(-1);
            break;
        }
        if (got < 0) break;
        if (message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST) {
            KeyMessage(message);
            continue;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    return chosen_;
}

void TTBMenuLoop::KeyMessage(const MSG& message) {
    switch (message.message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            // Characters come from the key presses as usual, for the underlined letters.
            ::TranslateMessage(&message);
            window_.KeyDown(static_cast<WORD>(message.wParam));
            break;
        case WM_CHAR:
        case WM_SYSCHAR:
            window_.CharTyped(static_cast<char>(message.wParam));
            break;
        default:
            break;
    }
}
