#pragma once
// Writes a bitmap as a baseline JFIF JPEG with libjpeg: the library's defaults, quality 90
// with baseline forced, floating-point DCT, three-component colour. The work is split in
// the steps a still goes through, so each can be measured on its own.
#include <string>
#include <vector>

#include "toolkit/DibPixels.h"
#include "toolkit/TBitmap.h"

class JpegWriter {
public:
    static constexpr int kQuality = 90;

    // Raises an EOSError when the pixels cannot be had or compressed, or the file cannot
    // be written (GetLastError holds the code); no partial file is left under the name.
    void SaveToFile(const TBitmap& bitmap, const std::string& path) const;

    // The rows the compressor takes: 32-bit BGRX, top row first.
    static DibPixels Rows(const TBitmap& bitmap);
    static std::vector<unsigned char> Compress(const DibPixels& rows);
    static void Write(const std::vector<unsigned char>& jpeg, const std::string& path);
};
