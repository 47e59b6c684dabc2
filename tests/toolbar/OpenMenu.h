#pragma once
// A pop-up menu of the framework while it is open, seen from a thread that plays the user
// (the user-interface thread is inside the menu meanwhile).
#include <windows.h>

#include <chrono>
#include <string>

#include "tests/support/TestEnvironment.h"
#include "toolbar/TTBPopupWindow.h"

namespace open_menu_detail {
inline BOOL CALLBACK MatchPopup(HWND window, LPARAM lParam) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process != ::GetCurrentProcessId() || !::IsWindowVisible(window)) return TRUE;
    if (auto* popup = dynamic_cast<TTBPopupWindow*>(TWinControl::FromHandle(window))) {
        *reinterpret_cast<TTBPopupWindow**>(lParam) = popup;
        return FALSE;
    }
    return TRUE;
}
}  // namespace open_menu_detail

// The shown pop-up menu of this process; null when none is shown within the time.
inline TTBPopupWindow* WaitForOpenMenu(std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
    TTBPopupWindow* popup = nullptr;
    WaitUntil(
        [&] {
            ::EnumWindows(open_menu_detail::MatchPopup, reinterpret_cast<LPARAM>(&popup));
            return popup != nullptr;
        },
        timeout);
    return popup;
}

// The middle of the item with that caption on the screen; false when there is none.
inline bool ItemCentre(TTBPopupWindow& menu, const std::string& caption, POINT& centre) {
    for (size_t i = 0; i < menu.Items().size(); ++i) {
        if (menu.Items()[i]->Caption() != caption) continue;
        const RECT r = menu.ItemScreenRect(i);
        centre = POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        return true;
    }
    return false;
}
