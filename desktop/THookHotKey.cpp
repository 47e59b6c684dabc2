#include "desktop/THookHotKey.h"

#include "toolkit/TWinControl.h"

THookHotKey::THookHotKey(TComponent* owner)
    : TComponent(owner),
      window_([this](UINT message, WPARAM wParam, LPARAM lParam) { return WndProc(message, wParam, lParam); }) {}

THookHotKey::~THookHotKey() = default;

bool THookHotKey::RegisterShortCut(int index, TShortCut shortCut) {
    const UINT key = shortCut & 0x1FFF;
    // A key held down is one press: the keyboard's repeat must not take a still each time.
    UINT modifiers = MOD_NOREPEAT;
    if (shortCut & scAlt) modifiers |= MOD_ALT;
    if (shortCut & scShift) modifiers |= MOD_SHIFT;
    if (shortCut & scCtrl) modifiers |= MOD_CONTROL;
    // Identifiers above 0xBFFF belong to shared libraries.
    if (nextId_ > 0xBFFF) return false;
    if (!RegisterWithSystem(nextId_, modifiers, key)) return false;
    registrations_[nextId_++] = {index, shortCut};
    return true;
}

bool THookHotKey::RegisterWithSystem(int id, UINT modifiers, UINT virtualKey) {
    return ::RegisterHotKey(window_.Handle(), id, modifiers, virtualKey) != FALSE;
}

bool THookHotKey::UnregisterWithSystem(int id) { return ::UnregisterHotKey(window_.Handle(), id) != FALSE; }

bool THookHotKey::Holds(int index, TShortCut shortCut) const {
    for (const auto& [id, registration] : registrations_) {
        if (registration.index == index && registration.shortCut == shortCut) return true;
    }
    return false;
}

std::vector<int> THookHotKey::ReplaceShortCuts(std::span<const TShortCut> shortCuts) {
    for (auto it = registrations_.begin(); it != registrations_.end();) {
        const int index = it->second.index;
        const bool given = index >= 0 && static_cast<size_t>(index) < shortCuts.size();
        if (given && shortCuts[static_cast<size_t>(index)] != it->second.shortCut && UnregisterWithSystem(it->first)) {
            repeats_.Forget(it->first);
            it = registrations_.erase(it);
        } else {
            ++it;
        }
    }
    std::vector<int> refused;
    for (int index = 0; static_cast<size_t>(index) < shortCuts.size(); ++index) {
        const TShortCut shortCut = shortCuts[static_cast<size_t>(index)];
        if (shortCut == 0 || Holds(index, shortCut)) continue;
        if (!RegisterShortCut(index, shortCut)) refused.push_back(index);
    }
    return refused;
}

LRESULT THookHotKey::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_HOTKEY) {
        auto found = registrations_.find(static_cast<int>(wParam));
        if (found == registrations_.end()) return 0;
        if (!repeats_.Press(found->first, HIWORD(lParam), static_cast<DWORD>(::GetMessageTime()))) return 0;
        if (!releaseWatcher_) {
            releaseWatcher_ = std::make_unique<TKeyReleaseWatcher>(repeats_);
            releaseWatcher_->Start();
        }
        releaseWatcher_->Wake();
        // Errors of the handler reach the application's error box through the window.
        DoHotKey(found->second.index);
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
