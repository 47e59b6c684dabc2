#pragma once
// A bitmap that lives in memory alone: 32 bits a pixel, rows top down. Drawing into it never
// asks the display; under Wine a bitmap of the display's kind costs round trips to its
// server at every use (making two tray pictures that way took 5 ms, this way 0.3 ms).
#include <windows.h>

#include "toolkit/UniqueHandle.h"

// Null when it cannot be made; `bits`, when given, receives its pixels.
UniqueHbitmap MakeMemoryBitmap(int width, int height, void** bits = nullptr);
