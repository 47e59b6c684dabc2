#include "tests/support/PixelCanvas.h"

#include <cstdio>
#include <memory>

#include "toolkit/TCustomControl.h"

PixelCanvas::PixelCanvas(int width, int height, COLORREF fill)
    : width_(width), height_(height), dc_(::CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.reset(::CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    bits_ = static_cast<DWORD*>(bits);
    selection_ = std::make_unique<SelectObjectGuard>(dc_.get(), bitmap_.get());
    Fill(fill);
}

std::unique_ptr<PixelCanvas> PixelCanvas::Paint(TCustomControl& control) {
    RECT client;
    ::GetClientRect(control.Handle(), &client);
    auto canvas = std::make_unique<PixelCanvas>(client.right, client.bottom);
    control.PaintTo(canvas->dc());
    ::GdiFlush();
    return canvas;
}

void PixelCanvas::Fill(COLORREF color) {
    DWORD value = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
    for (int i = 0; i < width_ * height_; ++i) bits_[i] = value;
}

COLORREF PixelCanvas::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    DWORD value = bits_[y * width_ + x];
    return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

int PixelCanvas::Differences(const PixelCanvas& other, const RECT& area) const {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) count += At(x, y) != other.At(x, y);
    return count;
}

RECT PixelCanvas::BoundsOf(COLORREF color) const {
    RECT bounds{width_, height_, 0, 0};
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            if (At(x, y) != color) continue;
            if (x < bounds.left) bounds.left = x;
            if (y < bounds.top) bounds.top = y;
            if (x + 1 > bounds.right) bounds.right = x + 1;
            if (y + 1 > bounds.bottom) bounds.bottom = y + 1;
        }
    }
    if (bounds.right == 0) bounds = RECT{0, 0, 0, 0};
    return bounds;
}

std::string PixelCanvas::Hex(COLORREF color) {
    char text[16];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(color), GetGValue(color), GetBValue(color));
    return text;
}
