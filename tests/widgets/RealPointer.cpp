#include "tests/widgets/RealPointer.h"

#include <gtest/gtest.h>

#include "tests/support/TestEnvironment.h"

namespace {
POINT lastTarget{20, 20};

// The button goes together with the position, so a late move report cannot put it
// elsewhere.
void SendButton(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = (lastTarget.x * 65536 + ::GetSystemMetrics(SM_CXSCREEN) / 2) / ::GetSystemMetrics(SM_CXSCREEN);
    input.mi.dy = (lastTarget.y * 65536 + ::GetSystemMetrics(SM_CYSCREEN) / 2) / ::GetSystemMetrics(SM_CYSCREEN);
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof input);
    PumpFor(std::chrono::milliseconds(100));
}

void Park() {
    lastTarget = POINT{20, 20};
    ::SetCursorPos(lastTarget.x, lastTarget.y);
}
}  // namespace

StageForm::StageForm() : TForm(nullptr) {
    SetBounds(200, 150, 400, 300);
    SetColor(RGB(10, 20, 30));
    Park();
    Show();
    ::SetForegroundWindow(Handle());
    PumpUntil([&] { return ::GetForegroundWindow() == Handle(); }, std::chrono::seconds(2));
    PumpFor(std::chrono::milliseconds(50));
}

StageForm::~StageForm() {
    if (::GetKeyState(VK_LBUTTON) & 0x8000) ReleaseLeft();
    Park();
    PumpFor(std::chrono::milliseconds(50));
}

void MovePointer(HWND window, int x, int y) {
    POINT target{x, y};
    ::ClientToScreen(window, &target);
    lastTarget = target;
    ::SetCursorPos(target.x, target.y);
    PumpFor(std::chrono::milliseconds(50));
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

void PressLeft() { SendButton(MOUSEEVENTF_LEFTDOWN); }

void ReleaseLeft() { SendButton(MOUSEEVENTF_LEFTUP); }
