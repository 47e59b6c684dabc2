#include "toolbar/TTBItem.h"

TTBItem::TTBItem(TComponent* owner, const std::string& caption) : TMenuItem(owner, caption) {}

void TTBItem::SetImageIndex(int index) {
    if (index == imageIndex_) return;
    imageIndex_ = index;
    Changed();
}

void TTBItem::SetChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    Changed();
}

void TTBItem::SetToolbarStyle(bool value) {
    if (value == toolbarStyle_) return;
    toolbarStyle_ = value;
    Changed();
}
