#pragma once
// A picture that can draw itself: at its own size at a point, or stretched into a rectangle.
#include <windows.h>

#include "toolkit/TObject.h"

class TGraphic : public TObject {
public:
    virtual bool Empty() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void Draw(HDC dc, int x, int y) const = 0;
    virtual void StretchDraw(HDC dc, const RECT& rect) const = 0;
};
