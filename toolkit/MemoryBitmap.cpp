#include "toolkit/MemoryBitmap.h"

UniqueHbitmap MakeMemoryBitmap(int width, int height, void** bits) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    void* pixels = nullptr;
    UniqueHbitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
    if (bits) *bits = pixels;
    return bitmap;
}
