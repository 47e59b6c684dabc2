#pragma once
// The log that the benchmark's build of the program writes its start-up steps into: shared
// memory under a fixed name, made and read by startup_bench, filled by the program through
// StartupSteps. Times are on the performance counter, which every process shares.
#include <windows.h>

constexpr char kStartupStepLogName[] = "PictavoStartupStepLog";

struct StartupStepLog {
    struct Entry {
        char step[40];
        double at;  // ms, BenchTiming's Now()
    };
    static constexpr LONG kEntries = 64;
    volatile LONG count;
    Entry entries[kEntries];
};
