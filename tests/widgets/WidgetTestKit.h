#pragma once
// Small pieces shared by the widget tests.
#include <windows.h>

#include <memory>

#include "tests/support/PixelCanvas.h"
#include "toolkit/TBitmap.h"
#include "toolkit/TForm.h"

// A form shown at a known place on top of everything, with the pointer parked outside it.
class StageForm : public TForm {
public:
    StageForm();
    ~StageForm() override;
};

// A red block whose bottom-left pixel is green: drawn transparent, only red shows.
std::unique_ptr<TBitmap> RedBlock(int width, int height);

constexpr COLORREF kRed = RGB(255, 0, 0);

#define EXPECT_PIXEL(canvas, x, y, color) \
    EXPECT_EQ(PixelCanvas::Hex((canvas).At(x, y)), PixelCanvas::Hex(color)) << "pixel " << (x) << "," << (y)
