#include "toolkit/THotKey.h"

#include <commctrl.h>

namespace {
WPARAM ToControl(TShortCut shortCut) {
    BYTE modifiers = 0;
    if (shortCut & scShift) modifiers |= HOTKEYF_SHIFT;
    if (shortCut & scCtrl) modifiers |= HOTKEYF_CONTROL;
    if (shortCut & scAlt) modifiers |= HOTKEYF_ALT;
    return MAKEWORD(shortCut & 0xFF, modifiers);
}

TShortCut FromControl(LRESULT value) {
    BYTE key = LOBYTE(LOWORD(value));
    BYTE modifiers = HIBYTE(LOWORD(value));
    TShortCut shortCut = key;
    if (modifiers & HOTKEYF_SHIFT) shortCut |= scShift;
    if (modifiers & HOTKEYF_CONTROL) shortCut |= scCtrl;
    if (modifiers & HOTKEYF_ALT) shortCut |= scAlt;
    return shortCut;
}
}  // namespace

THotKey::THotKey(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    SetColor(clWindow);
}

void THotKey::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.className = HOTKEY_CLASSA;
    params.exStyle |= WS_EX_CLIENTEDGE;
}

void THotKey::CreateWnd() {
    ::SendMessageA(Handle(), HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, HOTKEYF_CONTROL | HOTKEYF_ALT);
    ::SendMessageA(Handle(), HKM_SETHOTKEY, ToControl(hotKey_), 0);
}

TShortCut THotKey::HotKey() const {
    if (!HandleAllocated()) return hotKey_;
    return FromControl(::SendMessageA(const_cast<THotKey*>(this)->Handle(), HKM_GETHOTKEY, 0, 0));
}

TShortCut THotKey::Accepted(TShortCut shortCut) {
    const TShortCut key = shortCut & 0x1FFF;
    if (key == 0 || (shortCut & (scCtrl | scAlt))) return shortCut;
    return key | scCtrl | scAlt;
}

LRESULT THotKey::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (wParam == VK_SHIFT || wParam == VK_CONTROL || wParam == VK_MENU) {
                if (!modifiersOnly_) beforeModifiers_ = HotKey();
                modifiersOnly_ = true;
            } else {
                modifiersOnly_ = false;
            }
            break;
        case WM_KILLFOCUS: {
            const LRESULT result = TWinControl::WndProc(message, wParam, lParam);
            if (modifiersOnly_) {
                modifiersOnly_ = false;
                ::SendMessageA(Handle(), HKM_SETHOTKEY, ToControl(beforeModifiers_), 0);
            }
            return result;
        }
        default:
            break;
    }
    return TWinControl::WndProc(message, wParam, lParam);
}

void THotKey::SetHotKey(TShortCut shortCut) {
    // Set from a stored value the control takes no more than from the keyboard.
    shortCut = Accepted(shortCut);
    if (shortCut == HotKey()) return;
    hotKey_ = shortCut;
    if (HandleAllocated()) ::SendMessageA(Handle(), HKM_SETHOTKEY, ToControl(shortCut), 0);
}
