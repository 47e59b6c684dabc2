#include "app/TrayPictures.h"

#include "toolkit/EOSError.h"
#include "toolkit/MemoryBitmap.h"
#include "toolkit/SelectObjectGuard.h"
#include "toolkit/UniqueHandle.h"

namespace {
constexpr int kSize = 32;
// In an icon's mask black is opaque and white transparent; where the mask is transparent
// the colour picture must be black, so that the icon leaves the taskbar as it is.
constexpr COLORREF kMaskOpaque = RGB(0, 0, 0);
constexpr COLORREF kMaskTransparent = RGB(255, 255, 255);
constexpr COLORREF kColourTransparent = RGB(0, 0, 0);

// Draws the camera once in colour and once as its mask, so only the camera covers the
// taskbar.
void DrawCamera(HDC dc, bool mask, bool lampLit) {
    auto brush = [mask](COLORREF colour) { return UniqueHbrush(::CreateSolidBrush(mask ? kMaskOpaque : colour)); };
    auto pen = [mask](COLORREF colour) { return UniqueHpen(::CreatePen(PS_SOLID, 1, mask ? kMaskOpaque : colour)); };
    RECT all{0, 0, kSize, kSize};
    UniqueHbrush background(::CreateSolidBrush(mask ? kMaskTransparent : kColourTransparent));
    ::FillRect(dc, &all, background.get());

    auto outline = pen(RGB(30, 30, 40));
    SelectObjectGuard usePen(dc, outline.get());
    {
        auto body = brush(RGB(70, 78, 96));
        SelectObjectGuard useBrush(dc, body.get());
        ::RoundRect(dc, 10, 6, 20, 11, 3, 3);  // viewfinder hump
        ::RoundRect(dc, 1, 9, 31, 28, 6, 6);   // body
    }
    {
        auto ring = brush(RGB(200, 205, 215));
        SelectObjectGuard useBrush(dc, ring.get());
        ::Ellipse(dc, 8, 11, 24, 27);
    }
    {
        auto glass = brush(RGB(40, 90, 170));
        SelectObjectGuard useBrush(dc, glass.get());
        ::Ellipse(dc, 11, 14, 21, 24);
    }
    {
        auto shine = brush(RGB(190, 220, 255));
        SelectObjectGuard useBrush(dc, shine.get());
        ::Ellipse(dc, 13, 16, 16, 19);
    }
    {
        auto lamp = brush(lampLit ? RGB(255, 40, 30) : RGB(90, 20, 20));
        SelectObjectGuard useBrush(dc, lamp.get());
        ::Ellipse(dc, 24, 11, 30, 17);
    }
}

// Drawn into the list straight, as an icon of the same two bitmaps would give it.
void AddCamera(TImageList& list, bool lampLit) {
    UniqueHbitmap colour = MakeMemoryBitmap(kSize, kSize);
    UniqueHbitmap mask(::CreateBitmap(kSize, kSize, 1, 1, nullptr));
    ThrowLastErrorIf(!colour || !mask);
    {
        UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
        ThrowLastErrorIf(!dc);
        {
            SelectObjectGuard select(dc.get(), colour.get());
            DrawCamera(dc.get(), false, lampLit);
        }
        {
            SelectObjectGuard select(dc.get(), mask.get());
            DrawCamera(dc.get(), true, lampLit);
        }
    }
    list.Add(colour.get(), mask.get());
}
}  // namespace

void AddRecordingPictures(TImageList& list) {
    for (bool lampLit : {true, false}) AddCamera(list, lampLit);
}
