// Linked into the benchmark's build of the program only: hears the start-up's steps and
// writes each with its time into the log that startup_bench made. Without that log (the
// program started by hand) it stays silent.
#include <windows.h>

#include <cstring>

#include "bench/BenchTiming.h"
#include "bench/StartupStepLog.h"
#include "toolkit/StartupSteps.h"
#include "toolkit/UniqueHandle.h"

namespace {
StartupStepLog* stepLog = nullptr;

void Record(const char* step) {
    const double at = Now();
    if (!stepLog) return;
    const LONG index = ::InterlockedIncrement(&stepLog->count) - 1;
    if (index >= StartupStepLog::kEntries) return;
    StartupStepLog::Entry& entry = stepLog->entries[index];
    std::strncpy(entry.step, step, sizeof entry.step - 1);
    entry.at = at;
}

// Before WinMain: the process has been made and its runtime started.
[[maybe_unused]] const bool listening = [] {
    // The view keeps the mapping for the life of the process; the handle may go.
    if (const UniqueKernelHandle mapping(::OpenFileMappingA(FILE_MAP_WRITE, FALSE, kStartupStepLogName)); mapping) {
        stepLog =
            static_cast<StartupStepLog*>(::MapViewOfFile(mapping.get(), FILE_MAP_WRITE, 0, 0, sizeof(StartupStepLog)));
    }
    StartupSteps::Listen(Record);
    Record("process entered");
    return true;
}();
}  // namespace
