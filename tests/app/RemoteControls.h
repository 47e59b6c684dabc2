#pragma once
// Where things lie in the common controls of another process (its folder tree, its page
// tabs), so that a test can click them with the real pointer. Their messages carry
// pointers, which are valid only in memory of that process.
#include <windows.h>

#include <string>

// The text of a visible item of the tree in screen coordinates; empty when no visible item
// has that text.
RECT TreeItemRect(HWND tree, const std::string& text);
// A tab of a tab control in screen coordinates.
RECT TabRect(HWND tabs, int index);
// The middle of a rectangle.
POINT Middle(const RECT& rect);
// Clicks a page's tab of the settings window with the real pointer and gives a control of
// that page once it shows (null when it does not): a page's controls are made when it is
// first shown.
HWND ControlOnPage(HWND settings, int page, const std::string& className, const std::string& text);
