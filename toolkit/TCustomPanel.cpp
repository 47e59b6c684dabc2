#include "toolkit/TCustomPanel.h"

#include "toolkit/Frame3D.h"
#include "toolkit/SelectObjectGuard.h"

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) { SetBounds(0, 0, 185, 41); }

void TCustomPanel::SetBevelInner(TBevelCut value) {
    if (value == bevelInner_) return;
    bevelInner_ = value;
    Invalidate();
}

void TCustomPanel::SetBevelOuter(TBevelCut value) {
    if (value == bevelOuter_) return;
    bevelOuter_ = value;
    Invalidate();
}

void TCustomPanel::SetBevelWidth(int value) {
    if (value < 1) value = 1;
    if (value == bevelWidth_) return;
    bevelWidth_ = value;
    Invalidate();
}

void TCustomPanel::DrawBevel(HDC dc, RECT& rect, TBevelCut cut, int width) {
    switch (cut) {
        case TBevelCut::bvNone:
            break;
        case TBevelCut::bvRaised:
            Frame3D(dc, rect, clBtnHighlight, clBtnShadow, width);
            break;
        case TBevelCut::bvLowered:
            Frame3D(dc, rect, clBtnShadow, clBtnHighlight, width);
            break;
    }
}

void TCustomPanel::Paint(HDC dc) {
    RECT rect;
    ::GetClientRect(Handle(), &rect);
    DrawBevel(dc, rect, bevelOuter_, bevelWidth_);
    DrawBevel(dc, rect, bevelInner_, bevelWidth_);
    FillSolid(dc, rect, Color());

    std::string caption = Caption();
    if (caption.empty()) return;
    SelectObjectGuard font(dc, Font().Handle());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ColorToRGB(Font().Color()));
    ::DrawTextA(dc, caption.c_str(), -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}
