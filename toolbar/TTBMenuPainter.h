#pragma once
// Draws a pop-up menu in a skin: the frame, the image column, the rows with their captions,
// pictures and check marks, the selection bar, separators and titles in toolbar style.
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "toolbar/TBSkin.h"
#include "toolbar/TTBMenuLayout.h"
#include "toolkit/TMenuItem.h"

class TTBMenuPainter {
public:
    TTBMenuPainter(const TBSkin& skin, HFONT font, HFONT boldFont, HIMAGELIST images);

    void Paint(HDC dc, const RECT& client, const TTBMenuLayout& layout, const std::vector<TMenuItem*>& items,
               int selected) const;

    // The caption in a row's text area, "&" underlining the letter after it.
    static void DrawCaption(HDC dc, const std::string& caption, RECT area, HFONT font, COLORREF color);

private:
    void PaintTitle(HDC dc, const RECT& row, const TMenuItem& item) const;
    void PaintRow(HDC dc, const RECT& row, const TMenuItem& item, bool selected) const;
    void PaintCheck(HDC dc, const RECT& cell) const;

    const TBSkin& skin_;
    HFONT font_;
    HFONT boldFont_;
    HIMAGELIST images_;
};
