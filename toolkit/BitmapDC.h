#pragma once
// A memory device context with a bitmap selected into it, for drawing into that bitmap.
// The bitmap stops sharing its pixels with any copy first. While this lives, the bitmap
// cannot be selected elsewhere (Draw, GetDIBits): keep its scope short.
#include <windows.h>

#include "toolkit/SelectObjectGuard.h"
#include "toolkit/TBitmap.h"
#include "toolkit/UniqueHandle.h"

class BitmapDC {
public:
    // Raises an Exception when the bitmap is empty.
    explicit BitmapDC(TBitmap& bitmap);
    BitmapDC(const BitmapDC&) = delete;
    BitmapDC& operator=(const BitmapDC&) = delete;

    HDC get() const { return dc_.get(); }

private:
    static HBITMAP DrawingTarget(TBitmap& bitmap);

    // Declared in this order so the bitmap is deselected before the context is deleted.
    UniqueMemoryDc dc_;
    SelectObjectGuard selection_;
};
