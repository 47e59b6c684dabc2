#include "toolbar/TBSkin.h"

#include "toolkit/Frame3D.h"

namespace {
// The office look the program's skins start from.
constexpr std::array<TColor, tcSkinColorCount> kOfficeColors = [] {
    std::array<TColor, tcSkinColorCount> c{};
    c[tcFace] = clBtnFace;
    c[tcPopup] = RGB(252, 252, 249);
    c[tcBorder] = RGB(138, 134, 122);
    c[tcToolbar] = RGB(239, 237, 222);
    c[tcImageList] = RGB(239, 237, 222);
    c[tcDockBorderIn] = RGB(146, 143, 130);
    c[tcDockBorderOut] = RGB(146, 143, 130);
    c[tcDockBorderTitle] = clBtnShadow;
    c[tcDragHandle] = RGB(191, 188, 177);
    c[tcMenuText] = clMenuText;
    c[tcHighlightText] = clHighlightText;
    c[tcCaptionText] = clHighlightText;
    c[tcSelBar] = RGB(193, 210, 238);
    c[tcSelItem] = RGB(193, 210, 238);
    c[tcSelBarBorder] = clHighlight;
    c[tcSelItemBorder] = clHighlight;
    c[tcSelPushedBorder] = clHighlight;
    c[tcSelPushed] = RGB(173, 196, 232);
    c[tcCheckedOver] = RGB(173, 196, 232);
    c[tcChecked] = RGB(229, 233, 233);
    c[tcSeparator] = RGB(184, 181, 168);
    c[tcImgListShadow] = RGB(135, 149, 166);
    c[tcGradStart] = RGB(236, 241, 249);
    c[tcGradEnd] = RGB(193, 210, 238);
    c[tcPopupGradStart] = RGB(239, 237, 222);
    c[tcPopupGradEnd] = RGB(250, 249, 245);
    c[tcImgGradStart] = RGB(239, 237, 222);
    c[tcImgGradEnd] = RGB(189, 187, 172);
    return c;
}();

TRIVERTEX Vertex(int x, int y, TColor color) {
    const COLORREF rgb = ColorToRGB(color);
    return TRIVERTEX{x,
                     y,
                     static_cast<COLOR16>(GetRValue(rgb) << 8),
                     static_cast<COLOR16>(GetGValue(rgb) << 8),
                     static_cast<COLOR16>(GetBValue(rgb) << 8),
                     0};
}
}  // namespace

TBSkin::TBSkin(TComponent* owner) : TComponent(owner), colors_(kOfficeColors) {}

void TBSkin::SetColor(TTBSkinColor which, TColor color) { colors_[which] = color; }

void TBSkin::FillGradient(HDC dc, const RECT& rect, TColor start, TColor end, bool horizontal) {
    if (rect.right <= rect.left || rect.bottom <= rect.top) return;
    TRIVERTEX corners[2] = {Vertex(rect.left, rect.top, start), Vertex(rect.right, rect.bottom, end)};
    GRADIENT_RECT span{0, 1};
    // The system's own entry rather than the image library's, which only forwards to it and
    // would be one more library to load at every start.
    ::GdiGradientFill(dc, corners, 2, &span, 1, horizontal ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
}

void TBSkin::PaintGradient(HDC dc, const RECT& rect, TTBSkinColor start, TTBSkinColor end) const {
    if (gradient_ == TTBGradient::tbgNone) {
        FillSolid(dc, rect, Color(start));
    } else {
        FillGradient(dc, rect, Color(start), Color(end), gradient_ == TTBGradient::tbgLeftRight);
    }
}

void TBSkin::PaintImageColumn(HDC dc, const RECT& rect) const {
    if (imageStyle_ == TTBImageStyle::tbimsSolid) {
        FillSolid(dc, rect, Color(tcImageList));
    } else {
        FillGradient(dc, rect, Color(tcImgGradStart), Color(tcImgGradEnd), imageStyle_ == TTBImageStyle::tbimsGradHorz);
    }
}

void TBSkin::PaintBar(HDC dc, const RECT& rect, TTBSkinColor fill, TTBSkinColor border) const {
    FillSolid(dc, rect, Color(fill));
    PaintFrame(dc, rect, border);
}

void TBSkin::PaintFrame(HDC dc, const RECT& rect, TTBSkinColor border) const {
    RECT ring = rect;
    Frame3D(dc, ring, Color(border), Color(border), 1);
}

void TBSkin::PaintHorizontalLine(HDC dc, int left, int right, int y, TTBSkinColor color) const {
    FillSolid(dc, RECT{left, y, right, y + 1}, Color(color));
}

void TBSkin::PaintVerticalLine(HDC dc, int x, int top, int bottom, TTBSkinColor color) const {
    FillSolid(dc, RECT{x, top, x + 1, bottom}, Color(color));
}
