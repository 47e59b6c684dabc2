#include "toolkit/TBitmap.h"

#include "toolkit/EOSError.h"
#include "toolkit/SelectObjectGuard.h"

namespace {
// A memory device context with the bitmap selected for as long as it lives.
class BitmapDC {
public:
    BitmapDC(HDC compatible, HBITMAP bitmap) : dc_(::CreateCompatibleDC(compatible)), select_(dc_.get(), bitmap) {}
    HDC get() const { return dc_.get(); }

private:
    UniqueMemoryDc dc_;
    SelectObjectGuard select_;
};
}  // namespace

void TBitmap::SetSize(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ThrowLastErrorIf(bitmap == nullptr);
    SetHandle(bitmap);
}

void TBitmap::SetHandle(HBITMAP bitmap) {
    handle_.reset(bitmap);
    width_ = height_ = 0;
    BITMAP info{};
    if (bitmap && ::GetObjectA(bitmap, sizeof info, &info)) {
        width_ = info.bmWidth;
        height_ = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    }
}

void TBitmap::LoadFromResourceName(HINSTANCE module, const std::string& name) {
    HANDLE image = ::LoadImageA(module, name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    ThrowLastErrorIf(image == nullptr);
    SetHandle(static_cast<HBITMAP>(image));
}

void TBitmap::LoadFromFile(const std::string& path) {
    HANDLE image = ::LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | LR_LOADFROMFILE);
    ThrowLastErrorIf(image == nullptr);
    SetHandle(static_cast<HBITMAP>(image));
}

TColor TBitmap::Pixel(int x, int y) const {
    if (!handle_ || x < 0 || y < 0 || x >= width_ || y >= height_) return clNone;
    BitmapDC source(nullptr, handle_.get());
    return static_cast<TColor>(::GetPixel(source.get(), x, y));
}

TColor TBitmap::TransparentColor() const {
    if (transparentColor_ != clNone) return transparentColor_;
    return Pixel(0, height_ - 1);
}

void TBitmap::DrawInto(HDC dc, int x, int y, int width, int height) const {
    if (!handle_) return;
    // Read before the bitmap is selected below: it can be in only one device context.
    const COLORREF transparent = transparent_ ? ColorToRGB(TransparentColor()) : CLR_INVALID;
    BitmapDC source(dc, handle_.get());
    if (transparent_) {
        ::GdiTransparentBlt(dc, x, y, width, height, source.get(), 0, 0, width_, height_, transparent);
    } else if (width == width_ && height == height_) {
        ::BitBlt(dc, x, y, width, height, source.get(), 0, 0, SRCCOPY);
    } else {
        int previous = ::SetStretchBltMode(dc, COLORONCOLOR);
        ::StretchBlt(dc, x, y, width, height, source.get(), 0, 0, width_, height_, SRCCOPY);
        ::SetStretchBltMode(dc, previous);
    }
}

void TBitmap::Draw(HDC dc, int x, int y) const { DrawInto(dc, x, y, width_, height_); }

void TBitmap::StretchDraw(HDC dc, const RECT& rect) const {
    DrawInto(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}
