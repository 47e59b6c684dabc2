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
