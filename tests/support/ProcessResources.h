#pragma once
// What the test process holds right now: kernel handles, windows and threads, for tests
// that show that components leave nothing behind over repeated lives.
#include <windows.h>

struct ProcessResources {
    DWORD handles = 0, windows = 0, threads = 0;
};

ProcessResources MeasureProcessResources();

// Measures once the process holds no more than the limit (threads that are ending close
// their handles a little later, later still on a busy machine), or after ten seconds, when
// what is held above it stays for good. A limit of 0 windows leaves windows out of the wait.
ProcessResources SettledProcessResources(const ProcessResources& limit);
