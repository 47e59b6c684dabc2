#include "folderbrowser/TShRenameGuard.h"

#include <commctrl.h>

#include <utility>

#include "toolkit/CallbackErrors.h"

namespace {
// The guard the hook serves on this thread (the user-interface thread).
thread_local TShRenameGuard* armedGuard = nullptr;

bool IsPress(UINT message) {
    switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
        case WM_XBUTTONDOWN:
        case WM_XBUTTONDBLCLK:
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONDBLCLK:
        case WM_NCRBUTTONDOWN:
        case WM_NCRBUTTONDBLCLK:
        case WM_NCMBUTTONDOWN:
        case WM_NCMBUTTONDBLCLK:
        case WM_NCXBUTTONDOWN:
        case WM_NCXBUTTONDBLCLK:
        case WM_MOUSEWHEEL:
        case WM_MOUSEHWHEEL:
            return true;
        default:
            return false;
    }
}
}  // namespace

bool TShRenameGuard::Message(UINT message, bool pressOnSelected, const std::function<LRESULT()>& handle,
                             LRESULT& result) {
    switch (message) {
        case TVM_EDITLABELA:
        case TVM_EDITLABELW:
        case LVM_EDITLABELA:
        case LVM_EDITLABELW: {
            struct Asking {
                bool& asked;
                bool before = std::exchange(asked, true);
                ~Asking() { asked = before; }
            } asking{asked_};
            result = handle();
            return true;
        }
        case WM_LBUTTONDOWN:
            if (pressOnSelected) {
                Arm();
            } else {
                Disarm();
            }
            return false;
        case WM_KILLFOCUS:
            Disarm();
            return false;
        default:
            return false;
    }
}

bool TShRenameGuard::MayBegin(HWND control) {
    if (asked_) return true;
    const bool armed = static_cast<bool>(watch_);
    Disarm();
    return armed && ::IsWindowVisible(control) && ::GetFocus() == control;
}

void TShRenameGuard::Arm() {
    if (armedGuard && armedGuard != this) armedGuard->Disarm();
    armedGuard = this;
    // Armed only while watched: without the hook nothing would tell of a key or a click since.
    if (!watch_) watch_.reset(::SetWindowsHookExA(WH_GETMESSAGE, &MessageTaken, nullptr, ::GetCurrentThreadId()));
}

void TShRenameGuard::Disarm() {
    if (armedGuard == this) armedGuard = nullptr;
    watch_.reset();
}

LRESULT CALLBACK TShRenameGuard::MessageTaken(int code, WPARAM wParam, LPARAM lParam) {
    Guarded(0, [&] {
        if (code == HC_ACTION && armedGuard && IsPress(reinterpret_cast<const MSG*>(lParam)->message)) {
            armedGuard->Disarm();
        }
        return 0;
    });
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
