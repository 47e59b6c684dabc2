#pragma once
// A 32-bit top-down bitmap in a memory device context, for painting a control into and
// reading back pixel by pixel.
#include <windows.h>

#include <memory>
#include <string>

#include "toolkit/SelectObjectGuard.h"
#include "toolkit/UniqueHandle.h"

class TCustomControl;

class PixelCanvas {
public:
    PixelCanvas(int width, int height, COLORREF fill = RGB(255, 0, 255));
    PixelCanvas(const PixelCanvas&) = delete;
    PixelCanvas& operator=(const PixelCanvas&) = delete;

    // The control's painting at its client size, through the same code as WM_PAINT.
    static std::unique_ptr<PixelCanvas> Paint(TCustomControl& control);

    HDC dc() const { return dc_.get(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // RGB(...) of a pixel.
    COLORREF At(int x, int y) const;
    void Fill(COLORREF color);

    // Pixels that differ between two canvases of the same size inside a rectangle.
    int Differences(const PixelCanvas& other, const RECT& area) const;
    // Bounding box of the pixels of one colour (empty when there are none).
    RECT BoundsOf(COLORREF color) const;
    // "#RRGGBB" for failure messages.
    static std::string Hex(COLORREF color);

private:
    int width_;
    int height_;
    UniqueMemoryDc dc_;
    UniqueHbitmap bitmap_;
    // Last, so the bitmap is deselected before either is released.
    std::unique_ptr<SelectObjectGuard> selection_;
    DWORD* bits_ = nullptr;
};
