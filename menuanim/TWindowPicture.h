#pragma once
// A picture of a whole window (frame included) taken before the window appears, and the
// window's own device context to put it back on the screen piece by piece.
#include <windows.h>

#include "toolkit/SelectObjectGuard.h"
#include "toolkit/UniqueHandle.h"

class TWindowPicture {
public:
    using UpdateLayeredFunction = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD);

    // Has the window draw itself completely into the picture (WM_PRINT).
    explicit TWindowPicture(HWND window);
    TWindowPicture(const TWindowPicture&) = delete;
    TWindowPicture& operator=(const TWindowPicture&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }

    // The picture on the window with its top-left corner at (x, y) of the window.
    void CopyTo(int x, int y) const;
    // The whole picture at the window's place on the screen with a constant alpha (0..255).
    void Blend(UpdateLayeredFunction update, int alpha) const;

private:
    // The whole-window context of the cache; released with the window it came from.
    class CacheDC {
    public:
        explicit CacheDC(HWND window) : window_(window), dc_(::GetDCEx(window, nullptr, DCX_WINDOW | DCX_CACHE)) {}
        CacheDC(const CacheDC&) = delete;
        CacheDC& operator=(const CacheDC&) = delete;
        ~CacheDC() {
            if (dc_) ::ReleaseDC(window_, dc_);
        }
        HDC get() const { return dc_; }

    private:
        HWND window_;
        HDC dc_;
    };

    TWindowPicture(HWND window, const RECT& outer);

    HWND window_;
    int width_;
    int height_;
    // Declared in this order so that the bitmap is deselected before the memory context
    // and the bitmap are deleted, and the window's context is released last.
    CacheDC windowDc_;
    UniqueHbitmap bitmap_;
    UniqueMemoryDc memoryDc_;
    SelectObjectGuard selection_;
};
