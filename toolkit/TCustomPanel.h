#pragma once
// A panel: a face in its colour inside up to two bevels (outer, then inner), with its
// caption centred on the face. Other controls may sit on it.
#include "toolkit/TCustomControl.h"

enum class TBevelCut { bvNone, bvLowered, bvRaised };

class TCustomPanel : public TCustomControl {
public:
    explicit TCustomPanel(TComponent* owner);

    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut value);
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut value);
    // Pixels per bevel.
    void SetBevelWidth(int value);

protected:
    void Paint(HDC dc) override;
    // Draws one bevel as a frame of `width` pixels, shrinking the rectangle.
    static void DrawBevel(HDC dc, RECT& rect, TBevelCut cut, int width);

private:
    TBevelCut bevelInner_ = TBevelCut::bvNone;
    TBevelCut bevelOuter_ = TBevelCut::bvRaised;
    int bevelWidth_ = 1;
};
