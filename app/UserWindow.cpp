#include "app/UserWindow.h"

#include <cstring>

#include "capture/Compositor.h"

namespace {
// Windows of the shell and of the system that are in front only on the way to another.
const char* const kNotWorkedIn[] = {
    "Shell_TrayWnd",             // the taskbar with the notification area
    "Shell_SecondaryTrayWnd",    // the taskbar of another display
    "NotifyIconOverflowWindow",  // notification-area icons that did not fit
    "Progman",                   // the desktop's icons
    "WorkerW",                   // behind the desktop's icons
    "#32768",                    // a menu
    "#32769",                    // the desktop
    "tooltips_class32",
};

bool ClassIsNotWorkedIn(HWND window) {
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    for (const char* kind : kNotWorkedIn) {
        if (std::strcmp(name, kind) == 0) return true;
    }
    return false;
}

bool KeptOnTop(HWND window) { return (::GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
}  // namespace

bool IsUserWindow(HWND window) {
    if (!window || !::IsWindow(window) || !::IsWindowVisible(window) || ::IsIconic(window)) return false;
    if (window == ::GetDesktopWindow() || window == ::GetShellWindow()) return false;
    if (::GetAncestor(window, GA_ROOT) != window) return false;
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process == ::GetCurrentProcessId()) return false;
    // A window that cannot be activated is never the one the user is in.
    if (::GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_NOACTIVATE) return false;
    RECT rect{};
    if (!::GetWindowRect(window, &rect) || rect.right <= rect.left || rect.bottom <= rect.top) return false;
    return !ClassIsNotWorkedIn(window) && !Compositor::Cloaked(window);
}

HWND WindowUserIsIn(std::initializer_list<HWND> seenInFront) {
    const HWND foreground = ::GetForegroundWindow();
    if (IsUserWindow(foreground)) return foreground;
    for (HWND window : seenInFront) {
        if (IsUserWindow(window)) return window;
    }
    // Activating a window raises it above the others (under Wine only above those that
    // overlap it), so this is the last resort, not the first.
    for (HWND window = ::GetTopWindow(nullptr); window; window = ::GetWindow(window, GW_HWNDNEXT)) {
        if (IsUserWindow(window) && !KeptOnTop(window)) return window;
    }
    return nullptr;
}
