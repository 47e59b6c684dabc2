#pragma once
// An item of the framework's toolbars and pop-up menus: a menu item that can also carry an
// image, be checked, and be drawn in a menu the way a toolbar draws it (a menu's title).
#include <string>

#include "toolkit/TMenuItem.h"

class TTBItem : public TMenuItem {
public:
    explicit TTBItem(TComponent* owner, const std::string& caption = "");

    // Picture in the images of the toolbar or menu; -1 for none.
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    // In a menu: a bar across the whole width, as a toolbar is drawn, instead of a row.
    bool ToolbarStyle() const { return toolbarStyle_; }
    void SetToolbarStyle(bool value);

private:
    int imageIndex_ = -1;
    bool checked_ = false;
    bool toolbarStyle_ = false;
};
