#include "toolkit/TBitmap.h"

#include <cstdint>
#include <new>

#include "toolkit/BmpFile.h"
#include "toolkit/EOSError.h"
#include "toolkit/LastErrorOnFailure.h"
#include "toolkit/SelectObjectGuard.h"
#include "toolkit/WindowDC.h"

namespace {
// A BITMAPINFO with room for the largest colour table (or the three masks).
struct InfoWithColours {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];

    BITMAPINFO* get() { return reinterpret_cast<BITMAPINFO*>(this); }
};

// Far above any screen, and below what a 32-bit process could ever map.
constexpr std::uint64_t kLargestBitmap = 1024ull * 1024 * 1024;

std::string SizeText(int width, int height) { return std::to_string(width) + "x" + std::to_string(height); }

// A failed GDI call does not always set an error code; the save path needs a real one.
[[noreturn]] void ThrowGdiFailure() {
    DWORD code = ::GetLastError();
    if (code == ERROR_SUCCESS) code = ERROR_NOT_ENOUGH_MEMORY;
    EOSError error(code);
    ::SetLastError(code);
    throw error;
}
}  // namespace

std::shared_ptr<TBitmap::Image> TBitmap::NewImage(int width, int height) {
    if (width <= 0 || height <= 0)
        throw Exception("ビットマップの大きさが正しくありません (" + SizeText(width, height) + ")");
    WindowDC screen(nullptr);
    const int depth = ::GetDeviceCaps(screen.get(), BITSPIXEL) * ::GetDeviceCaps(screen.get(), PLANES);
    if (DibPixels::StrideOf(width, depth) * static_cast<std::uint64_t>(height) > kLargestBitmap)
        throw Exception("ビットマップが大きすぎます (" + SizeText(width, height) + ")");
    auto image = std::make_shared<Image>();
    image->handle.reset(::CreateCompatibleBitmap(screen.get(), width, height));
    if (!image->handle) throw Exception("ビットマップを作成できません (" + SizeText(width, height) + ")");
    image->width = width;
    image->height = height;
    return image;
}

void TBitmap::SetSize(int width, int height) {
    if (image_ && width == image_->width && height == image_->height) return;
    image_ = NewImage(width, height);
}

void TBitmap::Assign(const TBitmap& source) {
    if (&source == this) return;
    image_ = source.image_;
}

HBITMAP TBitmap::WritableHandle() {
    if (!image_) return nullptr;
    if (image_.use_count() > 1) {
        auto copy = NewImage(image_->width, image_->height);
        UniqueMemoryDc from(::CreateCompatibleDC(nullptr));
        UniqueMemoryDc to(::CreateCompatibleDC(nullptr));
        if (!from || !to) throw Exception("デバイス コンテキストを作成できません");
        SelectObjectGuard fromSelection(from.get(), image_->handle.get());
        SelectObjectGuard toSelection(to.get(), copy->handle.get());
        ::BitBlt(to.get(), 0, 0, copy->width, copy->height, from.get(), 0, 0, SRCCOPY);
        image_ = std::move(copy);
    }
    return image_->handle.get();
}

void TBitmap::Draw(HDC dc, int x, int y) const {
    if (image_) DrawInto(dc, RECT{x, y, x + image_->width, y + image_->height});
}

void TBitmap::StretchDraw(HDC dc, const RECT& rect) const {
    if (image_) DrawInto(dc, rect);
}

void TBitmap::DrawInto(HDC dc, const RECT& rect) const {
    // Read before the bitmap is selected below: it can be in only one device context.
    const COLORREF transparent = transparent_ ? ColorToRGB(TransparentColor()) : CLR_INVALID;
    UniqueMemoryDc source(::CreateCompatibleDC(dc));
    if (!source) return;
    SelectObjectGuard selection(source.get(), image_->handle.get());
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (transparent_) {
        ::GdiTransparentBlt(dc, rect.left, rect.top, width, height, source.get(), 0, 0, image_->width, image_->height,
                            transparent);
    } else if (width == image_->width && height == image_->height) {
        ::BitBlt(dc, rect.left, rect.top, width, height, source.get(), 0, 0, SRCCOPY);
    } else {
        const int oldMode = ::SetStretchBltMode(dc, HALFTONE);
        POINT oldOrigin{};
        ::SetBrushOrgEx(dc, 0, 0, &oldOrigin);  // HALFTONE needs it after the mode change
        ::StretchBlt(dc, rect.left, rect.top, width, height, source.get(), 0, 0, image_->width, image_->height,
                     SRCCOPY);
        ::SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
        if (oldMode) ::SetStretchBltMode(dc, oldMode);
    }
}

