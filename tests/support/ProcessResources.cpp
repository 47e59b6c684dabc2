#include "tests/support/ProcessResources.h"

#include <tlhelp32.h>

#include "tests/support/TestEnvironment.h"
#include "toolkit/UniqueHandle.h"

namespace {
void CountWindows(HWND parent, DWORD& count) {
    for (HWND w = ::FindWindowExA(parent, nullptr, nullptr, nullptr); w;
         w = ::FindWindowExA(parent, w, nullptr, nullptr)) {
        DWORD process = 0;
        ::GetWindowThreadProcessId(w, &process);
        if (process != ::GetCurrentProcessId()) continue;
        ++count;
        CountWindows(w, count);
    }
}
}  // namespace

// Wine answers GetProcessHandleCount and GetGuiResources with 0, so kernel handles are
// counted by asking after every possible handle value, and windows by enumerating them.
ProcessResources MeasureProcessResources() {
    ProcessResources r;
    // Threads first: the handle scan takes about half a second under Wine, long enough for
    // a short-lived thread to end before it would be counted.
    UniqueFileHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    THREADENTRY32 entry{sizeof entry};
    for (BOOL more = ::Thread32First(snapshot.get(), &entry); more; more = ::Thread32Next(snapshot.get(), &entry)) {
        if (entry.th32OwnerProcessID == ::GetCurrentProcessId()) ++r.threads;
    }
    for (ULONG_PTR value = 4; value < 0x10000; value += 4) {
        DWORD flags;
        if (::GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++r.handles;
    }
    CountWindows(nullptr, r.windows);
    CountWindows(HWND_MESSAGE, r.windows);
    return r;
}

ProcessResources SettledProcessResources(const ProcessResources& limit) {
    auto within = [&limit](const ProcessResources& now) {
        return now.handles <= limit.handles && now.threads <= limit.threads &&
               (limit.windows == 0 || now.windows <= limit.windows);
    };
    PumpUntil([&] { return within(MeasureProcessResources()); }, std::chrono::seconds(10));
    return MeasureProcessResources();
}
