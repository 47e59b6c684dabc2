#pragma once
// The running program's tray menu seen from outside: how it must look with some commands
// enabled (drawn in this process by the program's own menu), where its items lie, and
// clicks on it with the real pointer.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/PixelCanvas.h"

struct ExpectedMenu {
    std::unique_ptr<PixelCanvas> picture;
    // Each item's place in the menu window, in order, separators and title included.
    std::vector<RECT> items;
};

// Draw it before the program starts: the main window made for the drawing puts an icon
// into the notification area for a moment.
ExpectedMenu DrawMenu(const std::vector<std::string>& enabled);

// The program's open pop-up menu: its only visible topmost tool window (null when none
// shows within ten seconds).
HWND WaitForProgramMenu(DWORD processId);

// The middle of an item of the menu shown at `menu` (screen coordinates).
POINT Centre(const RECT& menu, const RECT& item);

// An xdotool command line that clicks a button at the point and moves the pointer away.
std::string Click(POINT at, int button = 1);

// The tray menu's items by their place in it, title and separators counted.
constexpr size_t kCaptureAllItem = 2;
constexpr size_t kCaptureActiveItem = 3;
constexpr size_t kSettingsItem = 8;
constexpr size_t kQuitItem = 12;

// Opens the running program's tray menu with the right button on its icon (the
// application's icon); the menu, or null when it does not show.
HWND OpenTrayMenu(DWORD processId);
// Opens it and clicks one of its items, as the menu drawn beforehand places it.
bool ChooseFromTray(DWORD processId, const ExpectedMenu& menu, size_t item);