void TBitmap::SetHandle(HBITMAP bitmap) {
    if (!bitmap) {
        image_.reset();
        return;
    }
    auto image = std::make_shared<Image>();
    image->handle.reset(bitmap);
    BITMAP info{};
    if (::GetObjectA(bitmap, sizeof info, &info)) {
        image->width = info.bmWidth;
        image->height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    }
    image_ = std::move(image);
}

void TBitmap::LoadFromResourceName(HINSTANCE module, const std::string& name) {
    HANDLE image = ::LoadImageA(module, name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    ThrowLastErrorIf(image == nullptr);
    SetHandle(static_cast<HBITMAP>(image));
}

TColor TBitmap::Pixel(int x, int y) const {
    if (!image_ || x < 0 || y < 0 || x >= image_->width || y >= image_->height) return clNone;
    UniqueMemoryDc source(::CreateCompatibleDC(nullptr));
    SelectObjectGuard selection(source.get(), image_->handle.get());
    return static_cast<TColor>(::GetPixel(source.get(), x, y));
}

TColor TBitmap::TransparentColor() const { return Pixel(0, Height() - 1); }

DibPixels TBitmap::Pixels(WORD bitCount, bool topDown) const {
    if (!image_) throw Exception("ビットマップが空です");
    WindowDC screen(nullptr);
    InfoWithColours info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    DWORD compression = BI_RGB;
    if (bitCount == 0) {
        // Ask for the bitmap's own format first; at 16 bits the masks then tell 5-6-5
        // from 5-5-5, which BI_RGB would silently convert to 5-5-5.
        if (!::GetDIBits(screen.get(), image_->handle.get(), 0, 0, nullptr, info.get(), DIB_RGB_COLORS))
            ThrowGdiFailure();
        bitCount = info.header.biBitCount;
        if (bitCount == 16 || (bitCount == 32 && info.header.biCompression == BI_BITFIELDS)) compression = BI_BITFIELDS;
    }
    info = {};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = image_->width;
    info.header.biHeight = topDown ? -image_->height : image_->height;
    info.header.biPlanes = 1;
    info.header.biBitCount = bitCount;
    info.header.biCompression = compression;

    DibPixels pixels;
    try {
        pixels.rows.resize(DibPixels::StrideOf(image_->width, bitCount) * static_cast<std::size_t>(image_->height));
    } catch (const std::bad_alloc&) {
        ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        ThrowGdiFailure();
    }
    const int lines = ::GetDIBits(screen.get(), image_->handle.get(), 0, static_cast<UINT>(image_->height),
                                  pixels.rows.data(), info.get(), DIB_RGB_COLORS);
    if (lines != image_->height) ThrowGdiFailure();

    pixels.header = info.header;
    pixels.header.biSizeImage = static_cast<DWORD>(pixels.rows.size());
    std::size_t colours = 0;
    if (compression == BI_BITFIELDS) {
        colours = 3;
    } else if (bitCount <= 8) {
        colours = info.header.biClrUsed ? info.header.biClrUsed : (1u << bitCount);
        if (colours > 256) colours = 256;
    }
    pixels.colours.assign(info.colours, info.colours + colours);
    return pixels;
}

void TBitmap::SaveToFile(const std::string& path) const {
    if (!image_) throw Exception("ビットマップが空です");
    LastErrorOnFailure([&] { WriteBmpFile(Pixels(), path); });
}

void TBitmap::LoadFromFile(const std::string& path) {
    const DibPixels pixels = ReadBmpFile(path);
    InfoWithColours info{};
    info.header = pixels.header;
    std::copy(pixels.colours.begin(), pixels.colours.end(), info.colours);

    auto image = NewImage(pixels.header.biWidth, pixels.Height());
    WindowDC screen(nullptr);
    const int lines = ::SetDIBits(screen.get(), image->handle.get(), 0, static_cast<UINT>(image->height),
                                  pixels.rows.data(), info.get(), DIB_RGB_COLORS);
    if (lines != image->height) throw Exception("ビットマップを読み込めません: " + path);
    image_ = std::move(image);
}
