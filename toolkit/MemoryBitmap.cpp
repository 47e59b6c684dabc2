#include "toolkit/MemoryBitmap.h"

UniqueHbitmap MakeMemoryBitmap(int width, int height, bool bottomUp, void** bits) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, bottomUp ? height : -height, 1, 32, BI_RGB};
    void* pixels = nullptr;
    UniqueHbitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
    if (bits) *bits = bitmap ? pixels : nullptr;
    return bitmap;
}
