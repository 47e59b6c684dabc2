#pragma once
// The timing of one pop-up animation, on a short-lived thread: it reads the clock and the
// pointer and asks the user-interface thread for each new step with a message that it does
// not wait for. It touches no window. One thread per animation; its end is owned: Finish
// (or the destructor) returns once the thread has ended. Made on the thread that took the
// pop-up's rectangle, whose DPI awareness it takes on.
#include <windows.h>

#include <atomic>
#include <functional>

#include "toolkit/TThread.h"

// What the timing thread and the user-interface thread share. Window, duration,
// generation, client rectangle and cursor reader are set before the thread runs and not
// changed while it runs; each of the other fields is written by one side only.
struct TAnimationShared {
    HWND window = nullptr;
    int duration = 0;
    unsigned generation = 0;
    // The pop-up's client area on the screen, and the pointer position last seen.
    RECT client{};
    POINT lastCursor{};
    // The level the user-interface thread is asked to show: 0..255 in multiples of 16.
    std::atomic<int> level{0};
    std::atomic<bool> stopRequest{false};
    // -1 once the thread has ended its loop.
    std::atomic<int> done{0};
    // 1 while a step message is on its way and not yet handled.
    std::atomic<long> pending{0};
    std::function<POINT()> readCursor;

    void Clear();
};

class TAnimationTimer : public TThread {
public:
    // Sent to the animated window for each step (second parameter: the generation), and
    // once more when the timing has ended.
    static constexpr UINT kStepMessage = 0x955;

    explicit TAnimationTimer(TAnimationShared& shared);
    ~TAnimationTimer() override;

    // Asks the thread to end and waits for it without a time limit.
    void Finish();

protected:
    void Execute() override;

private:
    void Run();
    void SendStep();

    TAnimationShared& shared_;
    // The DPI awareness of the thread that made the timer, which took the pop-up's
    // rectangle: the pointer is read in the same coordinates (null where threads have no
    // awareness of their own).
    HANDLE awareness_;
};
