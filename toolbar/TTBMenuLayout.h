#pragma once
// Where the rows of a pop-up menu lie: a frame around a column of rows, each row as wide as
// the widest caption needs, separators thin, a title in toolbar style a little taller.
#include <windows.h>

#include <vector>

#include "toolkit/TMenuItem.h"

class TTBMenuLayout {
public:
    // The frame: a border line and one pixel of the menu's colour inside it.
    static constexpr int kEdge = 2;
    // The image column at the left of the rows, and the gap between it and a caption.
    static constexpr int kImageColumn = 24;
    static constexpr int kTextGap = 8;
    // Room right of the longest caption.
    static constexpr int kRightRoom = 24;
    static constexpr int kSeparatorHeight = 5;
    static constexpr int kMinRowHeight = 22;

    // Measures the captions with the menu's fonts (the default item's in bold).
    void Measure(HDC dc, const std::vector<TMenuItem*>& items, HFONT font, HFONT boldFont);

    SIZE Size() const { return size_; }
    const RECT& ItemRect(size_t index) const { return rects_[index]; }
    size_t Count() const { return rects_.size(); }
    // The row under a point of the window; -1 for none (frame, or outside).
    int ItemAt(POINT point) const;

private:
    std::vector<RECT> rects_;
    SIZE size_{};
};
