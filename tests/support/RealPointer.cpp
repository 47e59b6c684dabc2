#include "tests/support/RealPointer.h"

#include <chrono>
#include <optional>

#include "tests/support/TestEnvironment.h"

namespace {
POINT lastTarget{20, 20};

// The button goes together with the position, so a late move report cannot put it
// elsewhere. Returns once this thread has taken the button's message (its key state has
// changed), as a window of the test would have.
void SendButton(DWORD flags, bool down) {
    SendPointerInput(lastTarget, flags);
    PumpUntil([down] { return ((::GetKeyState(VK_LBUTTON) & 0x8000) != 0) == down; });
}
}  // namespace

void SendPointerInput(POINT at, DWORD buttons) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    // Absolute positions run from 0 to 65535 over the screen.
    input.mi.dx = (at.x * 65536 + ::GetSystemMetrics(SM_CXSCREEN) / 2) / ::GetSystemMetrics(SM_CXSCREEN);
    input.mi.dy = (at.y * 65536 + ::GetSystemMetrics(SM_CYSCREEN) / 2) / ::GetSystemMetrics(SM_CYSCREEN);
    input.mi.dwFlags = buttons | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof input);
}

bool PointerAt(POINT at) {
    POINT now{};
    return ::GetCursorPos(&now) && now.x == at.x && now.y == at.y;
}

void ParkPointer() {
    lastTarget = POINT{20, 20};
    ::SetCursorPos(lastTarget.x, lastTarget.y);
    PumpUntil([] { return PointerAt(lastTarget); });
}

void MovePointer(HWND window, int x, int y) {
    POINT target{x, y};
    ::ClientToScreen(window, &target);
    lastTarget = target;
    ::SetCursorPos(target.x, target.y);
    PumpUntil([&] { return PointerAt(target); });
}

bool SettleOn(const std::function<bool()>& condition) {
    using Clock = std::chrono::steady_clock;
    constexpr auto kHeld = std::chrono::milliseconds(300);
    std::optional<Clock::time_point> heldSince;
    auto lastWarp = Clock::now();
    return PumpUntil(
        [&] {
            const auto now = Clock::now();
            if (condition()) {
                if (!heldSince) heldSince = now;
                return now - *heldSince >= kHeld;
            }
            heldSince.reset();
            if (now - lastWarp >= kHeld) {
                ::SetCursorPos(lastTarget.x, lastTarget.y);
                lastWarp = now;
            }
            return false;
        },
        std::chrono::seconds(15));
}

void PressLeft() { SendButton(MOUSEEVENTF_LEFTDOWN, true); }

void ReleaseLeft() { SendButton(MOUSEEVENTF_LEFTUP, false); }
