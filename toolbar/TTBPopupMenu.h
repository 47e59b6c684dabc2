#pragma once
// A pop-up menu of the framework: its own pop-up window drawn in a skin, animated as the
// system's settings ask, tracked until the user chooses an item or dismisses it.
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "toolbar/TBSkin.h"
#include "toolbar/TTBPopupWindow.h"
#include "toolkit/TImageList.h"
#include "toolkit/TPopupMenu.h"
#include "toolkit/UniqueHandle.h"

class TTBPopupMenu : public TPopupMenu {
public:
    explicit TTBPopupMenu(TComponent* owner);
    ~TTBPopupMenu() override;

    // The skin it is drawn in; without one, the framework's office skin.
    TBSkin* Skin() const { return skin_; }
    void SetSkin(TBSkin* skin);
    // Pictures of the items (TTBItem::ImageIndex), 16 x 16.
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* images);

    // Shows the menu at the screen point and tracks it until it closes; the chosen item's
    // click then runs. Asked again while it is open, it closes the open menu instead.
    void Popup(int x, int y) override;
    // The window of the open menu; null while the menu is closed.
    TTBPopupWindow* PopupWindow() const { return window_; }
    // Closes the open menu without a choice.
    void CloseUp();

protected:
    void Notification(TComponent& component, TOperation operation) override;

private:
    const TBSkin& CurrentSkin();
    void MakeFonts();

    TBSkin* skin_ = nullptr;
    std::unique_ptr<TBSkin> ownSkin_;
    TImageList* images_ = nullptr;
    UniqueHfont font_;
    UniqueHfont boldFont_;
    TTBPopupWindow* window_ = nullptr;
};
