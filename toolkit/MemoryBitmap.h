#pragma once
// A bitmap that lives in memory alone: 32 bits a pixel, rows top down unless asked
// otherwise. Drawing into it never asks the display; under Wine a bitmap of the display's
// kind costs round trips to its server each time a context takes it or it is made.
#include <windows.h>

#include "toolkit/UniqueHandle.h"

// Null when it cannot be made. `bits`, when given, receives where its pixels lie.
UniqueHbitmap MakeMemoryBitmap(int width, int height, bool bottomUp = false, void** bits = nullptr);
