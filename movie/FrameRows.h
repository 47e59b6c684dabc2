#pragma once
// Lays a 32-bit picture out as a frame is stored: bottom-up rows of 16 bits a pixel (5 bits
// each of red, green and blue) or 24 (a blue, a green and a red byte), each row padded to a
// whole number of DWORDs, as a BI_RGB bitmap of that depth.
#include <windows.h>

#include <cstddef>

#include "movie/DibSection.h"

// Bytes of one frame of that size and depth.
std::size_t FrameBytes(int width, int height, int bitDepth);

// Writes FrameBytes(picture's size, bitDepth) bytes to `frame`. Each 8-bit channel becomes
// the 5-bit level nearest to it, as a reader widens the levels back.
void StoreFrameRows(const DibSection& picture, int bitDepth, BYTE* frame);
