#pragma once
// A toolbar of the framework: a row of items, each a picture with its caption to the right,
// drawn in the skin. An item lights up under the pointer, shows itself pressed while the
// button is held on it, stays marked while checked, and runs its click when the button is
// released over it. The toolbar takes its size from its items.
#include <windows.h>

#include <vector>

#include "toolbar/TBSkin.h"
#include "toolbar/TTBItem.h"
#include "toolkit/TCustomControl.h"
#include "toolkit/TImageList.h"

class TTBToolbar : public TCustomControl {
public:
    // The grip at the left edge, and the room around a picture and a caption.
    static constexpr int kHandleWidth = 9;
    static constexpr int kItemPadding = 4;
    static constexpr int kCaptionGap = 4;
    static constexpr int kSeparatorWidth = 8;
    static constexpr int kMinItemHeight = 22;

    explicit TTBToolbar(TComponent* owner);
    ~TTBToolbar() override;

    // Appends an item (a separator when its caption is "-").
    TTBItem* Add(TTBItem* item);
    const std::vector<TTBItem*>& Items() const { return items_; }
    // The skin it is drawn in; without one, the framework's office skin.
    TBSkin* Skin() const { return skin_; }
    void SetSkin(TBSkin* skin);
    // The items' pictures (TTBItem::ImageIndex).
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* images);

    // Where an item lies in the toolbar.
    RECT ItemRect(size_t index) const { return rects_[index]; }
    // The item lit under the pointer and the one held pressed; -1 for none.
    int HotItem() const { return hot_; }
    int PushedItem() const { return pushed_; }

protected:
    void CreateWnd() override;
    void Paint(HDC dc) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseLeave() override;
    void Notification(TComponent& component, TOperation operation) override;

private:
    const TBSkin& CurrentSkin() const;
    // Measures the items and takes the size they need.
    void Arrange();
    int ItemAt(int x, int y) const;
    bool Usable(int index) const;
    void SetHot(int index);
    void PaintItem(HDC dc, size_t index);

    std::vector<TTBItem*> items_;
    std::vector<RECT> rects_;
    TBSkin* skin_ = nullptr;
    TBSkin ownSkin_{nullptr};
    TImageList* images_ = nullptr;
    int hot_ = -1;
    int pushed_ = -1;
};
