#include "toolbar/TTBMenuLayout.h"

#include <algorithm>

#include "toolbar/TTBItem.h"
#include "toolkit/SelectObjectGuard.h"

namespace {
bool InToolbarStyle(const TMenuItem& item) {
    auto* tbItem = dynamic_cast<const TTBItem*>(&item);
    return tbItem && tbItem->ToolbarStyle();
}

SIZE CaptionSize(HDC dc, const std::string& caption, HFONT font) {
    SelectObjectGuard selection(dc, font);
    RECT r{0, 0, 0, 0};
    // Measured as it is drawn: "&" marks the underlined letter and takes no room.
    ::DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &r, DT_SINGLELINE | DT_CALCRECT);
    return SIZE{r.right - r.left, r.bottom - r.top};
}
}  // namespace

void TTBMenuLayout::Measure(HDC dc, const std::vector<TMenuItem*>& items, HFONT font, HFONT boldFont) {
    rects_.clear();
    int width = 0;
    int y = kEdge;
    for (const TMenuItem* item : items) {
        int height = kSeparatorHeight;
        if (!item->IsSeparator()) {
            const SIZE text = CaptionSize(dc, item->Caption(), item->Default() ? boldFont : font);
            height = std::max<int>(kMinRowHeight, text.cy + 6);
            if (InToolbarStyle(*item)) {
                height += 2;
                width = std::max<int>(width, kTextGap + text.cx + kTextGap);
            } else {
                width = std::max<int>(width, kImageColumn + kTextGap + text.cx + kRightRoom);
            }
        }
        rects_.push_back(RECT{kEdge, y, 0, y + height});
        y += height;
    }
    for (RECT& r : rects_) r.right = kEdge + width;
    size_ = SIZE{kEdge + width + kEdge, y + kEdge};
}

int TTBMenuLayout::ItemAt(POINT point) const {
    for (size_t i = 0; i < rects_.size(); ++i) {
        if (::PtInRect(&rects_[i], point)) return static_cast<int>(i);
    }
    return -1;
}
