#pragma once
// A bitmap picture, normally device-compatible (its pixels have the display's current
// format). Copies are cheap: Assign shares the pixels, and whichever side is drawn into
// next (BitmapDC) takes a private copy first, so a full-screen picture is held once however
// many holders see it. When transparent, the pixels of the transparent colour (the
// bottom-left pixel's) are left out when it is drawn.
#include <windows.h>

#include <memory>
#include <string>

#include "toolkit/DibPixels.h"
#include "toolkit/TColor.h"
#include "toolkit/TGraphic.h"
#include "toolkit/UniqueHandle.h"

class TBitmap : public TGraphic {
public:
    TBitmap() = default;

    bool Empty() const override { return !image_; }
    int Width() const override { return image_ ? image_->width : 0; }
    int Height() const override { return image_ ? image_->height : 0; }
    // A new blank bitmap of that size, unless it already has it. Raises an Exception when
    // the size is empty or the bitmap cannot be made.
    void SetSize(int width, int height);
    // Back to empty.
    void Clear() { image_.reset(); }

    // Takes a copy of the source's picture (shared until one of them is drawn into).
    void Assign(const TBitmap& source);
    // For reading and drawing from; null when empty. Draw into it only through BitmapDC.
    HBITMAP Handle() const { return image_ ? image_->handle.get() : nullptr; }
    // Takes ownership of a bitmap (null empties this one).
    void SetHandle(HBITMAP bitmap);
    // From a BITMAP resource of a module; raises when there is none.
    void LoadFromResourceName(HINSTANCE module, const std::string& name);

    void SetTransparent(bool value) { transparent_ = value; }
    // The bottom-left pixel's colour.
    TColor TransparentColor() const;
    // Colour of one pixel (clNone outside the bitmap).
    TColor Pixel(int x, int y) const;

    void Draw(HDC dc, int x, int y) const override;
    // Scales with averaging (HALFTONE), so a shrunken screen stays readable.
    void StretchDraw(HDC dc, const RECT& rect) const override;

    // The pixels in device-independent form: bitCount 0 gives the bitmap's own format
    // (16 bits with the display's real colour masks), 16 gives 5-5-5, 24 and 32 BGR(X).
    DibPixels Pixels(WORD bitCount = 0, bool topDown = false) const;

    // A BMP at the bitmap's own depth, written safely (see AtomicFile): on failure an
    // EOSError, GetLastError holding its code, and no partial file under the name.
    void SaveToFile(const std::string& path) const;
    // Raises an Exception for a file that is missing, truncated or not a bitmap; the
    // bitmap is unchanged then.
    void LoadFromFile(const std::string& path);

private:
    friend class BitmapDC;
    // The handle to draw into: copied first when another holder shares it.
    HBITMAP WritableHandle();

    struct Image {
        UniqueHbitmap handle;
        int width = 0;
        int height = 0;
    };
    static std::shared_ptr<Image> NewImage(int width, int height);

    void DrawInto(HDC dc, const RECT& rect) const;

    std::shared_ptr<Image> image_;
    bool transparent_ = false;
};
