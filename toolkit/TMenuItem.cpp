#include "toolkit/TMenuItem.h"

TMenuItem::TMenuItem(TComponent* owner, const std::string& caption) : TComponent(owner), caption_(caption) {}

void TMenuItem::Click() {
    if (enabled_) Raise(OnClick, *this);
}
