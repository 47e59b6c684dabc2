#include "menuanim/TAnimationTimer.h"

#include <algorithm>
#include <exception>

namespace {
// Threads have a DPI awareness of their own from Windows 10 (1607) on: looked up by name.
void* User32(const char* name) {
    return reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("user32.dll"), name));
}

HANDLE ThreadAwareness() {
    using Get = HANDLE(WINAPI*)();
    static const auto get = reinterpret_cast<Get>(User32("GetThreadDpiAwarenessContext"));
    return get ? get() : nullptr;
}

void SetThreadAwareness(HANDLE awareness) {
    using Set = HANDLE(WINAPI*)(HANDLE);
    static const auto set = reinterpret_cast<Set>(User32("SetThreadDpiAwarenessContext"));
    if (set && awareness) set(awareness);
}
}  // namespace

void TAnimationShared::Clear() {
    window = nullptr;
    duration = 0;
    client = RECT{};
    lastCursor = POINT{};
    level = 0;
    stopRequest = false;
    done = 0;
    pending = 0;
}

TAnimationTimer::TAnimationTimer(TAnimationShared& shared) : shared_(shared), awareness_(ThreadAwareness()) {}

TAnimationTimer::~TAnimationTimer() { Finish(); }

void TAnimationTimer::Finish() {
    shared_.stopRequest = true;
    // Cuts a pause short.
    Terminate();
    WaitFor();
}

void TAnimationTimer::Execute() {
    // An error ends the timing; the last step below completes the animation all the same.
    std::exception_ptr failure;
    try {
        // A new thread starts with the process's awareness; the pop-up's thread may have
        // another, and a pointer read in other coordinates would miss the menu.
        SetThreadAwareness(awareness_);
        Run();
    } catch (...) {
        failure = std::current_exception();
    }
    shared_.done = -1;
    SendStep();
    // Reported (by the thread's end, on the user-interface thread) after the last step was
    // sent: that thread handles sent messages before posted ones, so the menu is complete
    // when the error is shown.
    if (failure) std::rethrow_exception(failure);
}

void TAnimationTimer::SendStep() {
    ::SendNotifyMessageA(shared_.window, kStepMessage, 0, static_cast<LPARAM>(shared_.generation));
}

void TAnimationTimer::Run() {
    TAnimationShared& shared = shared_;
    LARGE_INTEGER frequency, start, now;
    ::QueryPerformanceFrequency(&frequency);
    const LONGLONG ticksPerMillisecond = std::max<LONGLONG>(1, frequency.QuadPart / 1000);
    ::QueryPerformanceCounter(&start);
    while (!shared.stopRequest) {
        ::QueryPerformanceCounter(&now);
        const LONGLONG elapsed = (now.QuadPart - start.QuadPart) / ticksPerMillisecond;
        if (elapsed >= shared.duration) break;
        const int unrounded = ::MulDiv(255, static_cast<int>(elapsed), shared.duration);
        const int level = unrounded < 0 ? -1 : unrounded / 16 * 16;
        if (level < 0 || level >= 256) break;

        const POINT cursor = shared.readCursor();
        if (cursor.x != shared.lastCursor.x || cursor.y != shared.lastCursor.y) {
            // The user already points into the menu: it is shown complete at once.
            if (::PtInRect(&shared.client, cursor)) break;
            shared.lastCursor = cursor;
        }

        if (level > shared.level) {
            shared.level = level;
            if (shared.pending.exchange(1) == 0) SendStep();
        } else {
            // Until the next multiple of 16 is reached, or the stop request.
            Sleep(static_cast<DWORD>(std::max(1, ::MulDiv(shared.level + 16 - unrounded, shared.duration, 255))));
        }
    }
}
