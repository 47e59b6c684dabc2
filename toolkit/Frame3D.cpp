#include "toolkit/Frame3D.h"

#include "toolkit/UniqueHandle.h"

void FillSolid(HDC dc, const RECT& rect, TColor color) {
    UniqueHbrush brush(::CreateSolidBrush(ColorToRGB(color)));
    ::FillRect(dc, &rect, brush.get());
}

void Frame3D(HDC dc, RECT& rect, TColor topLeft, TColor bottomRight, int width) {
    for (int ring = 0; ring < width; ++ring) {
        if (rect.right - rect.left <= 0 || rect.bottom - rect.top <= 0) return;
        // The bottom-right colour takes the top-right and bottom-left corners too, the
        // way the system draws its own edges.
        FillSolid(dc, RECT{rect.left, rect.top, rect.right - 1, rect.top + 1}, topLeft);
        FillSolid(dc, RECT{rect.left, rect.top, rect.left + 1, rect.bottom - 1}, topLeft);
        FillSolid(dc, RECT{rect.right - 1, rect.top, rect.right, rect.bottom}, bottomRight);
        FillSolid(dc, RECT{rect.left, rect.bottom - 1, rect.right, rect.bottom}, bottomRight);
        ::InflateRect(&rect, -1, -1);
    }
}
