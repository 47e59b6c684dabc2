#include "toolkit/TMenuItem.h"

TMenuItem::TMenuItem(TComponent* owner, const std::string& caption) : TComponent(owner), caption_(caption) {}

void TMenuItem::SetCaption(const std::string& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    Changed();
}

void TMenuItem::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Changed();
}

void TMenuItem::SetDefault(bool value) {
    if (value == default_) return;
    default_ = value;
    Changed();
}

void TMenuItem::Changed() { Raise(OnChange, *this); }

void TMenuItem::Click() {
    if (enabled_) Raise(OnClick, *this);
}
