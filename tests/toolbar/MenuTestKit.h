#pragma once
// What the menu tests share: a menu of a few items that records which one ran, keys and
// actions queued for the menu's loop, and the user's real pointer driven from a thread of
// its own while the loop runs.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolbar/TTBItem.h"
#include "toolbar/TTBPopupMenu.h"
#include "toolkit/TForm.h"
#include "toolkit/TUtilityWindow.h"

class TestMenu {
public:
    // "Title" (disabled default in toolbar style), separator, then the captions; a caption
    // starting with "!" is a disabled item, "-" a separator.
    explicit TestMenu(const std::vector<std::string>& captions);
    ~TestMenu();

    TTBPopupMenu& Menu() { return *menu_; }
    TTBItem* Item(const std::string& caption);
    // Captions of the items that ran, in order.
    const std::vector<std::string>& Ran() const { return ran_; }

private:
    std::unique_ptr<TForm> owner_;
    TTBPopupMenu* menu_;
    std::vector<std::string> ran_;
};

// Key messages as the loop receives them: WM_KEYDOWN (WM_SYSKEYDOWN with `system`) for a
// virtual key, WM_CHAR for a character.
void QueueKey(WORD key, bool system = false);
void QueueChar(char ch);

// Runs the action inside the menu's loop: queued now, dispatched once the menu is open.
class WhileOpen {
public:
    explicit WhileOpen(std::function<void()> action);

private:
    std::function<void()> action_;
    TUtilityWindow window_;
};

// The real pointer at a screen point, with a left click when asked (from any thread, once the
// system has taken each input).
void PointerTo(POINT at);
void ClickAt(POINT at);
