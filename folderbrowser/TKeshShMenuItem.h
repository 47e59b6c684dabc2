#pragma once
// An item of the shell context menu's own part, with the looks a native menu item can
// take beyond what every menu item has: a check (or radio) mark, a column break, a
// shortcut shown after a tab, a bitmap, and whether it shows at all.
#include <windows.h>

#include <string>

#include "toolkit/TMenuItem.h"

enum class TMenuBreak { mbNone, mbBreak, mbBarBreak };

class TKeshShMenuItem : public TMenuItem {
public:
    using TMenuItem::TMenuItem;

    bool Visible = true;
    bool Checked = false;
    bool RadioItem = false;
    TMenuBreak Break = TMenuBreak::mbNone;
    // Shown right-aligned after the caption, as "Ctrl+C".
    std::string ShortCutText;
    // Borrowed: the item's owner keeps it alive while the menu shows.
    HBITMAP Bitmap = nullptr;
};
