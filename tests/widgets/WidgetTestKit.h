#pragma once
// Small pieces shared by the widget tests.
#include <windows.h>

#include <memory>

#include "tests/support/PixelCanvas.h"
#include "toolkit/TBitmap.h"

// A red block whose bottom-left pixel is green: drawn transparent, only red shows.
std::unique_ptr<TBitmap> RedBlock(int width, int height);

constexpr COLORREF kRed = RGB(255, 0, 0);

#define EXPECT_PIXEL(canvas, x, y, color) \
    EXPECT_EQ(PixelCanvas::Hex((canvas).At(x, y)), PixelCanvas::Hex(color)) << "pixel " << (x) << "," << (y)
