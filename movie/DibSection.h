#pragma once
// A 32-bit device-independent bitmap whose pixels the program reads and writes directly
// (blue, green, red, unused per pixel; rows DWORD-aligned by nature).
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "toolkit/UniqueHandle.h"

class DibSection {
public:
    DibSection() = default;

    // Makes a new picture; raises an Exception when the system cannot (a zero or huge size).
    // Bottom-up is the orientation that GetDIBits hands out rows in.
    void Create(int width, int height, bool bottomUp);
    void Reset();

    bool Empty() const { return !bitmap_; }
    HBITMAP Handle() const { return bitmap_.get(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Row y counted from the top, whatever the orientation.
    std::uint8_t* Row(int y) const { return top_ + stride_ * y; }
    // Bytes from one row to the next one below it (negative when bottom-up).
    std::ptrdiff_t Stride() const { return stride_; }

private:
    UniqueHbitmap bitmap_;
    std::uint8_t* top_ = nullptr;
    std::ptrdiff_t stride_ = 0;
    int width_ = 0;
    int height_ = 0;
};
