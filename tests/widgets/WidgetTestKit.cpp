#include "tests/widgets/WidgetTestKit.h"

#include "toolkit/BitmapDC.h"
#include "toolkit/Frame3D.h"

std::unique_ptr<TBitmap> RedBlock(int width, int height) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(width, height);
    BitmapDC dc(*bitmap);
    FillSolid(dc.get(), RECT{0, 0, width, height}, kRed);
    ::SetPixel(dc.get(), 0, height - 1, RGB(0, 255, 0));
    return bitmap;
}
