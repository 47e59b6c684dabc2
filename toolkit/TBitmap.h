#pragma once
// A bitmap picture held as a device-independent section. When transparent, the pixels of
// the transparent colour are left out when it is drawn; that colour is by default the
// bitmap's bottom-left pixel.
#include <windows.h>

#include <string>

#include "toolkit/TColor.h"
#include "toolkit/TGraphic.h"
#include "toolkit/UniqueHandle.h"

class TBitmap : public TGraphic {
public:
    TBitmap() = default;

    bool Empty() const override { return !handle_; }
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void Draw(HDC dc, int x, int y) const override;
    void StretchDraw(HDC dc, const RECT& rect) const override;

    // A new 32-bit bitmap of that size, black.
    void SetSize(int width, int height);
    // Takes ownership of a bitmap.
    void SetHandle(HBITMAP bitmap);
    HBITMAP Handle() const { return handle_.get(); }
    // From a BITMAP resource of a module; throws when there is none.
    void LoadFromResourceName(HINSTANCE module, const std::string& name);
    void LoadFromFile(const std::string& path);

    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value) { transparent_ = value; }
    // clNone (the default) takes the bottom-left pixel's colour.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor color) { transparentColor_ = color; }

    // Colour of one pixel (clNone outside the bitmap).
    TColor Pixel(int x, int y) const;

private:
    void DrawInto(HDC dc, int x, int y, int width, int height) const;

    UniqueHbitmap handle_;
    int width_ = 0;
    int height_ = 0;
    bool transparent_ = false;
    TColor transparentColor_ = clNone;
};
