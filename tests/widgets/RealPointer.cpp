#include "tests/widgets/RealPointer.h"

#include <gtest/gtest.h>

#include "tests/support/TestEnvironment.h"

namespace {
POINT lastTarget{20, 20};

bool PointerAt(POINT target) {
    POINT now{};
    return ::GetCursorPos(&now) && now.x == target.x && now.y == target.y;
}

// The button goes together with the position, so a late move report cannot put it
// elsewhere. Returns once this thread has taken the button's message (its key state has
// changed), as a window of the test would have.
void SendButton(DWORD flags, bool down) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = (lastTarget.x * 65536 + ::GetSystemMetrics(SM_CXSCREEN) / 2) / ::GetSystemMetrics(SM_CXSCREEN);
    input.mi.dy = (lastTarget.y * 65536 + ::GetSystemMetrics(SM_CYSCREEN) / 2) / ::GetSystemMetrics(SM_CYSCREEN);
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof input);
    PumpUntil([down] { return ((::GetKeyState(VK_LBUTTON) & 0x8000) != 0) == down; });
}

void Park() {
    lastTarget = POINT{20, 20};
    ::SetCursorPos(lastTarget.x, lastTarget.y);
    PumpUntil([] { return PointerAt(lastTarget); });
}
}  // namespace

StageForm::StageForm() : TForm(nullptr) {
    SetBounds(200, 150, 400, 300);
    SetColor(RGB(10, 20, 30));
    Park();
    Show();
    ::SetForegroundWindow(Handle());
    // In front and under its own middle: real clicks reach it.
    PumpUntil([&] {
        POINT middle{Width() / 2, Height() / 2};
        ::ClientToScreen(Handle(), &middle);
        return ::GetForegroundWindow() == Handle() && ::GetAncestor(::WindowFromPoint(middle), GA_ROOT) == Handle();
    });
}

StageForm::~StageForm() {
    if (::GetKeyState(VK_LBUTTON) & 0x8000) ReleaseLeft();
    Park();
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
    const auto deadline = Clock::now() + std::chrono::seconds(15);
    auto heldSince = Clock::now();
    bool holding = false;
    auto lastWarp = Clock::now();
    while (Clock::now() < deadline) {
        PumpFor(std::chrono::milliseconds(20));
        if (condition()) {
            if (!holding) heldSince = Clock::now();
            holding = true;
            if (Clock::now() - heldSince >= std::chrono::milliseconds(300)) return true;
        } else {
            holding = false;
            if (Clock::now() - lastWarp >= std::chrono::milliseconds(300)) {
                ::SetCursorPos(lastTarget.x, lastTarget.y);
                lastWarp = Clock::now();
            }
        }
    }
    return false;
}

void PressLeft() { SendButton(MOUSEEVENTF_LEFTDOWN, true); }

void ReleaseLeft() { SendButton(MOUSEEVENTF_LEFTUP, false); }
