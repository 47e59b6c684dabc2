#include "desktop/TKeyRepeat.h"

#include <mutex>
#include <utility>

namespace {
// Tick differences as signed numbers: right across the tick count's wrap, and a time
// slightly ahead of the clock read on another thread counts as no time.
LONG Since(DWORD earlier, DWORD later) { return static_cast<LONG>(later - earlier); }
}  // namespace

TKeyRepeat::TKeyRepeat(KeyDown keyDown) : keyDown_(std::move(keyDown)) {
    if (!keyDown_) {
        keyDown_ = [](UINT virtualKey) { return (::GetAsyncKeyState(static_cast<int>(virtualKey)) & 0x8000) != 0; };
    }
}

bool TKeyRepeat::Press(int id, UINT virtualKey, DWORD time) {
    std::lock_guard lock(mutex_);
    auto found = presses_.find(id);
    if (found != presses_.end()) {
        Held& held = found->second;
        const bool heldBefore = held.seenHeld && Since(*held.downSince, time) >= 0;
        const bool releasedBefore = held.releasedAt && Since(*held.releasedAt, time) >= 0;
        if (heldBefore && !releasedBefore && Since(held.lastTime, time) < static_cast<LONG>(kLongestRepeatGap)) {
            held.lastTime = time;
            return false;
        }
    }
    presses_[id] = {virtualKey, time, time, std::nullopt, false, std::nullopt};
    return true;
}

bool TKeyRepeat::Observe(DWORD now) {
    std::lock_guard lock(mutex_);
    bool held = false;
    for (auto& [id, press] : presses_) {
        if (press.releasedAt) continue;
        bool releasedNow = false;
        if (keyDown_(press.virtualKey)) {
            if (!press.downSince) press.downSince = now;
            if (Since(press.startTime, now) >= static_cast<LONG>(kHeldAfter)) press.seenHeld = true;
        } else if (press.seenHeld) {
            releasedNow = true;
        } else {
            // A tap's key, or none seen yet.
            press.downSince.reset();
        }
        if (releasedNow || Since(press.lastTime, now) >= static_cast<LONG>(kLongestRepeatGap)) {
            press.releasedAt = now;
        } else {
            held = true;
        }
    }
    return held;
}

void TKeyRepeat::Forget(int id) {
    std::lock_guard lock(mutex_);
    presses_.erase(id);
}
