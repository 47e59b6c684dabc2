#include "toolbar/TTBToolbar.h"

#include <algorithm>

#include "toolbar/TTBMenuPainter.h"
#include "toolkit/SelectObjectGuard.h"
#include "toolkit/WindowDC.h"

TTBToolbar::TTBToolbar(TComponent* owner) : TCustomControl(owner) {}

TTBToolbar::~TTBToolbar() {
    // Items that outlive the toolbar must not call back into it.
    for (TTBItem* item : items_) item->OnChange = nullptr;
}

TTBItem* TTBToolbar::Add(TTBItem* item) {
    items_.push_back(item);
    item->FreeNotification(this);
    item->OnChange = [this](TObject&) {
        if (hot_ >= 0 && !Usable(hot_)) hot_ = -1;
        Arrange();
        Invalidate();
    };
    Arrange();
    return item;
}

void TTBToolbar::SetSkin(TBSkin* skin) {
    if (!ReferTo(skin_, skin)) return;
    Invalidate();
}

void TTBToolbar::SetImages(TImageList* images) {
    if (!ReferTo(images_, images)) return;
    Arrange();
    Invalidate();
}

void TTBToolbar::Notification(TComponent& component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    if (&component == skin_) skin_ = nullptr;
    if (&component == images_) images_ = nullptr;
    const auto found = std::find(items_.begin(), items_.end(), &component);
    if (found != items_.end()) {
        items_.erase(found);
        hot_ = pushed_ = -1;
        Arrange();
        Invalidate();
    }
}

const TBSkin& TTBToolbar::CurrentSkin() const { return skin_ ? *skin_ : ownSkin_; }

void TTBToolbar::CreateWnd() { Arrange(); }

void TTBToolbar::Arrange() {
    WindowDC screen(nullptr);
    SelectObjectGuard selection(screen.get(), Font().Handle());
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(screen.get(), &metrics);
    int imageWidth = 0, imageHeight = 0;
    if (images_) ::ImageList_GetIconSize(images_->Handle(), &imageWidth, &imageHeight);
    const int height = std::max<int>({kMinItemHeight, imageHeight + 6, metrics.tmHeight + 8});

    rects_.clear();
    int x = kHandleWidth;
    for (const TTBItem* item : items_) {
        int width = kSeparatorWidth;
        if (!item->IsSeparator()) {
            RECT text{0, 0, 0, 0};
            ::DrawTextA(screen.get(), item->Caption().c_str(), static_cast<int>(item->Caption().size()), &text,
                        DT_SINGLELINE | DT_CALCRECT);
            const bool pictured = images_ && item->ImageIndex() >= 0;
            width = kItemPadding + (pictured ? imageWidth + kCaptionGap : 0) + text.right + kItemPadding + 2;
        }
        rects_.push_back(RECT{x, 2, x + width, 2 + height});
        x += width;
    }
    SetBounds(Left(), Top(), x + 2, height + 4);
}

int TTBToolbar::ItemAt(int x, int y) const {
    const POINT point{x, y};
    for (size_t i = 0; i < rects_.size(); ++i) {
        if (::PtInRect(&rects_[i], point)) return static_cast<int>(i);
    }
    return -1;
}

bool TTBToolbar::Usable(int index) const {
    if (index < 0 || index >= static_cast<int>(items_.size())) return false;
    const TTBItem& item = *items_[static_cast<size_t>(index)];
    return !item.IsSeparator() && item.Enabled();
}

void TTBToolbar::SetHot(int index) {
    if (index == hot_) return;
    hot_ = index;
    Invalidate();
}

void TTBToolbar::MouseMove(TShiftState shift, int x, int y) {
    const int index = ItemAt(x, y);
    SetHot(Usable(index) ? index : -1);
    TCustomControl::MouseMove(shift, x, y);
}

void TTBToolbar::MouseLeave() {
    SetHot(-1);
    TCustomControl::MouseLeave();
}

void TTBToolbar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == TMouseButton::mbLeft) {
        const int index = ItemAt(x, y);
        if (Usable(index)) {
            pushed_ = index;
            Invalidate();
        }
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TTBToolbar::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    const int pushed = pushed_;
    if (button == TMouseButton::mbLeft && pushed >= 0) {
        pushed_ = -1;
        Invalidate();
        // Released elsewhere: the press is taken back.
        if (ItemAt(x, y) == pushed) items_[static_cast<size_t>(pushed)]->Click();
    }
    TCustomControl::MouseUp(button, shift, x, y);
}

void TTBToolbar::Paint(HDC dc) {
    const TBSkin& skin = CurrentSkin();
    RECT client;
    ::GetClientRect(Handle(), &client);
    skin.PaintGradient(dc, client, tcGradStart, tcGradEnd);
    skin.PaintHorizontalLine(dc, client.left, client.right, client.bottom - 1, tcDockBorderIn);
    // The grip: a column of small dots.
    for (int y = 5; y + 2 < client.bottom - 4; y += 4) {
        skin.PaintBar(dc, RECT{3, y, 5, y + 2}, tcDragHandle, tcDragHandle);
    }
    for (size_t i = 0; i < items_.size(); ++i) PaintItem(dc, i);
}

void TTBToolbar::PaintItem(HDC dc, size_t index) {
    const TBSkin& skin = CurrentSkin();
    const TTBItem& item = *items_[index];
    const RECT& r = rects_[index];
    if (item.IsSeparator()) {
        skin.PaintVerticalLine(dc, (r.left + r.right) / 2, r.top + 2, r.bottom - 2, tcSeparator);
        return;
    }
    const bool hot = static_cast<int>(index) == hot_;
    const bool pushed = static_cast<int>(index) == pushed_ && hot;
    if (pushed) {
        skin.PaintBar(dc, r, tcSelPushed, tcSelPushedBorder);
    } else if (item.Checked()) {
        skin.PaintBar(dc, r, hot ? tcCheckedOver : tcChecked, tcSelItemBorder);
    } else if (hot) {
        skin.PaintBar(dc, r, tcSelItem, tcSelItemBorder);
    }
    int x = r.left + kItemPadding;
    if (images_ && item.ImageIndex() >= 0) {
        int width = 0, height = 0;
        ::ImageList_GetIconSize(images_->Handle(), &width, &height);
        const UINT style = item.Enabled() ? ILD_TRANSPARENT : (ILD_TRANSPARENT | ILD_BLEND50);
        ::ImageList_Draw(images_->Handle(), item.ImageIndex(), dc, x, (r.top + r.bottom - height) / 2, style);
        x += width + kCaptionGap;
    }
    const COLORREF color = item.Enabled() ? ColorToRGB(skin.Color(tcMenuText)) : ::GetSysColor(COLOR_GRAYTEXT);
    TTBMenuPainter::DrawCaption(dc, item.Caption(), RECT{x, r.top, r.right, r.bottom}, Font().Handle(), color);
}
