#pragma once
// Chooses an item of the open tray menu with the real pointer (run on a thread of its own:
// the user-interface thread is inside the menu meanwhile).
#include <string>

#include "tests/support/ScreenSearch.h"
#include "tests/support/TestEnvironment.h"
#include "tests/toolbar/OpenMenu.h"

// False when the menu did not open or has no such item.
inline bool ChooseFromOpenMenu(const std::string& caption) {
    TTBPopupWindow* menu = WaitForOpenMenu();
    if (!menu) return false;
    POINT centre{};
    return ItemCentre(*menu, caption, centre) && RunHostCommand(ClickAt(centre.x, centre.y));
}
