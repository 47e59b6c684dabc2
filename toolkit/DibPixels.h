#pragma once
// A bitmap's pixels in device-independent form, the way GetDIBits hands them out and a
// BMP file stores them: the information header, the colour masks (BI_BITFIELDS) or colour
// table that the format needs, and the rows.
#include <windows.h>

#include <cstddef>
#include <vector>

struct DibPixels {
    BITMAPINFOHEADER header{};
    // Three masks as RGBQUADs for BI_BITFIELDS, the colour table for 8 bits or fewer,
    // otherwise none.
    std::vector<RGBQUAD> colours;
    std::vector<BYTE> rows;

    static std::size_t StrideOf(int width, int bitCount) {
        return ((static_cast<std::size_t>(width) * static_cast<std::size_t>(bitCount) + 31) / 32) * 4;
    }
    std::size_t Stride() const { return StrideOf(header.biWidth, header.biBitCount); }
    int Height() const { return header.biHeight < 0 ? -header.biHeight : header.biHeight; }
};
