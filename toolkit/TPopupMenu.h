#pragma once
// A pop-up menu of items, opened at a screen position. The items belong to the menu; the
// program reads and changes them, and Popup shows them and clicks the one chosen.
#include <windows.h>

#include <vector>

#include "toolkit/TComponent.h"
#include "toolkit/TMenuItem.h"

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* owner);

    // Appends an item (made by the caller with any owner) to the menu.
    TMenuItem* Add(TMenuItem* item);
    const std::vector<TMenuItem*>& Items() const { return items_; }

    // Shows the menu with its top-left corner at the screen point and waits until it
    // closes; the chosen item's click then runs.
    virtual void Popup(int x, int y);

    // Raised just before the menu appears, with the menu as sender.
    TNotifyEvent OnPopup;

protected:
    void Notification(TComponent& component, TOperation operation) override;
    HWND OwnerWindow() const;

private:
    std::vector<TMenuItem*> items_;
};
