#include "tests/support/BmpSummary.h"

#include <cstdlib>

#include "tests/support/TestEnvironment.h"

BmpSummary ReadBmpSummary(const std::string& path) {
    const std::string bytes = ReadFileBytes(path);
    BmpSummary bmp;
    if (bytes.size() < 54 || bytes.compare(0, 2, "BM") != 0) return bmp;
    const auto* file = reinterpret_cast<const BITMAPFILEHEADER*>(bytes.data());
    const auto* info = reinterpret_cast<const BITMAPINFOHEADER*>(bytes.data() + sizeof(BITMAPFILEHEADER));
    bmp.width = info->biWidth;
    bmp.height = std::abs(info->biHeight);
    bmp.bitCount = info->biBitCount;
    const int bytesPerPixel = info->biBitCount / 8;
    if (bytesPerPixel < 3) return bmp;
    const size_t stride = (static_cast<size_t>(bmp.width) * bytesPerPixel + 3) & ~size_t{3};
    const size_t at = file->bfOffBits + stride * static_cast<size_t>(bmp.height / 2) +
                      static_cast<size_t>(bmp.width / 2) * bytesPerPixel;
    if (at + 3 > bytes.size()) return bmp;
    const auto* pixel = reinterpret_cast<const unsigned char*>(bytes.data() + at);
    bmp.centre = RGB(pixel[2], pixel[1], pixel[0]);
    return bmp;
}
