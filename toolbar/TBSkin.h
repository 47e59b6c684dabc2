#pragma once
// The office-style skin of the framework's toolbars and pop-up menus: a table of colours,
// the direction of the background gradients and the look of a menu's image column. The
// drawing operations here are the pieces both toolbars and menus are made of.
#include <windows.h>

#include <array>

#include "toolkit/TColor.h"
#include "toolkit/TComponent.h"

enum TTBSkinColor {
    tcFace,
    tcPopup,
    tcBorder,
    tcToolbar,
    tcImageList,
    tcDockBorderIn,
    tcDockBorderOut,
    tcDockBorderTitle,
    tcDragHandle,
    tcMenuText,
    tcHighlightText,
    tcCaptionText,
    tcSelBar,
    tcSelItem,
    tcSelBarBorder,
    tcSelItemBorder,
    tcSelPushedBorder,
    tcSelPushed,
    tcCheckedOver,
    tcChecked,
    tcSeparator,
    tcImgListShadow,
    tcGradStart,
    tcGradEnd,
    tcPopupGradStart,
    tcPopupGradEnd,
    tcImgGradStart,
    tcImgGradEnd,
    tcSkinColorCount
};

// Direction of the toolbar and title backgrounds.
enum class TTBGradient { tbgNone, tbgLeftRight, tbgTopBottom };
// Background of a menu's image column: one colour, or a gradient across or along it.
enum class TTBImageStyle { tbimsSolid, tbimsGradHorz, tbimsGradVert };
// Options: drop shadows under pop-ups.
constexpr unsigned tboShadow = 1;

class TBSkin : public TComponent {
public:
    explicit TBSkin(TComponent* owner);

    TColor Color(TTBSkinColor which) const { return colors_[which]; }
    void SetColor(TTBSkinColor which, TColor color);
    TTBGradient Gradient() const { return gradient_; }
    void SetGradient(TTBGradient gradient) { gradient_ = gradient; }
    TTBImageStyle ImageStyle() const { return imageStyle_; }
    void SetImageStyle(TTBImageStyle style) { imageStyle_ = style; }
    unsigned Options() const { return options_; }
    void SetOptions(unsigned options) { options_ = options; }

    // A background from one colour of the table to another in the skin's gradient
    // direction; the first colour alone without a gradient.
    void PaintGradient(HDC dc, const RECT& rect, TTBSkinColor start, TTBSkinColor end) const;
    // A menu's image column in the skin's image style.
    void PaintImageColumn(HDC dc, const RECT& rect) const;
    // A filled rectangle with a one-pixel border: selection bars, hot and checked items.
    void PaintBar(HDC dc, const RECT& rect, TTBSkinColor fill, TTBSkinColor border) const;
    void PaintFrame(HDC dc, const RECT& rect, TTBSkinColor border) const;
    void PaintHorizontalLine(HDC dc, int left, int right, int y, TTBSkinColor color) const;
    void PaintVerticalLine(HDC dc, int x, int top, int bottom, TTBSkinColor color) const;

    static void FillGradient(HDC dc, const RECT& rect, TColor start, TColor end, bool horizontal);

private:
    std::array<TColor, tcSkinColorCount> colors_;
    TTBGradient gradient_ = TTBGradient::tbgLeftRight;
    TTBImageStyle imageStyle_ = TTBImageStyle::tbimsGradHorz;
    unsigned options_ = 0;
};
