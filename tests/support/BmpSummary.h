#pragma once
// What a test wants to know of a BMP file the program wrote, read straight from its bytes.
#include <windows.h>

#include <string>

struct BmpSummary {
    int width = 0;
    int height = 0;
    int bitCount = 0;
    // The middle pixel, for 24- and 32-bit files (CLR_INVALID otherwise).
    COLORREF centre = CLR_INVALID;
};

// All zero for a file that is no BMP.
BmpSummary ReadBmpSummary(const std::string& path);
