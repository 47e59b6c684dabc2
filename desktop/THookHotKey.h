#pragma once
// Registers system-wide hotkeys for its owner window and reports each press with the index
// it was registered under. With Activate on, the owner window comes to the foreground
// before the press is reported.
#include <windows.h>

#include <functional>
#include <map>

#include "toolkit/TComponent.h"
#include "toolkit/THotKey.h"
#include "toolkit/TUtilityWindow.h"

using THotKeyEvent = std::function<void(TObject& sender, int index)>;

class THookHotKey : public TComponent {
public:
    explicit THookHotKey(TComponent* owner);

    bool Activate() const { return activate_; }
    void SetActivate(bool value) { activate_ = value; }

    // Registers the shortcut (virtual key under 0x1FFF, 0x2000 Shift, 0x4000 Ctrl,
    // 0x8000 Alt) under `index`. False when the system refuses it, typically because the
    // combination is held already, by another program or by this one.
    bool RegisterShortCut(int index, TShortCut shortCut);

    // The hidden window the keys are registered to; it lives as long as the component.
    HWND WindowHandle() const { return window_.Handle(); }

    THotKeyEvent OnHotKey;

protected:
    virtual void DoHotKey(int index);

private:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);

    bool activate_ = true;
    // Each registration gets an identifier of its own, mapped back to its index: the
    // system replaces (under Wine) rather than keeps a key registered again under the same
    // identifier, and an index registered twice must answer to both keys.
    std::map<int, int> indexOfId_;
    int nextId_ = 0;
    TUtilityWindow window_;
};
