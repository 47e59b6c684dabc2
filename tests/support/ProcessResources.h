#pragma once
// What the test process holds right now: kernel handles, windows and threads, for tests
// that show that components leave nothing behind over repeated lives.
#include <windows.h>

struct ProcessResources {
    DWORD handles = 0, windows = 0, threads = 0;
};

ProcessResources MeasureProcessResources();
