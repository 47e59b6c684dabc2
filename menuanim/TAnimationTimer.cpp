#include "menuanim/TAnimationTimer.h"

#include <algorithm>

#include "menuanim/TMenuAnimation.h"
#include "toolkit/CallbackErrors.h"

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

bool TAnimationTimer::Create(TAnimationShared& shared) {
    shared_ = &shared;
    wake_.reset(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!wake_) return false;
    thread_.reset(::CreateThread(nullptr, 0, &ThreadProc, this, CREATE_SUSPENDED, nullptr));
    return static_cast<bool>(thread_);
}

void TAnimationTimer::Resume() { ::ResumeThread(thread_.get()); }

void TAnimationTimer::Finish() {
    if (!thread_) return;
    shared_->stopRequest = true;
    ::SetEvent(wake_.get());
    ::WaitForSingleObject(thread_.get(), INFINITE);
    thread_.reset();
    wake_.reset();
}

DWORD WINAPI TAnimationTimer::ThreadProc(void* parameter) {
    auto& timer = *static_cast<TAnimationTimer*>(parameter);
    TAnimationShared& shared = *timer.shared_;
    // An error ends the timing; the last step below completes the animation all the same.
    std::exception_ptr failure;
    try {
        timer.Run();
    } catch (...) {
        failure = std::current_exception();
    }
    shared.done = -1;
    ::SendNotifyMessageA(shared.window, TMenuAnimation::kStepMessage, 0, static_cast<LPARAM>(shared.generation));
    // Reported after the last step was sent: the user-interface thread handles sent messages
    // before posted ones, so the menu is complete when the error is shown.
    if (failure) ReportError(failure);
    return 0;
}

void TAnimationTimer::Run() {
    TAnimationShared& shared = *shared_;
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
            if (shared.pending.exchange(1) == 0) {
                ::SendNotifyMessageA(shared.window, TMenuAnimation::kStepMessage, 0,
                                     static_cast<LPARAM>(shared.generation));
            }
        } else {
            // Until the next multiple of 16 is reached.
            Pause(std::max(1, ::MulDiv(shared.level + 16 - unrounded, shared.duration, 255)));
        }
    }
}

void TAnimationTimer::Pause(int milliseconds) { ::WaitForSingleObject(wake_.get(), static_cast<DWORD>(milliseconds)); }
