#include "toolbar/TTBMenuPainter.h"

#include "toolbar/TTBItem.h"
#include "toolkit/SelectObjectGuard.h"
#include "toolkit/UniqueHandle.h"

namespace {
const TTBItem* AsTBItem(const TMenuItem& item) { return dynamic_cast<const TTBItem*>(&item); }
}  // namespace

TTBMenuPainter::TTBMenuPainter(const TBSkin& skin, HFONT font, HFONT boldFont, HIMAGELIST images)
    : skin_(skin), font_(font), boldFont_(boldFont), images_(images) {}

void TTBMenuPainter::Paint(HDC dc, const RECT& client, const TTBMenuLayout& layout,
                           const std::vector<TMenuItem*>& items, int selected) const {
    skin_.PaintBar(dc, client, tcPopup, tcBorder);
    if (layout.Count() == 0) return;
    // One column behind all rows, so a gradient along it runs unbroken.
    const RECT& first = layout.ItemRect(0);
    const RECT& last = layout.ItemRect(layout.Count() - 1);
    skin_.PaintImageColumn(dc, RECT{first.left, first.top, first.left + TTBMenuLayout::kImageColumn, last.bottom});

    for (size_t i = 0; i < items.size() && i < layout.Count(); ++i) {
        const TMenuItem& item = *items[i];
        const RECT& row = layout.ItemRect(i);
        const TTBItem* tbItem = AsTBItem(item);
        if (item.IsSeparator()) {
            const int y = (row.top + row.bottom) / 2;
            skin_.PaintHorizontalLine(dc, row.left + TTBMenuLayout::kImageColumn + TTBMenuLayout::kTextGap, row.right,
                                      y, tcSeparator);
        } else if (tbItem && tbItem->ToolbarStyle()) {
            PaintTitle(dc, row, item);
        } else {
            PaintRow(dc, row, item, static_cast<int>(i) == selected);
        }
    }
}

void TTBMenuPainter::PaintTitle(HDC dc, const RECT& row, const TMenuItem& item) const {
    skin_.PaintGradient(dc, row, tcPopupGradStart, tcPopupGradEnd);
    skin_.PaintHorizontalLine(dc, row.left, row.right, row.bottom - 1, tcSeparator);
    RECT text{row.left + TTBMenuLayout::kTextGap, row.top, row.right, row.bottom - 1};
    // A label of the menu, not a command: readable even though it cannot be chosen.
    DrawCaption(dc, item.Caption(), text, item.Default() ? boldFont_ : font_, ColorToRGB(skin_.Color(tcMenuText)));
}

void TTBMenuPainter::PaintRow(HDC dc, const RECT& row, const TMenuItem& item, bool selected) const {
    if (selected && item.Enabled()) skin_.PaintBar(dc, row, tcSelBar, tcSelBarBorder);
    const RECT cell{row.left, row.top, row.left + TTBMenuLayout::kImageColumn, row.bottom};
    if (const TTBItem* tbItem = AsTBItem(item)) {
        if (tbItem->Checked()) PaintCheck(dc, cell);
        if (images_ && tbItem->ImageIndex() >= 0) {
            int width = 0, height = 0;
            ::ImageList_GetIconSize(images_, &width, &height);
            const UINT style = item.Enabled() ? ILD_TRANSPARENT : (ILD_TRANSPARENT | ILD_BLEND50);
            ::ImageList_Draw(images_, tbItem->ImageIndex(), dc, cell.left + (TTBMenuLayout::kImageColumn - width) / 2,
                             cell.top + (cell.bottom - cell.top - height) / 2, style);
        }
    }
    RECT text{cell.right + TTBMenuLayout::kTextGap, row.top, row.right, row.bottom};
    const COLORREF color = item.Enabled() ? ColorToRGB(skin_.Color(tcMenuText)) : ::GetSysColor(COLOR_GRAYTEXT);
    DrawCaption(dc, item.Caption(), text, item.Default() ? boldFont_ : font_, color);
}

void TTBMenuPainter::PaintCheck(HDC dc, const RECT& cell) const {
    RECT box = cell;
    ::InflateRect(&box, -2, -2);
    skin_.PaintBar(dc, box, tcChecked, tcSelItemBorder);
    // A tick drawn as two strokes, two pixels thick.
    const int x = (box.left + box.right) / 2 - 4, y = (box.top + box.bottom) / 2;
    UniqueHpen pen(::CreatePen(PS_SOLID, 1, ColorToRGB(skin_.Color(tcMenuText))));
    SelectObjectGuard selection(dc, pen.get());
    for (int thickness = 0; thickness < 2; ++thickness) {
        POINT tick[] = {{x, y - 1 + thickness}, {x + 3, y + 2 + thickness}, {x + 9, y - 4 + thickness}};
        ::Polyline(dc, tick, 3);
    }
}

void TTBMenuPainter::DrawCaption(HDC dc, const std::string& caption, RECT area, HFONT font, COLORREF color) {
    SelectObjectGuard selection(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, color);
    ::DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &area, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
}
