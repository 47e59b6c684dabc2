#include "toolkit/TPopupMenu.h"

#include <algorithm>

#include "toolkit/TApplication.h"
#include "toolkit/TWinControl.h"
#include "toolkit/UniqueHandle.h"

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner) {}

TMenuItem* TPopupMenu::Add(TMenuItem* item) {
    items_.push_back(item);
    FreeNotification(item);
    return item;
}

void TPopupMenu::Notification(TComponent& component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove) {
        items_.erase(std::remove(items_.begin(), items_.end(), &component), items_.end());
    }
}

HWND TPopupMenu::OwnerWindow() const {
    if (auto* control = dynamic_cast<TWinControl*>(Owner())) return control->Handle();
    return TApplication::Instance().Handle();
}

void TPopupMenu::Popup(int x, int y) {
    Raise(OnPopup, *this);
    UniqueHmenu menu(::CreatePopupMenu());
    for (size_t i = 0; i < items_.size(); ++i) {
        const TMenuItem& item = *items_[i];
        if (item.IsSeparator()) {
            ::AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
            continue;
        }
        UINT flags = MF_STRING | (item.Enabled() ? MF_ENABLED : MF_GRAYED);
        ::AppendMenuA(menu.get(), flags, i + 1, item.Caption().c_str());
        if (item.Default()) ::SetMenuDefaultItem(menu.get(), static_cast<UINT>(i + 1), FALSE);
    }
    HWND owner = OwnerWindow();
    UINT chosen = static_cast<UINT>(
        ::TrackPopupMenuEx(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, x, y, owner, nullptr));
    // Lets the menu's owner lose the foreground properly after a notification-area menu.
    ::PostMessageA(owner, WM_NULL, 0, 0);
    if (chosen > 0 && chosen <= items_.size()) items_[chosen - 1]->Click();
}
