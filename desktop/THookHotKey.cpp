#include "desktop/THookHotKey.h"

#include "toolkit/TWinControl.h"

THookHotKey::THookHotKey(TComponent* owner)
    : TComponent(owner),
      window_([this](UINT message, WPARAM wParam, LPARAM lParam) { return WndProc(message, wParam, lParam); }) {}

bool THookHotKey::RegisterShortCut(int index, TShortCut shortCut) {
    const UINT key = shortCut & 0x1FFF;
    UINT modifiers = 0;
    if (shortCut & scAlt) modifiers |= MOD_ALT;
    if (shortCut & scShift) modifiers |= MOD_SHIFT;
    if (shortCut & scCtrl) modifiers |= MOD_CONTROL;
    // Identifiers above 0xBFFF belong to shared libraries.
    if (nextId_ > 0xBFFF) return false;
    if (!::RegisterHotKey(window_.Handle(), nextId_, modifiers, key)) return false;
    indexOfId_[nextId_++] = index;
    return true;
}

LRESULT THookHotKey::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_HOTKEY) {
        // Errors of the handler reach the application's error box through the window.
        auto found = indexOfId_.find(static_cast<int>(wParam));
        if (found != indexOfId_.end()) DoHotKey(found->second);
        return 0;
    }
    return ::DefWindowProcA(window_.Handle(), message, wParam, lParam);
}

void THookHotKey::DoHotKey(int index) {
    if (!OnHotKey) return;
    if (activate_) {
        if (auto* owner = dynamic_cast<TWinControl*>(Owner())) ::SetForegroundWindow(owner->Handle());
    }
    OnHotKey(*this, index);
}
